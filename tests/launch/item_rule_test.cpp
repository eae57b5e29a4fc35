// What the undo does with each item it finds: only the launch's own copies,
// as they were put there, go; whatever was made or changed during play
// stays.
#include "launch/item_rule.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr ItemStamp kNote{true, 100, 50'000'000'000};

ItemFacts File(uint64_t lSize, uint64_t lWriteTime) {
    ItemFacts item;
    item.bThere = true;
    item.lSize = lSize;
    item.lWriteTime = lWriteTime;
    return item;
}

TEST(ItemRule, OnlyTheLaunchsUnchangedCopiesGo) {
    const auto ours = [](ItemFacts item, std::vector<ItemStamp> notes = {kNote}, bool bPlayed = true) {
        item.bOurs = true;
        item.notes = std::move(notes);
        item.bPlayed = bPlayed;
        return item;
    };
    ItemFacts folder;
    folder.bThere = folder.bFolder = true;
    ItemFacts inside = File(7, 1);
    inside.bInsideOurs = true;
    const struct {
        const char* szWhat;
        ItemFacts item;
        ItemFate fate;
    } cases[] = {
        {"nothing there", ItemFacts{}, ItemFate::kNothing},
        {"the game's own item", File(100, kNote.lWriteTime), ItemFate::kNothing},
        {"an unchanged copy", ours(File(100, kNote.lWriteTime)), ItemFate::kDelete},
        {"a copy on FAT, its time rounded to two seconds", ours(File(100, kNote.lWriteTime + 19'999'999)),
         ItemFate::kDelete},
        {"a copy rewritten with the same size", ours(File(100, kNote.lWriteTime + 20'000'001)), ItemFate::kKeep},
        {"a copy rewritten at the same time", ours(File(101, kNote.lWriteTime)), ItemFate::kKeep},
        {"a copy cut short by a crash before the game ran", ours(File(50, 1), {kNote}, false), ItemFate::kDelete},
        {"either of two copies laid one over the other",
         ours(File(9, 9), {kNote, ItemStamp{true, 9, 9}}), ItemFate::kDelete},
        {"a folder the launch made or copied", ours(folder, {}), ItemFate::kClearInside},
        {"a folder where the launch put a file", ours(folder), ItemFate::kKeep},
        {"a file where the launch put a folder", ours(File(1, 1), {}), ItemFate::kKeep},
        {"something new in a folder of the launch's", inside, ItemFate::kKeep},
    };
    for (const auto& c : cases) EXPECT_EQ(FateOf(c.item), c.fate) << c.szWhat;
}

}  // namespace
}  // namespace corvane
