#include "launch/recovery.h"

#include <algorithm>
#include <stdexcept>

#include "launch/launch_rules.h"

namespace corvane {

namespace {

bool IsThere(FileSystem& files, const std::string& szPath) { return files.Stat(szPath).has_value(); }

class Recoverer {
public:
    Recoverer(const UnfinishedLaunch& launch, RecoveryServices& services) : launch(launch), s(services) {}

    void Run() {
        s.log.Line("Restoring the game folder after an unfinished launch.");
        WaitForTheGame();
        s.log.Line("Cleanup, restoring original files and folders.");
        std::vector<JournalRecord> kept;
        uint64_t lDone = 0;
        for (auto it = launch.records.rbegin(); it != launch.records.rend(); ++it) {
            if (!TryUndo(*it)) kept.insert(kept.begin(), *it);
            s.log.Progress(++lDone, launch.records.size());
        }
        KeepInJournal(kept);
        s.log.Line("END");
    }

private:
    void WaitForTheGame() {
        std::vector<ProcessId> running;
        for (const JournalRecord& record : launch.records)
            if (record.step == JournalStep::kGameStarted && s.processes.IsRunning(record.process))
                running.push_back(record.process);
        if (running.empty()) return;
        s.log.Line("The game of that launch is still running: waiting for it to end.");
        s.processes.WaitForEnd(running);
    }

    bool TryUndo(const JournalRecord& record) {
        try {
            Undo(record);
            return true;
        } catch (const std::exception& e) {
            s.problems.Note("Could not undo a change of an unfinished launch: " + std::string(e.what()));
            s.log.Line("ERROR: This could not be put back now; Corvane tries again at its next start:");
            s.log.Line(record.szPath);
            return false;
        }
    }

    void Undo(const JournalRecord& record) {
        if (record.bWasThere) return;  // not made by the launch
        switch (record.step) {
        case JournalStep::kCopy:
            // Where the game's own item was moved aside, the target holds the
            // copy only while the backup is there; once the original is back
            // under its name, the target is the original.
            if (record.szBackup.empty() || IsThere(s.files, record.szBackup)) DeleteCopy(record.szPath);
            return;
        case JournalStep::kRename:
            if (!IsThere(s.files, record.szOther)) return;
            if (IsThere(s.files, record.szPath))
                throw std::runtime_error("the copy at " + record.szPath + " is still in the way of its original");
            s.log.Line("Restoring original folder:");
            s.log.Line(record.szPath);
            s.files.Rename(record.szOther, record.szPath);
            return;
        case JournalStep::kCreateFolder:
            if (!IsThere(s.files, record.szPath)) return;
            s.log.Line("Deleting swapped folder:");
            s.log.Line(record.szPath);
            s.fso.DeleteFolder(record.szPath);
            return;
        default:
            return;
        }
    }

    void DeleteCopy(const std::string& szTarget) {
        const std::optional<ItemInfo> item = s.files.Stat(szTarget);
        if (!item) return;
        s.log.Line(IsFilePath(szTarget) ? "Deleting swapped file:" : "Deleting swapped folder:");
        s.log.Line(szTarget);
        // The journal shows the launch made it: a read-only copy goes too.
        if (item->IsFolder())
            s.fso.DeleteFolder(szTarget);
        else
            s.fso.DeleteFile(szTarget, true);
    }

    void KeepInJournal(const std::vector<JournalRecord>& kept) {
        try {
            if (kept.empty()) return s.journal.Remove();
            std::string szBytes = EncodeRecord(launch.records.front());
            for (const JournalRecord& record : kept) szBytes += EncodeRecord(record);
            s.journal.Replace(szBytes);
        } catch (const std::exception& e) {
            s.problems.Note("Could not update the launch journal: " + std::string(e.what()));
        }
    }

    const UnfinishedLaunch& launch;
    RecoveryServices& s;
};

}  // namespace

std::optional<UnfinishedLaunch> FindUnfinishedLaunch(JournalStore& journal) {
    const std::optional<std::string> szBytes = journal.Read();
    if (!szBytes) return std::nullopt;
    std::vector<JournalRecord> records = DecodeJournal(*szBytes);
    // Every change is noted after the launch's first record, and a launch
    // that reached its end undid its changes itself.
    const bool bStarted = !records.empty() && records.front().step == JournalStep::kBegin;
    const bool bEnded = !records.empty() && records.back().step == JournalStep::kEnd;
    const bool bChanged = std::any_of(records.begin(), records.end(), [](const JournalRecord& record) {
        return record.step == JournalStep::kRename || record.step == JournalStep::kCreateFolder ||
               record.step == JournalStep::kCopy;
    });
    if (!bStarted || bEnded || !bChanged) {
        journal.Remove();
        return std::nullopt;
    }
    std::string szGameFolder = records.front().szPath;
    return UnfinishedLaunch{std::move(szGameFolder), std::move(records)};
}

void RecoverLaunch(const UnfinishedLaunch& launch, RecoveryServices& services) {
    Recoverer(launch, services).Run();
}

}  // namespace corvane
