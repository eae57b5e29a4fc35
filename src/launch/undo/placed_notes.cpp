#include "launch/undo/placed_notes.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include "launch/targets/launch_rules.h"

namespace corvane {

namespace {

// The source of a file a folder copy placed: the same place below the
// folder copy's source.
std::string SourceBelow(const JournalRecord* copy, const std::string& szPath) {
    if (!copy || !IsAtOrBelow(szPath, copy->szPath)) return "";
    return copy->szOther + szPath.substr(copy->szPath.size());
}

// Reads until the buffer is full or the file ends.
size_t ReadFull(InputFile& file, std::vector<char>& buffer) {
    size_t lDone = 0;
    while (lDone < buffer.size()) {
        const size_t lRead = file.Read(buffer.data() + lDone, buffer.size() - lDone);
        if (lRead == 0) break;
        lDone += lRead;
    }
    return lDone;
}

bool PutsSomething(const JournalRecord& record) {
    return !record.bWasThere && (record.step == JournalStep::kCreateFolder || record.step == JournalStep::kCopy ||
                                 record.step == JournalStep::kPlace);
}

}  // namespace

PlacedNotes::PlacedNotes(const std::vector<JournalRecord>& records) {
    bOldFormat = !records.empty() && records.front().dFormat < 2;
    std::map<int16_t, const JournalRecord*> copyOf;  // each entry's latest copy
    for (const JournalRecord& record : records) {
        if (record.step == JournalStep::kGameStarting) bPlayed = true;
        if (record.step == JournalStep::kCopy) copyOf[record.dEntry] = &record;
        if (!PutsSomething(record)) continue;
        Note& note = notes[FoldPath(record.szPath)];
        // Old journals noted no stamps: their copies are told apart by how
        // they were copied.
        const bool bFile = bOldFormat ? record.step == JournalStep::kCopy && IsFilePath(record.szPath)
                                      : record.stamp.bKnown;
        if (!bFile) {
            note.bFolder = true;
        } else {
            const JournalRecord* copy = record.step == JournalStep::kPlace ? copyOf[record.dEntry] : nullptr;
            note.files.push_back({record.stamp, copy ? SourceBelow(copy, record.szPath) : record.szOther});
        }
    }
}

const PlacedNotes::Note* PlacedNotes::Find(const std::string& szPath) const {
    const auto it = notes.find(FoldPath(szPath));
    return it == notes.end() ? nullptr : &it->second;
}

ItemFacts PlacedNotes::FactsOf(const std::string& szPath, const std::optional<ItemInfo>& item, bool bInsideOurs) const {
    ItemFacts facts;
    facts.bThere = item.has_value();
    facts.bFolder = item && item->IsFolder();
    facts.lSize = item ? item->lSize : 0;
    facts.lWriteTime = item ? item->lWriteTime : 0;
    facts.bInsideOurs = bInsideOurs;
    facts.bPlayed = bPlayed;
    facts.bOldFormat = bOldFormat;
    if (const Note* note = Find(szPath)) {
        facts.bFolderPut = note->bFolder;
        for (const Placed& placed : note->files) facts.notes.push_back(placed.stamp);
    }
    return facts;
}

SourceMatch PlacedNotes::CompareWithSources(FileSystem& files, const std::string& szPath, const ItemFacts& facts) const {
    const Note* note = Find(szPath);
    SourceMatch best = SourceMatch::kUnknown;
    for (const Placed& placed : note ? note->files : std::vector<Placed>{}) {
        if (placed.szSource.empty() || (facts.bPlayed && placed.stamp.lSize != facts.lSize)) continue;
        best = std::max(best, CompareWithSource(files, szPath, placed.szSource));
        if (best == SourceMatch::kSame) break;
    }
    return best;
}

SourceMatch CompareWithSource(FileSystem& files, const std::string& szFile, const std::string& szSource) {
    try {
        const std::unique_ptr<InputFile> file = files.OpenInput(szFile);
        const std::unique_ptr<InputFile> source = files.OpenInput(szSource);
        std::vector<char> one(1 << 16), other(1 << 16);
        for (;;) {
            const size_t lOne = ReadFull(*file, one);
            const size_t lOther = ReadFull(*source, other);
            if (!std::equal(one.begin(), one.begin() + std::min(lOne, lOther), other.begin()))
                return SourceMatch::kDifferent;
            if (lOne < lOther) return SourceMatch::kFirstPart;  // the file ended first
            if (lOne > lOther) return SourceMatch::kDifferent;
            if (lOne < one.size()) return SourceMatch::kSame;
        }
    } catch (const std::exception&) {
        return SourceMatch::kUnreadable;
    }
}

}  // namespace corvane
