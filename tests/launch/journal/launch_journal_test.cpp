// The launch journal's records on the disk: a write cut short, a torn or
// damaged record, and the bytes of this and the previous release.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "launch/journal/journal_records.h"
#include "launch/journal/launch_journal.h"
#include "platform/platform_error.h"
#include "support/memory_disk.h"

namespace corvane::test {
namespace {

TEST(LaunchJournal, AWriteCutShortIsCutBackBeforeTheNextOne) {
    MemoryDisk disk;
    LaunchJournal journal(disk);
    const std::vector<JournalRecord> records = {RecordOf(JournalStep::kBegin, "C:\\G\\", "x"), GameRecord({42, 7, "Generals.exe"}),
                                                GameRecord({43, 8, "game.dat"})};
    journal.WriteNow(records[0]);
    journal.Note(records[1]);
    disk.FailAt(2, Fault::kShortWrite);
    EXPECT_THROW(journal.Write(), PlatformError);
    journal.WriteNow(records[2]);
    EXPECT_EQ(DecodeJournal(*disk.Read()), records);
}

TEST(LaunchJournal, ReadsBackUpToTheFirstTornOrDamagedRecord) {
    JournalRecord copy = RecordOf(JournalStep::kCopy, "C:\\G\\a", "D:\\a");
    copy.szBackup = "C:\\G\\a.original";
    copy.bWasThere = true;
    copy.stamp = {true, 12, 1234567890123};
    copy.dEntry = 3;
    const std::vector<JournalRecord> records = {RecordOf(JournalStep::kBegin, "C:\\G\\", "x"), copy,
                                                GameRecord({42, 1234567890123, "Generals.exe"})};
    std::string szAll;
    for (const JournalRecord& record : records) szAll += EncodeRecord(record);
    const size_t lSecond = EncodeRecord(records[0]).size();
    std::string szDamaged = szAll;
    szDamaged[lSecond + 12] ^= 1;
    std::string szUnknown = szAll;
    szUnknown[lSecond + 8] = 9;
    const std::pair<std::string, size_t> cases[] = {
        {szAll, 3}, {szAll.substr(0, szAll.size() - 1), 2}, {szAll.substr(0, lSecond + 3), 1},
        {szDamaged, 1}, {szUnknown, 1}, {"", 0},
    };
    for (const auto& [szBytes, lKept] : cases)
        EXPECT_EQ(DecodeJournal(szBytes), std::vector(records.begin(), records.begin() + lKept)) << szBytes.size();
}

// The journal's bytes as this release writes them and as the one before did
// (without the mark of the format): both are read back, and a record read
// from the older journal is written back as it was.
TEST(LaunchJournal, RecordsOfThisAndThePreviousReleaseReadBackFromTheirBytes) {
    using namespace std::string_literals;
    const std::string szFields =  // step, was there, process, start time, then the three paths
        "\x04\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00\x00\x00\x00\x00"
        "\x0a\x00\x00\x00" "C:\\G\\a.ini" "\x0a\x00\x00\x00" "D:\\M\\a.ini"
        "\x13\x00\x00\x00" "C:\\G\\a.ini.original"
        // the stamp (known, size, last write), the entry
        "\x01" "\x07\x00\x00\x00\x00\x00\x00\x00" "\x01\x00\x00\x00\x00\x00\xd0\x01" "\x02\x00"s;
    const struct {
        std::string szBytes;  // the frame (length, checksum), the fields
        uint16_t dFormat;
    } cases[] = {
        {std::string("\x56\x00\x00\x00" "\x53\x96\xf4\xa7", 8) + szFields + std::string("\x03\x00", 2), 3},
        {std::string("\x54\x00\x00\x00" "\xe1\x1b\x2e\xdc", 8) + szFields, 2},
    };
    JournalRecord copy = RecordOf(JournalStep::kCopy, "C:\\G\\a.ini", "D:\\M\\a.ini");
    copy.szBackup = "C:\\G\\a.ini.original";
    copy.stamp = {true, 7, 0x01D0000000000001ull};
    copy.dEntry = 2;
    for (const auto& c : cases) {
        copy.dFormat = c.dFormat;
        EXPECT_EQ(DecodeJournal(c.szBytes), std::vector{copy}) << c.dFormat;
        EXPECT_EQ(EncodeRecord(copy), c.szBytes) << c.dFormat;
    }
}

}  // namespace
}  // namespace corvane::test
