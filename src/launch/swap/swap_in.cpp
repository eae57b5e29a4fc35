#include "launch/swap/swap_in.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string_view>

#include "launch/journal/journal_records.h"
#include "launch/targets/launch_rules.h"

namespace corvane {

namespace {

// Entries planned and noted in the journal before any of them is carried
// out, so that one write and one flush of the journal serve many of them. A
// flush takes milliseconds, as long as copying a few small files: groups
// this large keep it a small share even of a mod of thousands of them.
constexpr size_t kEntriesPerFlush = 1024;

ItemStamp StampOf(const ItemInfo& item) {
    if (item.IsFolder()) return {};
    return {true, item.lSize, item.lWriteTime};
}

// A folder copy's guide: before the copy writes anything, every item it is
// about to put in place is noted in the journal, with the size and last
// write it will have, in one write and one flush. What the undo later finds
// without such a note is not the launch's.
class NotingGuide : public CopyGuide {
public:
    NotingGuide(CopyGuide* inner, LaunchJournal& journal, int16_t dEntry)
        : inner(inner), journal(journal), dEntry(dEntry) {}

    void BytesCopied(uint64_t lBytes) override {
        if (inner) inner->BytesCopied(lBytes);
    }
    bool MayLink(const std::string& szName) override { return inner && inner->MayLink(szName); }
    void FileDone(bool bLinked) override {
        if (inner) inner->FileDone(bLinked);
    }
    void LinkRefused(const std::string& szPath, const std::string& szReason) override {
        if (inner) inner->LinkRefused(szPath, szReason);
    }
    void WillPlace(const std::vector<PlacedItem>& items) override {
        JournalRecord record = RecordOf(JournalStep::kPlace);
        record.dEntry = dEntry;
        for (const PlacedItem& item : items) {
            record.szPath = item.szPath;
            record.stamp = StampOf(item.source);
            journal.Note(record);
        }
        journal.Write();
    }

private:
    CopyGuide* inner;
    LaunchJournal& journal;
    int16_t dEntry;
};

// What one entry will do, worked out from the disk as it will be when the
// entry's turn comes.
struct EntryPlan {
    int16_t i = 0;
    std::string szTarget;  // the full path
    std::string szFolded;  // ...in the form paths are compared in
    std::string szShown;   // as the log shows it
    std::string szBackup;
    ItemStamp targetStamp;       // the item in the way, as it was
    bool bTargetExists = false;  // an item is in the way, hidden and system ones too
    bool bMoveAside = false;     // ...and its backup name is free
    std::vector<std::string> szNewFolders;
};

// Folded paths, looked up by any part of one without copying it out: a
// folder mod's thousands of entries each ask about every folder above them.
using PathSet = std::set<std::string, std::less<>>;

class Swapper {
public:
    Swapper(const ModConfig& mod, const GameEntry& game, const SourceCheck& check, SwapServices& services,
            std::vector<std::string>& szCreated)
        : mod(mod), game(game), check(check), s(services), szCreated(szCreated) {}

    void Run() {
        for (int16_t i = 0; i < mod.dCount; ++i) {
            EntryPlan plan;
            plan.i = i;
            Planned([&] {
                // An entry without a target throws, with why it has none.
                if (!check.targets.at(i)) return Aim(plan, TargetAt(mod, i, game));
                Aim(plan, *check.targets[i]);
            });
            if (queue.size() >= kEntriesPerFlush || DependsOnQueue(plan)) CarryOutQueue();
            Planned([&] { LookAtDisk(plan); });
            Note(plan);
            queuedPaths.insert(plan.szFolded);
            queuedPaths.insert(plan.szFolded + kBackupSuffix);
            queue.push_back(std::move(plan));
        }
        CarryOutQueue();
    }

private:
    // BackupName's ending, already in folded form.
    static constexpr const char* kBackupSuffix = ".original";

    static void Aim(EntryPlan& plan, const Target& target) {
        plan.szTarget = target.szPath;
        plan.szFolded = FoldPath(plan.szTarget);
        plan.szShown = target.szShown;
        plan.szBackup = BackupName(plan.szTarget);
    }

    // An entry that cannot be planned stops the swap, after the entries
    // before it, as if each had been finished before the next began.
    template <typename Planning>
    void Planned(Planning planning) {
        try {
            planning();
        } catch (const std::exception&) {
            CarryOutQueue();
            throw;
        }
    }

    // A plan worked out before the queued ones are carried out is only right
    // when none of them touches its target or backup.
    bool DependsOnQueue(const EntryPlan& plan) const {
        return OverlapsQueue(plan.szFolded) || OverlapsQueue(plan.szFolded + kBackupSuffix);
    }

    // A queued target or backup is this (folded) path, holds it or lies in
    // it: what PathsOverlap tells, looked up rather than compared with each.
    bool OverlapsQueue(std::string_view szFolded) const {
        if (queuedPaths.count(szFolded)) return true;
        for (size_t lAt = szFolded.find('\\'); lAt != std::string_view::npos; lAt = szFolded.find('\\', lAt + 1))
            if (queuedPaths.count(szFolded.substr(0, lAt))) return true;
        return AnyBelow(queuedPaths, szFolded);
    }

    static bool AnyBelow(const PathSet& szPaths, std::string_view szFolded) {
        const std::string szPrefix = std::string(szFolded) + "\\";
        const auto it = szPaths.lower_bound(szPrefix);
        return it != szPaths.end() && it->compare(0, szPrefix.size(), szPrefix) == 0;
    }

    // Every look is certain: a drive that does not answer stops the swap
    // rather than pass for an empty one, or the journal would tell of
    // folders made where the game's own are.
    void LookAtDisk(EntryPlan& plan) {
        const std::string& szFolded = plan.szFolded;
        // A folder the swap created holds only what the swap put there.
        const std::optional<ItemInfo> target =
            InFreshFolder(szFolded) ? std::nullopt : s.files.Look(plan.szTarget);
        plan.bTargetExists = target.has_value();
        if (plan.bTargetExists) {
            plan.targetStamp = StampOf(*target);
            plan.bMoveAside = !s.files.Look(plan.szBackup);
            ForgetBelow(knownFolders, szFolded);
        } else {
            // The folders above the target, outermost first, as
            // ParentFoldersOf names them.
            const std::string& szTarget = plan.szTarget;
            for (size_t lAt = std::max<size_t>(RootLength(szTarget) + 1, 3); lAt < szTarget.size(); ++lAt)
                if (szTarget[lAt] == '\\') AddIfMissing(plan, lAt);
        }
        // Whatever is moved away or copied over here no longer leaves the
        // folders below as the swap made them.
        if (const auto it = freshFolders.find(szFolded); it != freshFolders.end()) freshFolders.erase(it);
        ForgetBelow(freshFolders, szFolded);
        knownFolders.insert(szFolded);
    }

    // Nothing of the swap's own is at the target yet, and its folder is one
    // the swap created: the target is free, without asking the disk. A folder
    // mod of 20,000 files in new folders is spared as many looks, about a
    // tenth of its swap under Wine (0.8 s of 9.4 s, measured with --phases).
    bool InFreshFolder(std::string_view szFolded) const {
        const size_t lSlash = szFolded.rfind('\\');
        return lSlash != std::string_view::npos && freshFolders.count(szFolded.substr(0, lSlash)) &&
               !knownFolders.count(szFolded);
    }

    // Each parent folder is looked at once per launch; what the swap itself
    // creates, moves or copies is kept up to date here. The folder is the
    // target's first lLength characters.
    void AddIfMissing(EntryPlan& plan, size_t lLength) {
        const std::string_view szFolded = std::string_view(plan.szFolded).substr(0, lLength);
        if (knownFolders.count(szFolded)) return;
        knownFolders.emplace(szFolded);
        std::string szFolder = plan.szTarget.substr(0, lLength);
        if (s.files.Look(szFolder)) return;
        plan.szNewFolders.push_back(std::move(szFolder));
        freshFolders.emplace(szFolded);
    }

    static void ForgetBelow(PathSet& szPaths, std::string_view szFolded) {
        const std::string szPrefix = std::string(szFolded) + "\\";
        auto it = szPaths.lower_bound(szPrefix);
        while (it != szPaths.end() && it->compare(0, szPrefix.size(), szPrefix) == 0) it = szPaths.erase(it);
    }

    // One record filled again for each note: its texts keep the room they
    // took, so that thousands of entries do not each allocate them anew.
    void Note(const EntryPlan& plan) {
        JournalRecord& record = scratch;
        record.dEntry = plan.i;
        if (plan.bTargetExists) {
            record.step = JournalStep::kRename;
            record.szPath = plan.szTarget;
            record.szOther = plan.szBackup;
            record.szBackup.clear();
            record.bWasThere = !plan.bMoveAside;
            record.stamp = plan.targetStamp;
            s.journal.Note(record);
        }
        record.szOther.clear();
        record.szBackup.clear();
        record.stamp = {};
        record.bWasThere = false;
        for (const std::string& szFolder : plan.szNewFolders) {
            record.step = JournalStep::kCreateFolder;
            record.szPath = szFolder;
            s.journal.Note(record);
        }
        record.step = JournalStep::kCopy;
        record.szPath = plan.szTarget;
        record.szOther = mod.szSrc.at(plan.i);
        record.szBackup = plan.bMoveAside ? plan.szBackup : "";
        record.bWasThere = plan.bTargetExists && !plan.bMoveAside;  // merged into what is there
        record.stamp = plan.i < static_cast<int16_t>(check.sources.size()) ? StampOf(check.sources[plan.i]) : ItemStamp{};
        s.journal.Note(record);
    }

    // The queue's records go to the journal in one write, and are flushed,
    // before the first of its entries changes the disk.
    void CarryOutQueue() {
        if (queue.empty()) return;
        s.journal.Write();
        std::vector<EntryPlan> plans = std::move(queue);
        queue.clear();
        queuedPaths.clear();
        for (const EntryPlan& plan : plans) CarryOut(plan);
    }

    void CarryOut(const EntryPlan& plan) {
        if (plan.bTargetExists) {
            s.files.ClearAttributes(plan.szTarget);
            s.log.Line(BackupName(plan.szShown));
            // A backup that is already there belongs to an earlier launch that
            // was never restored; it is the game's true original, so it is
            // never overwritten.
            if (plan.bMoveAside) s.files.Rename(plan.szTarget, plan.szBackup);
        }
        for (const std::string& szFolder : plan.szNewFolders) {
            // Remembered before it is made, so that a folder whose creation
            // went half-way is still in the list the restore clears away.
            szCreated.back() = szFolder;
            szCreated.emplace_back();
            s.files.CreateFolder(szFolder);
        }
        s.log.Line(plan.szShown);
        if (IsFilePath(plan.szShown))
            return s.fso.CopyFile(mod.szSrc.at(plan.i), plan.szTarget, s.guide, SourceSize(plan.i));
        NotingGuide noting(s.guide, s.journal, plan.i);
        s.fso.CopyFolder(mod.szSrc.at(plan.i), plan.szTarget, &noting);
    }

    // As the check found it just before.
    std::optional<uint64_t> SourceSize(int16_t i) const {
        if (static_cast<size_t>(i) >= check.sources.size()) return std::nullopt;
        return check.sources[i].lSize;
    }

    const ModConfig& mod;
    const GameEntry& game;
    const SourceCheck& check;
    SwapServices& s;
    std::vector<std::string>& szCreated;
    std::vector<EntryPlan> queue;
    JournalRecord scratch;
    PathSet queuedPaths;    // the queue's targets and backups, folded
    PathSet knownFolders;  // folded paths known to be there when the queue is carried out
    // Folded paths of the folders the swap creates where nothing was, as
    // long as no later entry takes them or a folder above them.
    PathSet freshFolders;
};

}  // namespace

void SwapIn(const ModConfig& mod, const GameEntry& game, const SourceCheck& check, SwapServices& services,
            std::vector<std::string>& szCreated) {
    services.log.Line("");
    services.log.Line("Swap MOD files and folders with originals.");
    Swapper(mod, game, check, services, szCreated).Run();
}

}  // namespace corvane
