#include "state/game_table.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "support/fake_registry.h"

namespace corvane {
namespace {

using test::Dword;
using test::FakeRegistry;
using test::Text;

using Keys = std::map<std::string, FakeRegistry::Values>;

// What each game's key holds, and the four rows it gives: folders and titles.
TEST(GameTable, EachGameFillsItsRowAndItsWorldBuilderRowFromWhatItsKeyHolds) {
    const std::string szLongest = std::string("C:\\").append(252, 'x'), szTooLong = szLongest + "x";
    const struct {
        const char* szWhat;
        Keys keys;
        std::array<std::string, 4> szFolders, szTitles;
    } cases[] = {
        {"nothing installed", {}, {"", "", "", ""},
         {"Generals Version 0.00", "Zero Hour Generals Expansion Version 0.00", "Generals WorldBuilder Version 0.00",
          "Zero Hour WorldBuilder Version 0.00"}},
        {"Zero Hour alone", {{kZeroHourKey, {{"InstallPath", Text("D:\\ZH\\")}, {"Version", Dword(0x00010004)}}}},
         {"", "D:\\ZH\\", "", "D:\\ZH\\"},
         {"Generals Version 0.00", "Zero Hour Generals Expansion Version 1.04", "Generals WorldBuilder Version 0.00",
          "Zero Hour WorldBuilder Version 1.04"}},
        // Names are joined straight onto a folder: without its backslash,
        // the program would be C:\Games\ZHGenerals.exe, beside the game.
        {"a folder without its backslash gets one, version unreadable",
         {{kGeneralsKey, {{"InstallPath", Text("C:\\Games\\ZH")}, {"Version", std::string("1.08 text", 9)}}}},
         {"C:\\Games\\ZH\\", "", "C:\\Games\\ZH\\", ""}, {"Generals Version 0.00", "", "", ""}},
        {"a folder that is no full path", {{kGeneralsKey, {{"InstallPath", Text(" C:\\G  ")}}}}, {"", "", "", ""},
         {"", "", "", ""}},
        {"a version but no folder", {{kGeneralsKey, {{"Version", Dword(0x00010008)}}}}, {"", "", "", ""},
         {"Generals Version 1.08", "", "", ""}},
        {"the longest folder that fits", {{kGeneralsKey, {{"InstallPath", Text(szLongest)}}}},
         {szLongest + "\\", "", szLongest + "\\", ""}, {"", "", "", ""}},
        {"a folder that does not fit", {{kGeneralsKey, {{"InstallPath", Text(szTooLong)}}}}, {"", "", "", ""},
         {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        FakeRegistry registry;
        registry.keys = c.keys;
        GameTable games = MakeGameTable();
        ReadGameTable(registry, games);
        AppendVersionTitles(games);
        for (size_t lRow = 0; lRow < 4; ++lRow) {
            EXPECT_EQ(games[lRow].szInstallPath, c.szFolders[lRow]) << c.szWhat << ", row " << lRow;
            if (!c.szTitles[lRow].empty()) {
                EXPECT_EQ(games[lRow].szTitle, c.szTitles[lRow]) << c.szWhat;
            }
        }
    }
}

TEST(GameTable, VersionsRoundTheMajorHalfToEvenTakeTheLowByteAndShowTwoDigitsAtLeast) {
    const struct {
        uint32_t lBits;
        int16_t dMajor, dMinor;
    } cases[] = {
        {0x00010008, 1, 8}, {0x00010004, 1, 4},
        {0x00010104, 1, 4},  // bits 8 to 15 do not enter the minor version
        {0x00018000, 2, 0}, {0x00028000, 2, 0},  // an exact half goes to the even neighbour
        {0x00017FFF, 1, 255}, {0x00018001, 2, 1}, {0x0001007B, 1, 123}, {0, 0, 0},
        {0xFFFF0003, -1, 3}, {0x80000000, -32768, 0},  // divided as signed values
        {0x7FFF8000, 32767, 0}, {0x7FFFFFFF, 32767, 255},  // held at the 16-bit limit
    };
    for (const auto& c : cases) {
        const GameVersion version = DecodeVersion(static_cast<int32_t>(c.lBits));
        EXPECT_EQ(version.dMajor, c.dMajor) << std::hex << c.lBits;
        EXPECT_EQ(version.dMinor, c.dMinor) << std::hex << c.lBits;
    }
    GameTable games = MakeGameTable();
    games[1].dVerMajor = 12;
    games[1].dVerMinor = 123;
    AppendVersionTitles(games);
    EXPECT_EQ(games[1].szTitle, "Zero Hour Generals Expansion Version 12.123");
}

}  // namespace
}  // namespace corvane
