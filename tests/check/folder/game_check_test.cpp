// What the check of a game folder reports, item by item: the game's own
// archives (by name, at the top only, of either game), stray archives (by
// their header, and whether they load before the game's own), loose files
// against the game's own, each kind of leftover, wrappers, the program's
// build, and a clean folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "check/folder/big_header.h"
#include "check/folder/check_lines.h"
#include "check/folder/folder_check.h"
#include "support/memory_disk.h"

namespace corvane::test {
namespace {

const std::string G = "C:\\Games\\Gen\\", Z = "C:\\Games\\ZH\\";
const std::nullopt_t kFolder = std::nullopt;
const char* const kObjects = "Loose file: Data\\INI\\Object\\ (4 files)";

// A disk whose game programs are all the Zero Hour 1.04 of the table.
struct KnownProgramDisk : MemoryDisk {
    std::string Sha256(const std::string&) override {
        return "F37A4929F8D697104E99C2BCF46F8D833122C943AFCD87FD077DF641D344495B";
    }
};

// The check as the window makes it, with the program.
FolderCheck Checked(const std::vector<CheckedFolder>& folders, const std::string& szProgram, MemoryDisk& disk,
                    const std::set<std::string>& szLeftAlone = {}) {
    FolderCheck check = CheckGameFolders(folders, disk, szLeftAlone);
    AddProgram(check, szProgram, disk);
    return check;
}

std::vector<std::string> Sorted(std::vector<std::string> szLines) {
    std::sort(szLines.begin(), szLines.end());
    return szLines;
}

TEST(GameCheck, TellsEachItemByItsKindAndNeverTakesAStrayForTheGamesOwn) {
    const struct {
        const char* szPath;     // below the Generals folder
        std::optional<std::string> szContent;  // none for a folder
        const char* szLine;     // "" when the game has it, or it does not matter to the game
    } items[] = {
        // The game's own archives: either game's names, any letter case, at the top or in ZH_Generals.
        {"INI.big", "BIGF", ""}, {"inizh.BIG", "BIGF", ""}, {"W3DGerman2ZH.big", "BIGF", ""}, {"ZH_Generals\\Patch.big", "BIGF", ""},
        // A backup beside one: the original of a replaced archive where it differs, sizes alike or not.
        {"INI.big.bak", "BIGX", "Replaced archive: INI.big (the game's own is kept as INI.big.bak)"},
        // An archive that says it holds no file; one whose header is cut short may hold some.
        {"Empty.big", std::string("BIGF\x18\0\0\0\0\0\0\0\0\0\0\x18", 16), "Empty archive: Empty.big (holds no file: the game loads nothing from it)"},
        {"One.big", std::string("BIG4\x40\0\0\0\0\0\0\x01\0\0\0\x28", 16), "Stray archive: One.big (loads before 2 of the game's 4 archives and overrides them)"},
        // Add-ons by name, a community translation among them.
        {"600_Patch104pZH.big", "BIGF", "Add-on: 600_Patch104pZH.big (the community patch)"},
        {"00RussianZH.big", "BIGF", "Add-on: 00RussianZH.big (Russian: the player's language, a community translation)"},
        // The same names lower down, and other names, by their header.
        {"Data\\INI.big", "BIGF", "Stray archive: Data\\INI.big (loads before the game's own archives and overrides them)"},
        {"Mod.big", "BIG4", "Stray archive: Mod.big (loads before 2 of the game's 4 archives and overrides them)"},
        {"ZH_Generals\\Sub\\INI.big", "BIGF", "Stray archive: ZH_Generals\\Sub\\INI.big (loads after the game's own archives)"},
        {"Data\\notes.big", "BIG", "Leftover: Data\\notes.big (named like an archive but none: the game skips it)"},
        // Loose files where the game reads them, not where a clean game keeps its own; many make one line.
        {"Data\\INI\\GameData.ini", "x", "Loose file: Data\\INI\\GameData.ini"},
        {"Art\\Textures\\a.DDS", "x", "Loose file: Art\\Textures\\a.DDS"},
        {"Window\\Menus\\m.wnd", "x", "Loose file: Window\\Menus\\m.wnd"},
        {"Maps\\m\\m.map", "x", "Loose file: Maps\\m\\m.map"},
        {"Data\\Scripts\\SkirmishScripts.scb", "x", ""}, {"Data\\Movies\\a.tga", "x", ""},
        {"Data\\Cursors\\a.tga", "x", ""}, {"Data\\WaterPlane\\a.tga", "x", ""}, {"MSS\\mss.ini", "x", ""},
        {"Data\\readme.txt", "x", ""}, {"GameData.ini", "x", ""},
        {"Data\\INI\\Object\\a.ini", "x", kObjects}, {"Data\\INI\\Object\\b.ini", "x", kObjects},
        {"Data\\INI\\Object\\c.ini", "x", kObjects}, {"Data\\INI\\Object\\d.ini", "x", kObjects},
        // Other tools' traces, and what lies in their folders is no loose file.
        {"Data\\Mod.gib", "BIGF", "Leftover: Data\\Mod.gib (an archive GenLauncher switched off)"},
        {"a.GLR", "x", "Leftover: a.GLR (left by GenLauncher)"}, {"b.gof", "x", "Leftover: b.gof (left by GenLauncher)"},
        {"c.GLTC", "x", "Leftover: c.GLTC (left by GenLauncher)"}, {"x.ctr", "x", "Leftover: x.ctr (left by Contra's launcher)"},
        {"generals.ctr", "x", "Leftover: generals.ctr (left by Contra's launcher)"},
        {"Patch.big.bak", "BIGF", "Leftover: Patch.big.bak (a copy of an archive)"},
        {"GLM\\m.ini", "x", "Leftover: GLM\\ (GenLauncher's mods)"},
        {"GenLauncherModifications", kFolder, "Leftover: GenLauncherModifications\\ (GenLauncher's mods)"},
        {".GenLauncherFolder", kFolder, "Leftover: .GenLauncherFolder\\ (left by GenLauncher)"},
        {"Data\\Scripts1\\s.scb", "x", "Leftover: Data\\Scripts1\\ (left by Contra's launcher)"},
        {"generals.exe.ghbak", "x", "Leftover: generals.exe.ghbak (GenHub's copy of the game's program)"},
        {"generals_zh.exe", "x", "Leftover: generals_zh.exe"}, {"langdata1.dat", "x", "Leftover: langdata1.dat"},
        {"Data\\INI\\INIZH.big", "BIGF",
         "Leftover: Data\\INI\\INIZH.big (a second, outdated INIZH.big that EA's Zero Hour editions left, which the game loads)"},
        // Corvane's own backups: named unless an unfinished launch owns them, and never entered.
        {"Data\\INI.original\\x.ini", "x", "Leftover: Data\\INI.original\\ (Corvane's backup from a launch that did not finish)"},
        {"Data\\INI.original\\x.big", "BIGF", "Leftover: Data\\INI.original\\ (Corvane's backup from a launch that did not finish)"},
        {"Data\\Art.original\\x.big", "BIGF", ""},
        {"Data\\old.big.aside", "BIGF", "Set aside: Data\\old.big.aside (Put Back gives it its name back)"},
        // Wrappers and the game's own DLL that breaks it, beside the program only.
        {"d3d9.dll", "x", "Wrapper: d3d9.dll (a graphics wrapper)"},
        {"dbghelp.dll", "x", "Known problem: dbghelp.dll (crashes the game at start with recent AMD drivers)"},
        {"Data\\d3d9.dll", "x", ""}, {"Data\\dbghelp.dll", "x", ""},
    };
    KnownProgramDisk disk;
    disk.AddFile(G + "Generals.exe", "program");
    std::vector<std::string> szExpected = {"Program: Generals.exe is Zero Hour 1.04"};
    for (const auto& item : items) {
        item.szContent ? disk.AddFile(G + item.szPath, *item.szContent, item.szContent->at(0) == 'x' ? 0 : kAttrHidden)
                       : disk.AddFolder(G + item.szPath);
        if (*item.szLine && std::find(szExpected.begin(), szExpected.end(), item.szLine) == szExpected.end())
            szExpected.push_back(item.szLine);
    }
    const FolderCheck check = Checked({{G, false}}, "Generals.exe", disk, {"c:\\games\\gen\\data\\art.original"});
    const std::vector<std::string> szLines = FindingLines(check);
    EXPECT_EQ(Sorted(szLines), Sorted(szExpected));
    const std::vector<std::string> szAside = ToSetAside(check);
    EXPECT_EQ(szAside.size(), 13u) << "the stray archives, loose files and the outdated INIZH.big";
    EXPECT_NE(std::find(szAside.begin(), szAside.end(), G + "Data\\INI\\INIZH.big"), szAside.end());
}

// Zero Hour loads the Generals folder too (only its archives matter),
// unless it carries its own (Steam's ZH_Generals), or it is the same folder;
// a program that is not there says so, and a folder with nothing else (each
// language's bare archives are the game's own) is clean. Where one game lies
// inside the other's folder, each archive is named once, in its own game.
TEST(GameCheck, ZeroHourIsCheckedWithItsGeneralsFolder) {
    KnownProgramDisk known;
    GameTable games = MakeGameTable();
    games[kGenerals].szInstallPath = G;
    games[kZeroHour].szInstallPath = games[kZeroHourWorldBuilder].szInstallPath = Z;
    known.AddFile(Z + "Generals.exe", "program");
    known.AddFile(Z + "INIZH.big", "BIGF");
    for (const char* szLanguage : {"Brazilian", "Chinese", "English", "French", "German", "German2", "Italian", "Korean",
                                   "Polish", "Spanish"})  // the bare language archives, every language's
        for (const char* szGame : {"", "ZH"}) known.AddFile(Z + szLanguage + szGame + ".big", "BIGF");
    known.AddFile(G + "Stray.big", "BIGF");
    for (const char* szNotLoaded : {"d3d8.dll", "dbghelp.dll", "Data\\INI\\a.ini", "a.gof", "GLM\\x.ini"})
        known.AddFile(G + szNotLoaded, "x");
    const std::vector<CheckedFolder> both = FoldersOf(games, kZeroHourWorldBuilder, known);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(FindingLines(Checked(both, "Generals.exe", known)),
              (std::vector<std::string>{"Program: Generals.exe is Zero Hour 1.04",
                                        "Stray archive: Stray.big in the Generals folder (loads after the game's own archives)"}));
    EXPECT_EQ(FindingLines(Checked({{Z, false}}, "Generals.exe", known)),
              std::vector<std::string>{"Clean: nothing but the game's own files; Generals.exe is Zero Hour 1.04"});
    EXPECT_EQ(FindingLines(Checked({{Z, false}}, "WorldBuilder.exe", known)),
              std::vector<std::string>{"Program: WorldBuilder.exe is not there"});
    known.AddFolder(Z + "ZH_Generals");
    EXPECT_EQ(FoldersOf(games, kZeroHour, known).size(), 1u);
    games[kZeroHour].szInstallPath = "c:\\GAMES\\gen\\";
    EXPECT_EQ(FoldersOf(games, kZeroHour, known).size(), 1u) << "one folder in other letter case";
    // Hand-made layouts put Zero Hour inside the Generals folder: neither walk enters the other's.
    games[kZeroHour].szInstallPath = G + "zh\\";
    known.AddFile(G + "ZH\\INIZH.big", "BIGF");
    known.AddFile(G + "ZH\\Data\\Own.big", "BIGF");
    EXPECT_EQ(FindingLines(CheckGameFolders(FoldersOf(games, kZeroHour, known), known, {})),
              (std::vector<std::string>{"Stray archive: Data\\Own.big (loads before the game's own archives and overrides them)",
                                        "Stray archive: Stray.big in the Generals folder (loads after the game's own archives)"}));
    for (const std::string& szLine : FindingLines(CheckGameFolders(FoldersOf(games, kGenerals, known), known, {})))
        EXPECT_EQ(szLine.find("ZH\\"), std::string::npos) << szLine;
}

// Each field in its own byte order; a header cut short, or of another kind,
// is none.
TEST(GameCheck, AnArchivesHeaderIsReadInItsByteOrders) {
    const std::optional<BigHeader> header = ReadBigHeader(std::string("BIG4\x10\x20\0\0\0\0\x01\x02\0\0\0\x30", 16));
    ASSERT_TRUE(header && !ReadBigHeader("BIGF" + std::string(11, '\0')) && !ReadBigHeader("BIGX" + std::string(12, '\0')));
    EXPECT_EQ((std::vector{header->lArchiveSize, header->lFileCount, header->lTableEnd}), (std::vector<uint32_t>{0x2010, 0x102, 0x30}));
}

}  // namespace
}  // namespace corvane::test
