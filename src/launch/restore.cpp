#include "launch/restore.h"

#include "launch/launch_rules.h"
#include "launch/pass_over_failure.h"

namespace corvane {

namespace {

void DeleteCreatedFolders(const std::vector<std::string>& szCreated, FileSystem& files,
                          FileSystemObject& fso, LaunchView& view) {
    for (auto it = szCreated.rbegin(); it != szCreated.rend(); ++it) {
        const std::string& szFolder = *it;
        PassOverFailure([&] {
            if (szFolder.empty() || !files.Exists(szFolder)) return;
            view.DisplayMsg("Deleting swapped folder:");
            view.DisplayMsg(szFolder);
            fso.DeleteFolder(szFolder);
        });
    }
}

void DeleteCopy(const std::string& szTarget, FileSystemObject& fso, LaunchView& view) {
    if (IsFilePath(szTarget)) {
        view.DisplayMsg("Deleting swapped file:");
        view.DisplayMsg(szTarget);
        fso.DeleteFile(szTarget);
    } else {
        view.DisplayMsg("Deleting swapped folder:");
        view.DisplayMsg(szTarget);
        fso.DeleteFolder(szTarget);
    }
}

// Only an entry whose copy is still there gets its original back: a copy
// that vanished while the game ran leaves the original under its backup name
// rather than guess what happened.
void RestoreEntry(const ModConfig& mod, int16_t i, const GameEntry& game, FileSystem& files,
                  FileSystemObject& fso, LaunchView& view) {
    std::string szTarget;
    bool bPresent = false;
    PassOverFailure([&] {
        szTarget = TargetOf(mod, i, game);
        bPresent = files.Exists(szTarget);
    });
    if (!bPresent) return;
    PassOverFailure([&] { DeleteCopy(szTarget, fso, view); });
    PassOverFailure([&] {
        const std::string szBackup = BackupName(szTarget);
        if (!files.Exists(szBackup)) return;
        view.DisplayMsg("Restoring original folder:");
        view.DisplayMsg(szTarget);
        files.Rename(szBackup, szTarget);
    });
}

}  // namespace

void Restore(const ModConfig& mod, const GameEntry& game, const std::vector<std::string>& szCreated,
             FileSystem& files, FileSystemObject& fso, LaunchView& view) {
    PassOverFailure([&] { view.DisplayMsg("Cleanup, restoring original files and folders."); });
    DeleteCreatedFolders(szCreated, files, fso, view);
    for (int16_t i = 0; i < mod.dCount; ++i) RestoreEntry(mod, i, game, files, fso, view);
}

}  // namespace corvane
