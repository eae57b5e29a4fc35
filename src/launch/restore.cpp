#include "launch/restore.h"

#include <set>

#include "launch/launch_rules.h"
#include "launch/pass_over_failure.h"

namespace corvane {

namespace {

class Restorer {
public:
    Restorer(const ModConfig& mod, const GameEntry& game, const std::vector<std::string>& szCreated,
             RestoreServices& services)
        : mod(mod), game(game), szCreated(szCreated), s(services), lTotal(szCreated.size() + mod.dCount) {}

    bool Run() {
        Step([&] { s.log.Line("Cleanup, restoring original files and folders."); });
        for (auto it = szCreated.rbegin(); it != szCreated.rend(); ++it) {
            Step([&] { DeleteCreatedFolder(*it); });
            Done();
        }
        for (int16_t i = 0; i < mod.dCount; ++i) {
            RestoreEntry(i);
            Done();
        }
        return bClean;
    }

private:
    template <typename Action>
    void Step(Action action) {
        if (!PassOverFailure(s.problems, action)) bClean = false;
    }

    void Done() { s.log.Progress(++lDone, lTotal); }

    void DeleteCreatedFolder(const std::string& szFolder) {
        if (szFolder.empty() || !s.files.Exists(szFolder)) return;
        s.log.Line("Deleting swapped folder:");
        s.log.Line(szFolder);
        s.fso.DeleteFolder(szFolder);
        deletedFolders.insert(FoldPath(szFolder));
    }

    // Everything below a folder this restore deleted is gone.
    bool InDeletedFolder(const std::string& szTarget) const {
        const std::string szFolded = FoldPath(szTarget);
        for (size_t lAt = szFolded.find('\\'); lAt != std::string::npos; lAt = szFolded.find('\\', lAt + 1))
            if (deletedFolders.count(szFolded.substr(0, lAt))) return true;
        return false;
    }

    // Only an entry whose copy is still there gets its original back: a copy
    // that vanished while the game ran leaves the original under its backup
    // name rather than guess what happened.
    void RestoreEntry(int16_t i) {
        std::string szTarget;
        bool bPresent = false;
        Step([&] {
            szTarget = TargetOf(mod, i, game);
            bPresent = !InDeletedFolder(szTarget) && s.files.Exists(szTarget);
        });
        if (!bPresent) return;
        Step([&] { DeleteCopy(szTarget); });
        Step([&] {
            const std::string szBackup = BackupName(szTarget);
            if (!s.files.Exists(szBackup)) return;
            s.log.Line("Restoring original folder:");
            s.log.Line(szTarget);
            s.files.Rename(szBackup, szTarget);
        });
    }

    void DeleteCopy(const std::string& szTarget) {
        const bool bFile = IsFilePath(szTarget);
        s.log.Line(bFile ? "Deleting swapped file:" : "Deleting swapped folder:");
        s.log.Line(szTarget);
        if (bFile)
            s.fso.DeleteFile(szTarget);
        else
            s.fso.DeleteFolder(szTarget);
    }

    const ModConfig& mod;
    const GameEntry& game;
    const std::vector<std::string>& szCreated;
    RestoreServices& s;
    uint64_t lDone = 0;
    uint64_t lTotal;
    bool bClean = true;
    std::set<std::string> deletedFolders;  // folded
};

}  // namespace

bool Restore(const ModConfig& mod, const GameEntry& game, const std::vector<std::string>& szCreated,
             RestoreServices& services) {
    return Restorer(mod, game, szCreated, services).Run();
}

}  // namespace corvane
