#include "launch/swap/place_entry.h"

namespace corvane {

namespace {

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

}  // namespace

void NoteEntry(const EntryPlan& plan, const std::string& szSource, const ItemStamp& sourceStamp, JournalRecord& record,
               LaunchJournal& journal) {
    record.dEntry = plan.i;
    if (plan.bTargetExists) {
        record.step = JournalStep::kRename;
        record.szPath = plan.szTarget;
        record.szOther = plan.szBackup;
        record.szBackup.clear();
        record.bWasThere = !plan.bMoveAside;
        record.stamp = plan.targetStamp;
        journal.Note(record);
    }
    record.szOther.clear();
    record.szBackup.clear();
    record.stamp = {};
    record.bWasThere = false;
    for (const std::string& szFolder : plan.szNewFolders) {
        record.step = JournalStep::kCreateFolder;
        record.szPath = szFolder;
        journal.Note(record);
    }
    record.step = JournalStep::kCopy;
    record.szPath = plan.szTarget;
    record.szOther = szSource;
    record.szBackup = plan.bMoveAside ? plan.szBackup : "";
    record.bWasThere = plan.bTargetExists && !plan.bMoveAside;  // merged into what is there
    record.stamp = sourceStamp;
    journal.Note(record);
}

void PlaceEntry(const EntryPlan& plan, const std::string& szSource, std::optional<uint64_t> lSourceSize,
                SwapServices& s, std::vector<std::string>& szCreated) {
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
    if (IsFilePath(plan.szShown)) return s.fso.CopyFile(szSource, plan.szTarget, s.guide, lSourceSize);
    NotingGuide noting(s.guide, s.journal, plan.i);
    s.fso.CopyFolder(szSource, plan.szTarget, &noting);
}

}  // namespace corvane
