#include "launch/undo/item_rule.h"

#include <algorithm>

namespace corvane {

namespace {

// FAT keeps a last write to two seconds, and Linux's FAT driver drops odd
// ones: a copy may read back two seconds either side of its note.
constexpr uint64_t kTimeSlack = 2 * 10000000ull;

bool Matches(const ItemFacts& item, const ItemStamp& note) {
    const uint64_t lApart =
        item.lWriteTime > note.lWriteTime ? item.lWriteTime - note.lWriteTime : note.lWriteTime - item.lWriteTime;
    return item.lSize == note.lSize && lApart <= kTimeSlack;
}

bool MatchesANote(const ItemFacts& item) {
    return std::any_of(item.notes.begin(), item.notes.end(), [&](const ItemStamp& note) { return Matches(item, note); });
}

bool SizeOfANote(const ItemFacts& item) {
    return std::any_of(item.notes.begin(), item.notes.end(), [&](const ItemStamp& note) { return note.lSize == item.lSize; });
}

bool Noted(const ItemFacts& item) { return item.bFolderPut || !item.notes.empty(); }

}  // namespace

bool NeedsSource(const ItemFacts& item) {
    if (!item.bThere || item.bFolder || item.notes.empty() || item.bOldFormat || item.bBackupMissing ||
        MatchesANote(item))
        return false;
    return SizeOfANote(item) || !item.bPlayed;
}

ItemFate FateOf(const ItemFacts& item) {
    if (!item.bThere || item.bBackupMissing) return ItemFate::kNothing;
    if (!Noted(item) && !item.bInsideOurs) return ItemFate::kNothing;
    // What such a journal tells of was the launch's whole, as it was undone then.
    if (item.bOldFormat) return item.bFolder ? ItemFate::kClearInside : ItemFate::kDelete;
    if (!Noted(item)) return ItemFate::kKeep;  // new
    if (item.bFolder) return item.bFolderPut ? ItemFate::kClearInside : ItemFate::kKeep;
    if (item.notes.empty()) return ItemFate::kKeep;  // a file where the launch put a folder
    if (MatchesANote(item) || item.source == SourceMatch::kSame) return ItemFate::kDelete;
    if (!item.bPlayed && item.source == SourceMatch::kFirstPart) return ItemFate::kDelete;  // cut short
    if (item.source == SourceMatch::kUnreadable) return ItemFate::kWait;
    return ItemFate::kKeep;
}

}  // namespace corvane
