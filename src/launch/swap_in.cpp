#include "launch/swap_in.h"

#include <set>

#include "launch/journal_records.h"
#include "launch/launch_rules.h"

namespace corvane {

namespace {

// Entries planned and noted in the journal before any of them is carried
// out, so that one flush of the journal serves many of them.
constexpr size_t kEntriesPerFlush = 64;

// A source whose name holds a dot is looked for as a file, even when it is
// a folder: mod configurations have always been checked this way.
bool SourcePresent(const std::string& szSrc, const std::optional<ItemInfo>& item, LaunchLog& log) {
    const bool bVisible = item && item->IsVisible();
    if (IsFilePath(szSrc)) {
        if (bVisible && !item->IsFolder()) return true;
        log.Line("ERROR: This file does not exist, please check configuration ZCF file with NotePad!");
        return false;
    }
    if (bVisible) return true;
    log.Line("ERROR: This folder does not exist, please check configuration ZCF file with NotePad!");
    return false;
}

// What one entry will do, worked out from the disk as it will be when the
// entry's turn comes.
struct EntryPlan {
    int16_t i = 0;
    std::string szTarget;
    std::string szBackup;
    bool bTargetExists = false;  // the game's own item is in the way
    bool bMoveAside = false;     // ...and its backup name is free
    bool bOccupied = false;      // something will be at the target when the copy starts
    struct NewFolder {
        std::string szPath;
        bool bWasThere;  // a hidden item of that name is in the way
    };
    std::vector<NewFolder> newFolders;
};

class Swapper {
public:
    Swapper(const ModConfig& mod, const GameEntry& game, SwapServices& services, std::vector<std::string>& szCreated)
        : mod(mod), game(game), s(services), szCreated(szCreated) {}

    void Run() {
        for (int16_t i = 0; i < mod.dCount; ++i) {
            EntryPlan plan;
            try {
                plan.i = i;
                plan.szTarget = TargetOf(mod, i, game);
                plan.szBackup = BackupName(plan.szTarget);
                if (queue.size() >= kEntriesPerFlush || DependsOnQueue(plan)) CarryOutQueue();
                LookAtDisk(plan);
            } catch (...) {
                // The entries before this one come first, as if each had been
                // finished before the next began.
                CarryOutQueue();
                throw;
            }
            Note(plan);
            queue.push_back(std::move(plan));
        }
        CarryOutQueue();
    }

private:
    // A plan worked out before the queued ones are carried out is only right
    // when none of them touches its target or backup.
    bool DependsOnQueue(const EntryPlan& plan) const {
        for (const EntryPlan& queued : queue)
            for (const std::string* szQueued : {&queued.szTarget, &queued.szBackup})
                if (PathsOverlap(*szQueued, plan.szTarget) || PathsOverlap(*szQueued, plan.szBackup)) return true;
        return false;
    }

    void LookAtDisk(EntryPlan& plan) {
        const std::optional<ItemInfo> target = s.files.Stat(plan.szTarget);
        plan.bTargetExists = target && target->IsVisible();
        if (plan.bTargetExists) {
            plan.bMoveAside = !s.files.Exists(plan.szBackup);
            plan.bOccupied = !plan.bMoveAside;
            ForgetBelow(plan.szTarget);
        } else {
            plan.bOccupied = target.has_value();
            for (const std::string& szFolder : ParentFoldersOf(plan.szTarget)) AddIfMissing(szFolder, plan);
        }
        knownFolders.insert(FoldPath(plan.szTarget));
    }

    // Each parent folder is looked at once per launch; what the swap itself
    // creates, moves or copies is kept up to date here.
    void AddIfMissing(const std::string& szFolder, EntryPlan& plan) {
        if (!knownFolders.insert(FoldPath(szFolder)).second) return;
        const std::optional<ItemInfo> item = s.files.Stat(szFolder);
        if (!item || !item->IsVisible()) plan.newFolders.push_back({szFolder, item.has_value()});
    }

    void ForgetBelow(const std::string& szPath) {
        const std::string szPrefix = FoldPath(szPath) + "\\";
        auto it = knownFolders.lower_bound(szPrefix);
        while (it != knownFolders.end() && it->compare(0, szPrefix.size(), szPrefix) == 0) it = knownFolders.erase(it);
    }

    void Note(const EntryPlan& plan) {
        if (plan.bTargetExists)
            Append({JournalStep::kRename, plan.szTarget, plan.szBackup, "", !plan.bMoveAside, {}});
        for (const EntryPlan::NewFolder& folder : plan.newFolders)
            Append({JournalStep::kCreateFolder, folder.szPath, "", "", folder.bWasThere, {}});
        Append({JournalStep::kCopy, plan.szTarget, mod.szSrc.at(plan.i), plan.bMoveAside ? plan.szBackup : "",
                plan.bOccupied, {}});
    }

    void Append(const JournalRecord& record) { s.journal.Append(EncodeRecord(record)); }

    void CarryOutQueue() {
        if (queue.empty()) return;
        s.journal.Flush();
        std::vector<EntryPlan> plans = std::move(queue);
        queue.clear();
        for (const EntryPlan& plan : plans) CarryOut(plan);
    }

    void CarryOut(const EntryPlan& plan) {
        if (plan.bTargetExists) {
            s.files.ClearAttributes(plan.szTarget);
            s.log.Line(plan.szBackup);
            // A backup that is already there belongs to an earlier launch that
            // was never restored; it is the game's true original, so it is
            // never overwritten.
            if (plan.bMoveAside) s.files.Rename(plan.szTarget, plan.szBackup);
        }
        for (const EntryPlan::NewFolder& folder : plan.newFolders) {
            // Remembered before it is made, so that a folder whose creation
            // went half-way is still in the list the restore clears away.
            szCreated.back() = folder.szPath;
            szCreated.emplace_back();
            s.files.CreateFolder(folder.szPath);
        }
        s.log.Line(plan.szTarget);
        if (IsFilePath(plan.szTarget))
            s.fso.CopyFile(mod.szSrc.at(plan.i), plan.szTarget, s.progress);
        else
            s.fso.CopyFolder(mod.szSrc.at(plan.i), plan.szTarget, s.progress);
    }

    const ModConfig& mod;
    const GameEntry& game;
    SwapServices& s;
    std::vector<std::string>& szCreated;
    std::vector<EntryPlan> queue;
    std::set<std::string> knownFolders;  // folded paths known to be there when the queue is carried out
};

}  // namespace

SourceCheck CheckSources(const ModConfig& mod, FileSystem& files, FileSystemObject& fso, LaunchLog& log) {
    log.Line("Checking for existance of all source folders and files in configuration.");
    SourceCheck check;
    for (int16_t i = 0; i < mod.dCount; ++i) {
        const std::string& szSrc = mod.szSrc.at(i);
        log.Line("Checking..." + szSrc);
        const std::optional<ItemInfo> item = files.Stat(szSrc);
        if (!SourcePresent(szSrc, item, log)) {
            check.bAllThere = false;
        } else if (!item->IsFolder()) {
            check.lBytes += item->lSize;
        } else {
            // Only for the progress bar: a folder that cannot be measured
            // still gets copied.
            try {
                check.lBytes += fso.FolderBytes(szSrc);
            } catch (const std::exception&) {
            }
        }
    }
    return check;
}

void SwapIn(const ModConfig& mod, const GameEntry& game, SwapServices& services,
            std::vector<std::string>& szCreated) {
    services.log.Line("");
    services.log.Line("Swap MOD files and folders with originals.");
    Swapper(mod, game, services, szCreated).Run();
}

}  // namespace corvane
