// What the undo does with each item it finds: only the launch's own copies,
// as they were put there, go; whatever was made or changed during play
// stays; what cannot be told waits. And how a copy is told from its source.
#include "launch/undo/item_rule.h"

#include <gtest/gtest.h>

#include "launch/undo/placed_notes.h"
#include "support/memory_disk.h"

namespace corvane {
namespace {

constexpr ItemStamp kNote{true, 100, 50'000'000'000};
constexpr uint64_t kSecond = 10'000'000;

ItemFacts File(uint64_t lSize, uint64_t lWriteTime) {
    ItemFacts item;
    item.bThere = true;
    item.lSize = lSize;
    item.lWriteTime = lWriteTime;
    return item;
}

ItemFacts Ours(ItemFacts item, std::vector<ItemStamp> notes = {kNote}, bool bPlayed = true,
               SourceMatch source = SourceMatch::kUnknown) {
    item.bFolderPut = notes.empty();
    item.notes = std::move(notes);
    item.bPlayed = bPlayed;
    item.source = source;
    return item;
}

ItemFacts Folder() {
    ItemFacts folder;
    folder.bThere = folder.bFolder = true;
    return folder;
}

ItemFacts Inside(ItemFacts item) {
    item.bInsideOurs = true;
    return item;
}

ItemFacts NoBackup(ItemFacts item) {
    item.bBackupMissing = true;
    return item;
}

ItemFacts OldFormat(ItemFacts item) {
    item.bOldFormat = true;
    return item;
}

TEST(ItemRule, OnlyTheLaunchsUnchangedCopiesGo) {
    const uint64_t t = kNote.lWriteTime;
    const struct {
        const char* szWhat;
        ItemFacts item;
        ItemFate fate;
        bool bNeedsSource;
    } cases[] = {
        {"nothing there", ItemFacts{}, ItemFate::kNothing, false},
        {"the game's own item", File(100, t), ItemFate::kNothing, false},
        {"an unchanged copy", Ours(File(100, t)), ItemFate::kDelete, false},
        {"a copy on FAT, stamped up to two seconds later", Ours(File(100, t + 2 * kSecond)), ItemFate::kDelete, false},
        {"a copy on FAT or exFAT, read back up to two seconds earlier", Ours(File(100, t - 2 * kSecond)),
         ItemFate::kDelete, false},
        {"a copy rewritten with the same size, not yet compared", Ours(File(100, t + 2 * kSecond + 1)), ItemFate::kKeep,
         true},
        {"...and its bytes its source's: the time alone moved (an hour, a share)",
         Ours(File(100, t + 3600 * kSecond), {kNote}, true, SourceMatch::kSame), ItemFate::kDelete, true},
        {"...and its bytes not its source's", Ours(File(100, t - 3 * kSecond), {kNote}, true, SourceMatch::kDifferent),
         ItemFate::kKeep, true},
        {"...and its source not to be read (a stick pulled, a folder moved)",
         Ours(File(100, t + 3600 * kSecond), {kNote}, true, SourceMatch::kUnreadable), ItemFate::kWait, true},
        {"a copy rewritten at the same time with another size", Ours(File(101, t)), ItemFate::kKeep, false},
        {"the first part of its source after the game ran", Ours(File(50, 1), {kNote}, true, SourceMatch::kFirstPart),
         ItemFate::kKeep, false},
        {"cut short by a crash before the game ran", Ours(File(50, 1), {kNote}, false, SourceMatch::kFirstPart),
         ItemFate::kDelete, true},
        {"rewritten before the game ran from here (the game started from its store)",
         Ours(File(50, 1), {kNote}, false, SourceMatch::kDifferent), ItemFate::kKeep, true},
        {"an unchanged copy whose game item is not under its backup name (the rename never came)",
         NoBackup(Ours(File(100, t + 3600 * kSecond), {kNote}, true, SourceMatch::kSame)), ItemFate::kNothing, false},
        {"either of two copies laid one over the other", Ours(File(9, 9), {kNote, ItemStamp{true, 9, 9}}),
         ItemFate::kDelete, false},
        {"a folder the launch made or copied", Ours(Folder(), {}), ItemFate::kClearInside, false},
        {"a folder where the launch put a file", Ours(Folder()), ItemFate::kKeep, false},
        {"a file where the launch put a folder", Ours(File(1, 1), {}), ItemFate::kKeep, false},
        {"something new in a folder of the launch's", Inside(File(7, 1)), ItemFate::kKeep, false},
        {"a new folder in a folder of the launch's", Inside(Folder()), ItemFate::kKeep, false},
        {"an old journal's copy, whatever it holds now", OldFormat(Ours(File(7, 1), {ItemStamp{}})), ItemFate::kDelete,
         false},
        {"something new in an old journal's folder", OldFormat(Inside(File(7, 1))), ItemFate::kDelete, false},
        {"a folder in an old journal's folder", OldFormat(Inside(Folder())), ItemFate::kClearInside, false},
        {"the game's own item beside an old journal's copy", OldFormat(File(7, 1)), ItemFate::kNothing, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FateOf(c.item), c.fate) << c.szWhat;
        EXPECT_EQ(NeedsSource(c.item), c.bNeedsSource) << c.szWhat;
    }
}

// Read side by side a block at a time: only a source's first part, and no
// more, is a copy cut short; a source and more is another file. Of two
// copies laid at one path, the later one's source tells. A source that
// cannot be read tells nothing, and no other source outweighs that but one
// the file is or begins.
TEST(ItemRule, ACopyIsComparedWithEachSourceLaidAtItsPath) {
    const std::string kBlock(1 << 16, 'x'), kGone = "(not to be read)", szPath = "C:\\Gen\\Data\\Tex\\u.ini";
    const struct {
        const char* szWhat;
        std::string szFile;
        std::vector<std::string> szSources;  // in the order they were laid
        SourceMatch match;
    } cases[] = {
        {"the same bytes", "mod's u", {"mod's u"}, SourceMatch::kSame},
        {"the first part", "mod'", {"mod's u"}, SourceMatch::kFirstPart},
        {"longer, with the same start", "mod's u and more", {"mod's u"}, SourceMatch::kDifferent},
        {"differing in the first block", "mod's v", {"mod's u"}, SourceMatch::kDifferent},
        {"exactly one read block long", kBlock, {kBlock}, SourceMatch::kSame},
        {"a block and a byte, its source one block", kBlock + "y", {kBlock}, SourceMatch::kDifferent},
        {"cut short in the second copy", "patch", {"base's u", "patch's u"}, SourceMatch::kFirstPart},
        {"its source not to be read", "mod's u", {kGone}, SourceMatch::kUnreadable},
        {"one source not to be read, the other differing", "mod's v", {kGone, "mod's u"}, SourceMatch::kUnreadable},
    };
    for (const auto& c : cases) {
        test::MemoryDisk disk;
        disk.AddFile(szPath, c.szFile);
        std::vector<JournalRecord> records;
        for (size_t i = 0; i < c.szSources.size(); ++i) {
            const std::string szSource = "D:\\Mod" + std::to_string(i) + "\\Tex";
            if (c.szSources[i] != kGone) disk.AddFile(szSource + "\\u.ini", c.szSources[i]);
            records.push_back(RecordOf(JournalStep::kCopy, "C:\\Gen\\Data\\Tex", szSource));
            records.push_back(RecordOf(JournalStep::kPlace, szPath));
            records.back().stamp = {true, c.szSources[i].size(), 1};
        }
        const PlacedNotes notes(records);
        EXPECT_EQ(notes.CompareWithSources(disk, szPath, notes.FactsOf(szPath, disk.Look(szPath), false)), c.match)
            << c.szWhat;
    }
}

}  // namespace
}  // namespace corvane
