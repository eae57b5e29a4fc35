// Reading configuration files from memory: where lines end, how the line
// finder moves on, and what the reader makes of each kind of file.
#include "modconfig/config_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/latin_disk.h"
#include "support/memory_disk.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(LineReader, EndsLinesAtCrOrCrLfOnlyWhateverTheReadSizes) {
    const std::tuple<const char*, std::string, Lines> kCases[] = {
        {"empty file", "", {}},
        {"CR LF ends", "a\r\nb\r\n", {"a", "b"}},
        {"CR ends", "a\rb\r", {"a", "b"}},
        {"last line without end", "a\r\nb", {"a", "b"}},
        {"lone LF stays", "a\nb\r\nc", {"a\nb", "c"}},
        {"LF-only file is one line", "a\nb\n", {"a\nb\n"}},
        {"LF before CR stays", "a\n\rb", {"a\n", "b"}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"CR LF LF", "a\r\n\nb", {"a", "\nb"}},
        {"single CR LF", "\r\n", {""}},
        {"NUL and high bytes", std::string("x\0y\xff\x80\xe9\r\n", 8), {std::string("x\0y\xff\x80\xe9", 6)}},
    };
    for (const auto& [szWhat, szBytes, lstExpected] : kCases) {
        for (size_t lChunk : {0, 1, 2, 3, 7}) {
            test::MemoryInputFile file(szBytes, lChunk);
            LineReader reader(file);
            Lines lstLines;
            while (!reader.AtEnd()) lstLines.push_back(reader.ReadLine());
            EXPECT_EQ(lstLines, lstExpected) << szWhat << ", reads of " << lChunk;
        }
    }
}

// A long line and many lines are read in large pieces, not byte by byte.
TEST(LineReader, ReadsAHugeLineAndManyLinesInLargePieces) {
    const std::string szHuge(5 * 1024 * 1024, 'x');
    std::string szBytes = szHuge + "\r\n";
    for (int i = 0; i < 3000; ++i) szBytes += std::string(998, 'y') + "\r\n";
    test::MemoryInputFile file(szBytes);
    LineReader reader(file);
    EXPECT_EQ(reader.ReadLine(), szHuge);
    size_t lCount = 0;
    for (std::string szLine; FindLine(reader, std::string(998, 'y'), false, true, szLine);) ++lCount;
    EXPECT_EQ(lCount, 3000u);
    EXPECT_LE(file.lReads, static_cast<int>(szBytes.size() / 4096) + 2);
}

TEST(FindLine, SearchesOnFromTheLineAfterTheLastMatchOrFromTheTop) {
    // What to find, from the top or not, whole line or part; found, and the line.
    const std::tuple<std::string, bool, bool, bool, std::string> kSteps[] = {
        {"beta", false, false, true, "beta=1"},  // contains
        {"beta", false, false, false, ""},       // "Beta=2" differs in case; end reached
        {"gamma", false, true, false, ""},       // nothing left after the end
        {"gamma", true, true, true, "gamma"},    // rewound, whole line equal
        {"alpha", false, false, false, ""},      // before the read position
        {"beta", true, true, false, ""},         // exact: "beta=1" is not "beta"
        {"a=", true, false, true, "beta=1"},
        {"", false, false, true, "Beta=2"},      // the empty text is in every line
        {"alpha", true, true, true, "alpha"},    // rewound with lines still unread
    };
    test::MemoryInputFile file("alpha\r\nbeta=1\r\nBeta=2\r\ngamma\r\n");
    LineReader reader(file);
    for (const auto& [szFind, bRewind, bExact, bFound, szFound] : kSteps) {
        std::string szLine = "stale";
        EXPECT_EQ(FindLine(reader, szFind, bRewind, bExact, szLine), bFound) << szFind;
        EXPECT_EQ(szLine, szFound) << szFind;
    }
}

const std::string kApp = "C:\\Corvane";
const std::string kGen = "C:\\Program Files\\EA Games\\Command and Conquer Generals\\";
const std::string kZh = "C:\\Program Files\\EA Games\\Command & Conquer Generals Zero Hour\\";

Pairs PairsOf(const ModConfig& udtCfg) {
    Pairs pairs;
    for (int16_t i = 0; i < udtCfg.dCount; ++i) pairs.emplace_back(udtCfg.szSrc.at(i), udtCfg.szDst.at(i));
    return pairs;
}

// Generals is not detected here: its default folder goes, Zero Hour's is
// replaced by where it is installed.
TEST(LoadModConfig, ReadsTheFileAsItsRulesSay) {
    std::string szPairs;
    for (int i = 0; i < 32768; ++i) szPairs += "Source=s\r\nDestination=d\r\n";
    const struct {
        const char* szWhat;
        std::string szName, szBytes;
        bool bResult;
        std::string szTitle, szLocation, szModFile;
        Pairs pairs;
    } kCases[] = {
        {"full file", "Tank.zcf",
         "Location=C:\\Mods\\tank.big\r\n[Folder]\r\nSource=" + kGen + "a.ini\r\nDestination=" + kGen + "Data\\INI\r\n",
         true, "Tank", "C:\\Mods\\", "tank.big", {{kGen + "a.ini", "Data\\INI"}}},
        {"bare file name", "A.zcf", "Location=tank.big\r\n", true, "A", "", "tank.big", {}},
        {"folder only", "A.zcf", "Location=C:\\Mods\\\r\n", true, "A", "C:\\Mods\\", "", {}},
        {"one character", "A.zcf", "Location=\\\r\n", true, "A", "\\", "", {}},
        {"= in the value", "A.zcf", "Location=C:\\a=b\\x.big\r\n", true, "A", "C:\\a=b\\", "x.big", {}},
        {"backslash only before the key", "A.zcf", "X\\Location=ab", true, "A", "", "Location=ab", {}},
        {"no Location line", "A.zcf", "location=x\r\nSource=s\r\nDestination=d\r\n", false, "", "", "", {}},
        {"name without a dot", "NoDot", "Location=C:\\m\\x.big\r\nSource=s\r\nDestination=d\r\n", false, "",
         "C:\\m\\", "x.big", {}},
        {"pairs before Location are skipped", "A.zcf",
         "Source=early\r\nDestination=e\r\nLocation=\r\nSource=s\r\nDestination=d\r\n", true, "A", "", "",
         {{"s", "d"}}},
        {"keys anywhere, values untrimmed", "A.zcf",
         "Location=\r\njunk\r\n  Source=x \r\nno=Destination= y=z\r\nSource=\r\nDestination=\r\n", true, "A", "", "",
         {{"x ", "Destination= y=z"}, {"", ""}}},
        {"second Source before Destination is skipped", "A.zcf",
         "Location=\r\nSource=1\r\nSource=2\r\nDestination=d\r\nSource=3\r\n", true, "A", "", "", {{"1", "d"}}},
        {"keys are case-sensitive", "A.zcf", "Location=\r\nsource=s\r\nSource=t\r\nDESTINATION=x\r\nDestination=d\r\n",
         true, "A", "", "", {{"t", "d"}}},
        {"default folders in destinations only, every one", "A.zcf",
         "Location=\r\nSource=" + kZh + "x\r\nDestination=" + kZh + "a;" + kGen + "b;" + kZh + "\r\n",
         true, "A", "", "", {{kZh + "x", "Z:\\ZH\\a;b;Z:\\ZH\\"}}},
        // What was read before a failure stays.
        {"a pair more than a 16-bit count holds", "A.zcf", "Location=\r\n" + szPairs, true, "A", "", "",
         Pairs(32767, {"s", "d"})},
    };
    GameTable games = MakeGameTable();
    games[kZeroHour].szInstallPath = "Z:\\ZH\\";
    for (const auto& c : kCases) {
        test::MemoryDisk files;
        files.AddFile(kApp + "\\" + c.szName, c.szBytes);
        ModConfig udtCfg;
        udtCfg.AddEntry("stale", "stale");
        udtCfg.bFolderMod = true;
        EXPECT_EQ(LoadModConfig(files, games, kApp + "\\" + c.szName, udtCfg), c.bResult) << c.szWhat;
        EXPECT_EQ(udtCfg.szTitle + "|" + udtCfg.szLocation + "|" + udtCfg.szModFile,
                  c.szTitle + "|" + c.szLocation + "|" + c.szModFile) << c.szWhat;
        EXPECT_EQ(PairsOf(udtCfg), c.pairs) << c.szWhat;
        EXPECT_EQ(udtCfg.szConfigFile, c.bResult ? kApp + "\\" + c.szName : "") << c.szWhat;
        EXPECT_TRUE(udtCfg.bFolderMod) << c.szWhat;
    }
}

// Corvane's own files are UTF-8; a line that is not was written by an older
// tool in the legacy code page. Steam's Zero Hour carries the Generals files.
TEST(LoadModConfig, ReadsEachLineAsUtf8OrInTheLegacyCodePageAndFindsGeneralsInsideSteamsZeroHour) {
    const struct {
        const char* szWhat;
        std::string szBytes;
        std::string szLocation, szModFile;
        Pairs pairs;
    } kCases[] = {
        {"UTF-8", "Location=C:\\\xd0\x9c\xd0\xbe\xd0\xb4\\\xe5\x9d\xa6.big\r\nSource=\xe6\xa8\xa1\r\nDestination=" + kGen + "Data\r\n",
         "C:\\\xd0\x9c\xd0\xbe\xd0\xb4\\", "\xe5\x9d\xa6.big", {{"\xe6\xa8\xa1", "Z:\\ZH\\ZH_Generals\\Data"}}},
        {"legacy", "Location=C:\\Caf\xe9\\m.big\r\nSource=\xc4\r\nDestination=" + kZh + "\xdf\r\n", "C:\\Caf\xc3\xa9\\", "m.big",
         {{"\xc3\x84", "Z:\\ZH\\\xc3\x9f"}}},
        {"both kinds of line", "Location=C:\\Caf\xc3\xa9\\m.big\r\nSource=Caf\xe9\r\nDestination=Caf\xc3\xa9\r\n",
         "C:\\Caf\xc3\xa9\\", "m.big", {{"Caf\xc3\xa9", "Caf\xc3\xa9"}}},
        {"overlong, surrogate and cut-short forms are no UTF-8", "Location=\r\nSource=\xc0\xaf|\xed\xa0\x80\r\nDestination=\xe6\xa8\r\n",
         "", "", {{"\xc3\x80\xc2\xaf|\xc3\xad\xc2\xa0\xc2\x80", "\xc3\xa6\xc2\xa8"}}},
    };
    GameTable games = MakeGameTable();
    games[kZeroHour].szInstallPath = "Z:\\ZH\\";
    for (const auto& c : kCases) {
        test::LatinDisk files;
        files.AddFile(kApp + "\\A.zcf", c.szBytes);
        files.AddFolder("Z:\\ZH\\ZH_Generals");
        ModConfig udtCfg;
        EXPECT_TRUE(LoadModConfig(files, games, kApp + "\\A.zcf", udtCfg)) << c.szWhat;
        EXPECT_EQ(udtCfg.szLocation + "|" + udtCfg.szModFile, c.szLocation + "|" + c.szModFile) << c.szWhat;
        EXPECT_EQ(PairsOf(udtCfg), c.pairs) << c.szWhat;
    }

    // Generals' own folder comes first; without either, the text just goes.
    test::MemoryDisk files;
    files.AddFile(kApp + "\\A.zcf", "Location=\r\nSource=s\r\nDestination=" + kGen + "Data\r\n");
    files.AddFolder("Z:\\ZH\\ZH_Generals");
    for (const auto& [szGenerals, szZeroHour, szDest] :
         {std::tuple{"G:\\Gen\\", "Z:\\ZH\\", "G:\\Gen\\Data"}, {"", "Y:\\ZH\\", "Data"}}) {
        games[kGenerals].szInstallPath = szGenerals;
        games[kZeroHour].szInstallPath = szZeroHour;
        ModConfig udtCfg;
        LoadModConfig(files, games, kApp + "\\A.zcf", udtCfg);
        EXPECT_EQ(PairsOf(udtCfg), (Pairs{{"s", szDest}}));
    }
}

}  // namespace
}  // namespace corvane
