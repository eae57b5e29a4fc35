#include "launch/swap/swap_in.h"

#include <stdexcept>
#include <string_view>

#include "launch/swap/entry_plan.h"
#include "launch/swap/place_entry.h"

namespace corvane {

namespace {

// Entries planned and noted in the journal before any of them is carried
// out, so that one write and one flush of the journal serve many of them. A
// flush takes milliseconds, as long as copying a few small files: groups
// this large keep it a small share even of a mod of thousands of them.
constexpr size_t kEntriesPerFlush = 1024;

// The order of the swap: entries are planned and noted in groups, and each
// group's records are written and flushed before the first of its entries
// changes the disk.
class Swapper {
public:
    Swapper(const ModConfig& mod, const GameEntry& game, const SourceCheck& check, SwapServices& services,
            std::vector<std::string>& szCreated)
        : mod(mod), game(game), check(check), s(services), szCreated(szCreated), planner(services.files) {}

    void Run() {
        for (int16_t i = 0; i < mod.dCount; ++i) {
            EntryPlan plan;
            plan.i = i;
            Planned([&] {
                // An entry without a target throws, with why it has none.
                if (!check.targets.at(i)) return EntryPlanner::Aim(plan, TargetAt(mod, i, game));
                EntryPlanner::Aim(plan, *check.targets[i]);
            });
            if (queue.size() >= kEntriesPerFlush || DependsOnQueue(plan)) CarryOutQueue();
            Planned([&] { planner.LookAtDisk(plan); });
            NoteEntry(plan, mod.szSrc.at(i), SourceStamp(i), scratch, s.journal);
            queuedPaths.insert(plan.szFolded);
            queuedPaths.insert(plan.szFolded + kBackupSuffix);
            queue.push_back(std::move(plan));
        }
        CarryOutQueue();
    }

private:
    // BackupName's ending, already in folded form.
    static constexpr const char* kBackupSuffix = ".original";

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

    void CarryOutQueue() {
        if (queue.empty()) return;
        s.journal.Write();
        std::vector<EntryPlan> plans = std::move(queue);
        queue.clear();
        queuedPaths.clear();
        for (const EntryPlan& plan : plans) PlaceEntry(plan, mod.szSrc.at(plan.i), SourceSize(plan.i), s, szCreated);
    }

    // As the check found it just before.
    ItemStamp SourceStamp(int16_t i) const {
        return static_cast<size_t>(i) < check.sources.size() ? StampOf(check.sources[i]) : ItemStamp{};
    }
    std::optional<uint64_t> SourceSize(int16_t i) const {
        if (static_cast<size_t>(i) >= check.sources.size()) return std::nullopt;
        return check.sources[i].lSize;
    }

    const ModConfig& mod;
    const GameEntry& game;
    const SourceCheck& check;
    SwapServices& s;
    std::vector<std::string>& szCreated;
    EntryPlanner planner;
    std::vector<EntryPlan> queue;
    JournalRecord scratch;
    PathSet queuedPaths;  // the queue's targets and backups, folded
};

}  // namespace

void SwapIn(const ModConfig& mod, const GameEntry& game, const SourceCheck& check, SwapServices& services,
            std::vector<std::string>& szCreated) {
    services.log.Line("");
    services.log.Line("Swap MOD files and folders with originals.");
    Swapper(mod, game, check, services, szCreated).Run();
}

}  // namespace corvane
