// The table of a game archive: both headers read, and every way a table
// can lie about its archive told as a lie (no entries kept, and hashed as
// one whole file), never a crash or a read outside the file.
#include <gtest/gtest.h>

#include "fingerprint/big_table.h"
#include "fingerprint/file_hashes.h"
#include "fingerprint/fixtures.h"
#include "platform/sha256.h"


namespace corvane::test {
namespace {

// Two files, "Data\INI\a.ini" (its table entry at 16) and "b.w3d" (at 39).
const std::string kTwo = BigBytes({{"Data\\INI\\a.ini", "alpha"}, {"b.w3d", "bravo!"}});
const uint32_t kTableEnd = 16 + 23 + 14;

TEST(BigTable, ReadsEveryEntryOfBothHeaders) {
    MemoryInputFile two(kTwo, 7);  // a disk that hands out a few bytes a read
    const BigTable table = ReadBigTable(two);
    ASSERT_EQ(table.kind, BigTableKind::kArchive) << table.szLie;
    EXPECT_EQ(table.szHeader, "BIGF");
    ASSERT_EQ(table.entries.size(), 2u);
    EXPECT_EQ(table.entries[0].szName, "Data\\INI\\a.ini");
    EXPECT_EQ(kTwo.substr(table.entries[1].lOffset, table.entries[1].lSize), "bravo!");

    MemoryInputFile four(BigBytes({{"empty.ini", ""}}, "BIG4"));
    EXPECT_EQ(ReadBigTable(four).szHeader, "BIG4");
    EXPECT_EQ(ReadBigTable(four).entries.size(), 1u);
    for (const std::string& szOther : {std::string(), std::string("PK\3\4 a zip"), std::string("BIG")}) {
        MemoryInputFile other(szOther);
        EXPECT_EQ(ReadBigTable(other).kind, BigTableKind::kNoArchive) << szOther;
    }
}

TEST(BigTable, TellsEveryLieAndHashesSuchAnArchiveWhole) {
    const struct {
        std::string szBytes;
        const char* szLie;
    } lies[] = {
        {kTwo.substr(0, 10), "its header is cut short"},
        {Patched(kTwo, 8, 0x7fffffff), "its table counts more entries than it can hold"},
        {Patched(kTwo, 8, 3), "its table counts more entries than it holds"},
        {Patched(kTwo, 12, static_cast<uint32_t>(kTwo.size() + 1)), "its table ends past the archive's end"},
        {Patched(kTwo, 12, 4), "its table ends past the archive's end"},
        {Patched(kTwo, 12, kTableEnd - 1), "a name in its table has no end"},
        {BigBytes({{std::string(5000, 'n'), "x"}}), "a name in its table has no end"},  // longer than any path
        {Patched(kTwo, 20, 0x01000000), "an entry lies past the archive's end"},
        {Patched(Patched(kTwo, 39, 0xfffffff0), 43, 0x20), "an entry lies past the archive's end"},
        {Patched(kTwo, 16, 8), "an entry overlaps its table"},
        {Patched(kTwo, 39, kTableEnd - 2), "an entry overlaps its table"},
    };
    for (const auto& lie : lies) {
        MemoryInputFile file(lie.szBytes);
        const BigTable table = ReadBigTable(file);
        EXPECT_EQ(table.kind, BigTableKind::kLies) << lie.szLie;
        EXPECT_EQ(table.szLie, lie.szLie);
        EXPECT_TRUE(table.entries.empty()) << lie.szLie;

        MemoryDisk disk;
        disk.AddFile("C:\\Game\\lie.big", lie.szBytes);
        const FileHashes hashes = HashFile(disk, "C:\\Game\\lie.big", true);
        EXPECT_EQ(hashes.as, HashedAs::kWhole);
        ASSERT_EQ(hashes.pieces.size(), 1u);
        EXPECT_EQ(hashes.pieces[0].szSha256, Sha256Hex(lie.szBytes)) << lie.szLie;
        EXPECT_EQ(hashes.szLie, lie.szLie);
    }
}

}  // namespace
}  // namespace corvane::test
