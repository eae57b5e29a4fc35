#include "launch/item_rule.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr uint64_t kTimeSlack = 2 * 10000000ull;

bool Matches(const ItemFacts& item, const ItemStamp& note) {
    const uint64_t lApart =
        item.lWriteTime > note.lWriteTime ? item.lWriteTime - note.lWriteTime : note.lWriteTime - item.lWriteTime;
    return item.lSize == note.lSize && lApart <= kTimeSlack;
}

}  // namespace

bool MatchesANote(const ItemFacts& item) {
    return std::any_of(item.notes.begin(), item.notes.end(), [&](const ItemStamp& note) { return Matches(item, note); });
}

ItemFate FateOf(const ItemFacts& item) {
    if (!item.bThere) return ItemFate::kNothing;
    if (item.bInsideOurs && !item.bOurs) return ItemFate::kKeep;  // new
    if (!item.bOurs) return ItemFate::kNothing;
    const bool bNotedFolder = item.notes.empty();
    if (item.bFolder != bNotedFolder) return ItemFate::kKeep;  // another kind of item took its place
    if (item.bFolder) return ItemFate::kClearInside;
    if (MatchesANote(item) || !item.bPlayed) return ItemFate::kDelete;
    return ItemFate::kKeep;  // changed during play
}

}  // namespace corvane
