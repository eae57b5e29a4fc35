#include "modconfig/config_file.h"

#include <gtest/gtest.h>

#include "modconfig/memory_files.h"

namespace corvane {
namespace {

using test::MemoryFileSystem;
using test::RecordingMessageBoxes;
using Pairs = std::vector<std::pair<std::string, std::string>>;

const std::string kApp = "C:\\Corvane";
const std::string kGen = "C:\\Program Files\\EA Games\\Command and Conquer Generals\\";
const std::string kZh = "C:\\Program Files\\EA Games\\Command & Conquer Generals Zero Hour\\";

GameTable Installed(const std::string& szGenerals, const std::string& szZeroHour) {
    GameTable games = MakeGameTable();
    games[kGenerals].szInstallPath = szGenerals;
    games[kZeroHour].szInstallPath = szZeroHour;
    return games;
}

Pairs PairsOf(const ModConfig& udtCfg) {
    Pairs pairs;
    for (int16_t i = 0; i < udtCfg.dCount; ++i) pairs.emplace_back(udtCfg.szSrc[i], udtCfg.szDst[i]);
    EXPECT_EQ(udtCfg.szSrc.size(), udtCfg.szDst.size());
    return pairs;
}

TEST(SaveModConfig, WritesLocationThenOneSectionPerSourceByteForByte) {
    struct Case {
        std::vector<std::string> lstSrc, lstDest;
        std::string szAfterLocation;
    } const kCases[] = {
        {{}, {}, ""},
        {{"C:\\m\\a.ini", "C:\\m\\Art"}, {kGen + "Data\\INI", "X=Y"},
         "[Folder]\r\nSource=C:\\m\\a.ini\r\nDestination=" + kGen + "Data\\INI\r\n"
         "[Folder]\r\nSource=C:\\m\\Art\r\nDestination=X=Y\r\n"},
        // The sources decide the number of sections.
        {{"s"}, {"d", "ignored"}, "[Folder]\r\nSource=s\r\nDestination=d\r\n"},
        {{"s", "t"}, {"d"}, "[Folder]\r\nSource=s\r\nDestination=d\r\n[Folder]\r\nSource=t\r\nDestination=\r\n"},
    };
    for (const Case& c : kCases) {
        MemoryFileSystem files;
        RecordingMessageBoxes boxes;
        ASSERT_TRUE(SaveModConfig(files, boxes, kApp, " Tank Rush", "D:\\\xe9t\xe9\\tank.big", c.lstSrc, c.lstDest));
        // The title is used as passed, blanks included.
        EXPECT_EQ(files.entries.at(kApp + "\\ Tank Rush.zcf").szBytes,
                  "Location=D:\\\xe9t\xe9\\tank.big\r\n" + c.szAfterLocation);
        EXPECT_EQ(files.entries.size(), 1u);
        EXPECT_TRUE(boxes.shown.empty());
    }
}

TEST(SaveModConfig, ABlankTitleIsRefusedWithAMessageAndTouchesNothing) {
    for (const std::string szTitle : {"", " ", "    "}) {
        MemoryFileSystem files;
        files.AddFile(kApp + "\\" + szTitle + ".zcf", "old");
        RecordingMessageBoxes boxes;
        EXPECT_FALSE(SaveModConfig(files, boxes, kApp, szTitle, "", {"s"}, {"d"}));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].szPrompt, "The name of the mod is missing!");
        EXPECT_EQ(boxes.shown[0].lStyle, kMsgOkOnly);
        EXPECT_EQ(files.entries.at(kApp + "\\" + szTitle + ".zcf").szBytes, "old");
    }
}

TEST(SaveModConfig, ReplacesAnExistingFileButFailsSilentlyWhenItCannot) {
    MemoryFileSystem files;
    RecordingMessageBoxes boxes;
    files.AddFile(kApp + "\\Mod.zcf", std::string(500, 'z'));
    EXPECT_TRUE(SaveModConfig(files, boxes, kApp, "Mod", "", {}, {}));
    EXPECT_EQ(files.entries.at(kApp + "\\Mod.zcf").szBytes, "Location=\r\n");

    files.AddFile(kApp + "\\Mod.zcf", "kept", kAttrReadOnly);
    EXPECT_FALSE(SaveModConfig(files, boxes, kApp, "Mod", "", {}, {}));
    EXPECT_EQ(files.entries.at(kApp + "\\Mod.zcf").szBytes, "kept");

    files.szFailOn = kApp + "\\New.zcf";
    EXPECT_FALSE(SaveModConfig(files, boxes, kApp, "New", "", {}, {}));
    EXPECT_TRUE(boxes.shown.empty());
}

struct ReadCase {
    const char* szWhat;
    std::string szName;
    std::string szBytes;
    bool bResult;
    std::string szTitle, szLocation, szModFile;
    Pairs pairs;
};

const ReadCase kReadCases[] = {
    {"full file", "Tank.zcf",
     "Location=C:\\Mods\\tank.big\r\n[Folder]\r\nSource=" + kGen + "a.ini\r\nDestination=" + kGen + "Data\\INI\r\n",
     true, "Tank", "C:\\Mods\\", "tank.big", {{kGen + "a.ini", "G:\\Gen\\Data\\INI"}}},
    {"no pairs", "A.zcf", "Location=\r\n", true, "A", "", "", {}},
    {"bare file name", "A.zcf", "Location=tank.big\r\n", true, "A", "", "tank.big", {}},
    {"folder only", "A.zcf", "Location=C:\\Mods\\\r\n", true, "A", "C:\\Mods\\", "", {}},
    {"one character", "A.zcf", "Location=\\\r\n", true, "A", "\\", "", {}},
    {"= in the value", "A.zcf", "Location=C:\\a=b\\x.big\r\n", true, "A", "C:\\a=b\\", "x.big", {}},
    {"backslash only before the key", "A.zcf", "X\\Location=ab", true, "A", "", "Location=ab", {}},
    {"title up to the first dot", "My.Mod.zcf", "Location=\r\n", true, "My", "", "", {}},
    {"no Location line", "A.zcf", "location=x\r\nSource=s\r\nDestination=d\r\n", false, "", "", "", {}},
    {"name without a dot", "NoDot", "Location=C:\\m\\x.big\r\nSource=s\r\nDestination=d\r\n", false, "", "C:\\m\\",
     "x.big", {}},
    {"LF-only file is one line", "A.zcf", "Location=C:\\m\\x.big\nSource=s\nDestination=d\n", true, "A", "C:\\m\\",
     "x.big\nSource=s\nDestination=d\n", {}},
    {"pairs before Location are skipped", "A.zcf",
     "Source=early\r\nDestination=e\r\nLocation=\r\nSource=s\r\nDestination=d\r\n", true, "A", "", "", {{"s", "d"}}},
    {"keys anywhere, values untrimmed", "A.zcf",
     "Location=\r\njunk\r\n  Source=x \r\nno=Destination= y=z\r\nSource=\r\nDestination=\r\n", true, "A", "", "",
     {{"x ", "Destination= y=z"}, {"", ""}}},
    {"second Source before Destination is skipped", "A.zcf",
     "Location=\r\nSource=1\r\nSource=2\r\nDestination=d\r\nSource=3\r\n", true, "A", "", "", {{"1", "d"}}},
    {"keys are case-sensitive", "A.zcf", "Location=\r\nsource=s\r\nSource=t\r\nDESTINATION=x\r\nDestination=d\r\n",
     true, "A", "", "", {{"t", "d"}}},
    {"default folders in destinations only, every one", "A.zcf",
     "Location=\r\nSource=" + kZh + "x\r\nDestination=" + kZh + "a;" + kGen + "b;" + kZh + "\r\n", true, "A", "", "",
     {{kZh + "x", "Z:\\ZH\\a;G:\\Gen\\b;Z:\\ZH\\"}}},
};

TEST(LoadModConfig, ReadsTheFileAsItsRulesSay) {
    for (const ReadCase& c : kReadCases) {
        MemoryFileSystem files;
        files.AddFile(kApp + "\\" + c.szName, c.szBytes);
        ModConfig udtCfg;
        udtCfg.AddEntry("stale", "stale");
        udtCfg.bFolderMod = true;
        EXPECT_EQ(LoadModConfig(files, Installed("G:\\Gen\\", "Z:\\ZH\\"), kApp + "\\" + c.szName, udtCfg), c.bResult)
            << c.szWhat;
        EXPECT_EQ(udtCfg.szTitle, c.szTitle) << c.szWhat;
        EXPECT_EQ(udtCfg.szLocation, c.szLocation) << c.szWhat;
        EXPECT_EQ(udtCfg.szModFile, c.szModFile) << c.szWhat;
        EXPECT_EQ(PairsOf(udtCfg), c.pairs) << c.szWhat;
        EXPECT_EQ(udtCfg.szConfigFile, c.bResult ? kApp + "\\" + c.szName : "") << c.szWhat;
        EXPECT_TRUE(udtCfg.bFolderMod) << c.szWhat;
    }
}

TEST(LoadModConfig, AnUndetectedGameRemovesTheDefaultFolder) {
    MemoryFileSystem files;
    files.AddFile(kApp + "\\A.zcf", "Location=\r\nSource=s\r\nDestination=" + kGen + "Data\\INI\r\n");
    ModConfig udtCfg;
    ASSERT_TRUE(LoadModConfig(files, Installed("", "Z:\\"), kApp + "\\A.zcf", udtCfg));
    EXPECT_EQ(PairsOf(udtCfg), (Pairs{{"s", "Data\\INI"}}));
}

TEST(LoadModConfig, FailuresAfterTheLocationLineKeepWhatWasRead) {
    MemoryFileSystem files;
    const GameTable games = MakeGameTable();
    ModConfig udtCfg;
    EXPECT_FALSE(LoadModConfig(files, games, kApp + "\\Missing.zcf", udtCfg));

    // A read failure half-way through the second pair.
    files.AddFile(kApp + "\\A.zcf", "Location=x\\y.big\r\nSource=1\r\nDestination=2\r\nSource=3\r\nDestination=4\r\n");
    files.lChunk = 8;
    files.lFailAtRead = 7;
    EXPECT_TRUE(LoadModConfig(files, games, kApp + "\\A.zcf", udtCfg));
    EXPECT_EQ(PairsOf(udtCfg), (Pairs{{"1", "2"}}));
    EXPECT_EQ(udtCfg.szModFile, "y.big");

    // One pair more than a 16-bit count holds.
    std::string szBytes = "Location=\r\n";
    for (int i = 0; i <= 32767; ++i) szBytes += "Source=s\r\nDestination=d\r\n";
    files.AddFile(kApp + "\\Big.zcf", szBytes);
    files.lChunk = 0;
    files.lFailAtRead = 0;
    EXPECT_TRUE(LoadModConfig(files, games, kApp + "\\Big.zcf", udtCfg));
    EXPECT_EQ(udtCfg.dCount, 32767);
    EXPECT_EQ(udtCfg.szSrc.size(), 32767u);
}

TEST(ModConfigFile, WhatIsSavedReadsBackUnchanged) {
    const std::vector<std::string> lstSrc = {"C:\\m\\Data", "", "C:\\\xe4\xf6\xfc\\x=y.ini", kGen + "a"};
    const std::vector<std::string> lstDest = {kGen + "Data\\", "", " D:\\\xff ", "D:\\"};
    MemoryFileSystem files;
    RecordingMessageBoxes boxes;
    ASSERT_TRUE(SaveModConfig(files, boxes, kApp, "Round.Trip \xe9", "C:\\m\\round.big", lstSrc, lstDest));
    ModConfig udtCfg;
    ASSERT_TRUE(LoadModConfig(files, Installed("G:\\", ""), kApp + "\\Round.Trip \xe9.zcf", udtCfg));
    EXPECT_EQ(udtCfg.szTitle, "Round");
    EXPECT_EQ(udtCfg.szLocation, "C:\\m\\");
    EXPECT_EQ(udtCfg.szModFile, "round.big");
    EXPECT_EQ(udtCfg.szSrc, lstSrc);
    EXPECT_EQ(udtCfg.szDst, (std::vector<std::string>{"G:\\Data\\", "", " D:\\\xff ", "D:\\"}));
}

}  // namespace
}  // namespace corvane
