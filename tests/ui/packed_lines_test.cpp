// The log's store of lines: every line comes back as it was added, whatever
// it shares with the lines before it, across the lines kept whole and the
// blocks; a log of paths takes far less than its text.
#include "ui/packed_lines.h"

#include <gtest/gtest.h>

namespace corvane::ui {
namespace {

using Lines = std::vector<std::string>;

Lines Paths(size_t lCount, const std::string& szFolder) {
    Lines lines;
    for (size_t i = 0; i < lCount; ++i) lines.push_back(szFolder + "\\F" + std::to_string(i % 12) + "\\" + std::to_string(i) + ".ini");
    return lines;
}

TEST(PackedLines, GivesBackEveryLineAsItWasAdded) {
    const std::string szLong(200000, 'x');  // longer than a block, and its count three bytes long
    const struct {
        const char* szWhat;
        Lines lines;
    } cases[] = {
        {"empty lines and repeats", {"", "", "a", "a", "", "ab", "a", "abc", "abc"}},
        {"a line the start of the one before, and the other way", {"C:\\Game\\Data", "C:\\Game", "C:\\Game\\Data\\INI"}},
        {"lines of more than 127 bytes shared and not", {std::string(300, 'p') + "1", std::string(300, 'p') + "2",
                                                         std::string(130, 'q')}},
        {"a line longer than a block between short ones", {"C:\\a", szLong, szLong + "y", "C:\\a", szLong}},
        {"many paths of one folder, across blocks", Paths(5000, "C:\\Program Files\\EA Games\\Generals\\Data")},
    };
    for (const auto& c : cases) {
        PackedLines packed;
        for (const std::string& szLine : c.lines) packed.Add(szLine);
        ASSERT_EQ(packed.Count(), c.lines.size()) << c.szWhat;
        for (size_t i = 0; i < c.lines.size(); ++i) ASSERT_EQ(packed.Line(i), c.lines[i]) << c.szWhat << ", line " << i;
        EXPECT_EQ(packed.Line(c.lines.size()), "") << c.szWhat;
    }
}

// Cleared, it starts again from nothing: the launch window's test, where a
// new window shows a new log.
TEST(PackedLines, ALogOfPathsTakesFarLessThanItsText) {
    PackedLines packed;
    size_t lText = 0;
    for (const Lines& part : {Paths(20000, "Checking...D:\\Mods\\Small\\Data"), Paths(20000, "C:\\Games\\Generals\\Data")}) {
        for (const std::string& szLine : part) {
            packed.Add(szLine);
            lText += szLine.size();
        }
    }
    EXPECT_LT(packed.Bytes(), lText / 2);
}

}  // namespace
}  // namespace corvane::ui
