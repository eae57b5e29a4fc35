#include "launch/undo/undo_steps.h"

#include <stdexcept>

#include "launch/targets/launch_rules.h"
#include "launch/undo/pass_over_failure.h"
#include "launch/swap/aside_moves.h"

namespace corvane {

namespace {

constexpr const char* kKeptLine = "Kept what was made or changed during play:";

}  // namespace

UndoSteps::UndoSteps(const std::vector<JournalRecord>& records, UndoServices& services)
    : s(services), notes(records), kept(services.files, services.fso, services.journal) {}

void UndoSteps::Copy(const JournalRecord& copy, const std::string& szShown) {
    const bool bBackup = !copy.szBackup.empty() && s.files.Look(copy.szBackup);
    CopyFound(copy, szShown, s.files.Look(copy.szPath), bBackup);
}

void UndoSteps::CopyFound(const JournalRecord& copy, const std::string& szShown, const std::optional<ItemInfo>& item,
                          bool bBackup) {
    const std::string& szTarget = copy.szPath;
    if (copy.bWasThere) {  // merged into one of the launch's own folders, which goes with its own copy
        if (item && item->IsFolder()) ClearFolder(szTarget, szShown, "", false);
        return;
    }
    switch (FateAt(szTarget, item, false, !copy.szBackup.empty() && !bBackup)) {
    case ItemFate::kNothing:
        return;
    case ItemFate::kDelete:
        s.log.Line("Deleting swapped file:");
        s.log.Line(szShown);
        return s.fso.DeleteFile(szTarget, true);
    case ItemFate::kKeep:
        return KeepInPlace(szTarget, copy.szBackup, item->IsFolder());
    case ItemFate::kClearInside:
        return ClearFolder(szTarget, szShown, copy.szBackup);
    case ItemFate::kWait:
        throw CopyWaits(szTarget);
    }
}

void UndoSteps::RestoreBackup(const JournalRecord& rename, const std::string& szShown) {
    const std::string &szTarget = rename.szPath, &szBackup = rename.szOther;
    s.log.Line("Restoring original folder:");
    s.log.Line(szShown);
    s.files.Rename(szBackup, szTarget);
    // What was kept in the item moved with it.
    for (std::string& szKept : szPending)
        if (IsAtOrBelow(szKept, szBackup)) szKept = szTarget + szKept.substr(szBackup.size());
}

void UndoSteps::Rename(const JournalRecord& rename) {
    const std::string &szTarget = rename.szPath, &szBackup = rename.szOther;
    if (!s.files.Look(szBackup)) return;  // given back already, or gone
    if (s.files.Look(szTarget)) return TellInTheWay(szTarget, szBackup);
    RestoreBackup(rename, szTarget);
    s.problems.Note("Gave an item its name back: " + szTarget);
}

void UndoSteps::CreatedFolder(const std::string& szFolder) {
    const std::optional<ItemInfo> item = s.files.Look(szFolder);
    if (item && item->IsFolder()) ClearFolder(szFolder, szFolder, "");
}

void UndoSteps::PutBack(const JournalRecord& setAside) {
    const AsideMove move{setAside.szPath, setAside.szOther, true};
    if (!s.files.Look(move.szAside)) return;
    if (s.files.Look(move.szName)) {
        s.log.Line(TakenLine(move));
        return s.problems.Note(TakenLine(move));
    }
    s.files.Rename(move.szAside, move.szName);
    s.log.Line(MovedLine(move));
}

void UndoSteps::TellInTheWay(const std::string& szTarget, const std::string& szBackup) {
    const std::string szText = "Something new now has the name of an item of the game, which waits under another "
                               "name. Move the new item away, then rename " + szBackup + " to " + szTarget + ".";
    s.log.Line(szText);
    s.problems.Note(szText);
}

// Asked by a folder's delete of each item in it.
struct UndoSteps::Filter : DeleteFilter {
    explicit Filter(UndoSteps& steps) : steps(steps) {}
    bool Keep(const std::string& szPath, const ItemInfo& item) override {
        const ItemFate fate = steps.FateAt(szPath, item, true);
        if (fate == ItemFate::kDelete || fate == ItemFate::kClearInside) return false;
        (fate == ItemFate::kWait ? szWaiting : szKept).push_back(szPath);
        return true;
    }
    UndoSteps& steps;
    std::vector<std::string> szKept, szWaiting;
};

// One pass deletes what is the launch's and unchanged; when something is
// kept and the folder stood in for the game's own, the kept items move into
// it and the emptied copy goes. A copy inside that cannot be told changed or
// not keeps the folder, and what is kept in it, where they are. The line is
// written once it is known that the folder goes (or was about to, when a
// delete fails).
void UndoSteps::ClearFolder(const std::string& szPath, const std::string& szShown, const std::string& szBackup,
                            bool bLineIfGone) {
    Filter filter(*this);
    bool bGone = false;
    try {
        bGone = s.fso.DeleteFolder(szPath, &filter);
        if (!filter.szWaiting.empty()) throw CopyWaits(filter.szWaiting.front());
        if (!bGone && !szBackup.empty()) {
            std::vector<std::string> szMoved;
            for (const std::string& szKept : filter.szKept)
                kept.MoveInto(szKept, szBackup + szKept.substr(szPath.size()), szMoved);
            filter.szKept = std::move(szMoved);
            // Only the launch's emptied folders are left: the game's item
            // cannot have its name back before they go.
            if (!s.fso.DeleteFolder(szPath, &filter)) throw std::runtime_error("could not empty " + szPath);
            bGone = true;
        }
    } catch (...) {
        if (filter.szKept.empty() && filter.szWaiting.empty() && bLineIfGone) {
            s.log.Line("Deleting swapped folder:");
            s.log.Line(szShown);
        }
        throw;
    }
    if (bGone && bLineIfGone) {
        s.log.Line("Deleting swapped folder:");
        s.log.Line(szShown);
    }
    szPending.insert(szPending.end(), filter.szKept.begin(), filter.szKept.end());
}

// A changed copy that stood in for the game's own item makes way for it.
void UndoSteps::KeepInPlace(const std::string& szPath, const std::string& szBackup, bool bFolder) {
    std::string szNow = szPath;
    if (!szBackup.empty()) {
        szNow = kept.ChangedName(szPath, bFolder ? "" : szPath);
        kept.Move(szPath, szNow);
    }
    szPending.push_back(szNow);
}

ItemFate UndoSteps::FateAt(const std::string& szPath, const std::optional<ItemInfo>& item, bool bInsideOurs,
                          bool bBackupMissing) {
    ItemFacts facts = notes.FactsOf(szPath, item, bInsideOurs);
    facts.bBackupMissing = bBackupMissing;
    if (NeedsSource(facts)) facts.source = notes.CompareWithSources(s.files, szPath, facts);
    return FateOf(facts);
}

void UndoSteps::NameEarlierMoves(const std::vector<JournalRecord>& records) {
    for (const JournalRecord& record : records)
        if (record.step == JournalStep::kMove)
            PassOverFailure(s.problems, [&] {
                if (s.files.Look(record.szOther)) szPending.push_back(record.szOther);
            });
}

void UndoSteps::NameKept() {
    for (const std::string& szPath : szPending) {
        if (!szNamed.insert(FoldPath(szPath)).second) continue;
        s.problems.Note(std::string(kKeptLine) + " " + szPath);
        s.log.Line(kKeptLine);
        s.log.Line(szPath);
    }
    szPending.clear();
}

}  // namespace corvane
