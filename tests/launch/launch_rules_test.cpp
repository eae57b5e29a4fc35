#include "launch/launch_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace corvane {
namespace {

struct TargetCase {
    bool bFolderMod;
    const char* szSrc;
    const char* szDst;
    const char* szInstallPath;
    const char* szTarget;
};

TEST(LaunchRules, TargetJoinsPathsAsPlainText) {
    const TargetCase cases[] = {
        // A configuration entry goes into its destination under the source's own name.
        {false, "D:\\Mods\\X\\Data", "C:\\Games\\Gen", "E:\\Other\\", "C:\\Games\\Gen\\Data"},
        {false, "D:\\Mods\\X\\INI\\Weapon.ini", "C:\\Gen\\Data\\INI", "", "C:\\Gen\\Data\\INI\\Weapon.ini"},
        // Nothing is trimmed: a destination ending in a backslash gives two.
        {false, "D:\\Mods\\a.big", "C:\\Gen\\", "", "C:\\Gen\\\\a.big"},
        {false, "D:\\Mods\\Folder\\", "C:\\Gen", "", "C:\\Gen\\"},
        // A folder mod names its items relative to the game folder.
        {true, "Z:\\Corvane\\Mod\\Data\\INI\\Weapon.ini", "Data\\INI\\Weapon.ini", "C:\\Games\\Gen\\",
         "C:\\Games\\Gen\\Data\\INI\\Weapon.ini"},
        {true, "no backslash needed", "Data", "C:\\Gen\\", "C:\\Gen\\Data"},
    };
    for (const TargetCase& c : cases) {
        EXPECT_EQ(TargetPath(c.bFolderMod, c.szSrc, c.szDst, c.szInstallPath), c.szTarget) << c.szSrc;
    }
}

TEST(LaunchRules, ConfigurationSourceWithoutBackslashHasNoTarget) {
    EXPECT_THROW(TargetPath(false, "Weapon.ini", "C:\\Gen", ""), std::invalid_argument);
    EXPECT_THROW(TargetPath(false, "", "C:\\Gen", ""), std::invalid_argument);
}

TEST(LaunchRules, TargetOfUsesTheEntryAndTheGameRow) {
    ModConfig mod;
    mod.AddEntry("D:\\M\\one.ini", "Data\\A");
    mod.AddEntry("D:\\M\\Two", "C:\\G\\B");
    GameEntry game;
    game.szInstallPath = "C:\\G\\";
    EXPECT_EQ(TargetOf(mod, 1, game), "C:\\G\\B\\Two");
    mod.bFolderMod = true;
    EXPECT_EQ(TargetOf(mod, 0, game), "C:\\G\\Data\\A");
    EXPECT_THROW(TargetOf(mod, 2, game), std::out_of_range);
}

TEST(LaunchRules, DotTestLooksOnlyAtTheFirstDot) {
    const std::pair<const char*, bool> cases[] = {
        {"a.b", true},
        {"C:\\Gen\\Data\\INI\\Weapon.ini", true},
        {"C:\\Mods\\Art.Pack\\Textures", true},  // a folder, but its path has a dot
        {"Data", false},
        {"C:\\Gen\\Data", false},
        {".hidden", false},
        {".a.b", false},
        {"", false},
        {"x.", true},
    };
    for (const auto& [szPath, bFile] : cases) EXPECT_EQ(IsFilePath(szPath), bFile) << szPath;
}

TEST(LaunchRules, BackupNameAppendsOriginal) {
    EXPECT_EQ(BackupName("C:\\Gen\\Data"), "C:\\Gen\\Data.original");
    EXPECT_EQ(BackupName("C:\\Gen\\a.big"), "C:\\Gen\\a.big.original");
}

TEST(LaunchRules, ParentFoldersSkipTheFirstThreeCharacters) {
    using Folders = std::vector<std::string>;
    const std::pair<const char*, Folders> cases[] = {
        {"D:\\Games\\New\\Sub\\File.ini", {"D:\\Games", "D:\\Games\\New", "D:\\Games\\New\\Sub"}},
        {"C:\\File.ini", {}},
        {"C:\\Gen\\", {"C:\\Gen"}},
        {"\\\\srv\\share\\f.ini", {"\\\\srv", "\\\\srv\\share"}},
        {"ab\\c\\d", {"ab\\c"}},  // a backslash at the third character is passed over too
        {"Data\\INI\\x.ini", {"Data", "Data\\INI"}},
        {"", {}},
    };
    for (const auto& [szTarget, folders] : cases) EXPECT_EQ(ParentFoldersOf(szTarget), folders) << szTarget;
}

TEST(LaunchRules, OnlyMissingParentsAreCreatedOuterFirst) {
    // What the swap does with the list: the caller tests each for existence.
    const std::set<std::string> existing = {"D:\\Games"};
    std::vector<std::string> szCreate;
    for (const std::string& szFolder : ParentFoldersOf("D:\\Games\\New\\Sub\\File.ini"))
        if (!existing.count(szFolder)) szCreate.push_back(szFolder);
    EXPECT_EQ(szCreate, (std::vector<std::string>{"D:\\Games\\New", "D:\\Games\\New\\Sub"}));
}

TEST(LaunchRules, CommandLineNamesBigFilesOfTwoCharactersOrMore) {
    GameEntry game;
    game.szInstallPath = "C:\\Games\\Gen\\";
    game.szExe = "Generals.exe";
    const std::string szBase = CommandLineFor(game, " -nologo -win");
    EXPECT_EQ(szBase, "C:\\Games\\Gen\\Generals.exe -nologo -win");
    EXPECT_EQ(CommandLineFor(game, ""), "C:\\Games\\Gen\\Generals.exe");

    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"x", ""},
        {"ab", " -mod ab"},
        {"My Mod.big", " -mod My Mod.big"},
    };
    for (const auto& [szModFile, szSuffix] : cases)
        EXPECT_EQ(WithModSwitch(szBase, szModFile), szBase + szSuffix) << szModFile;
}

}  // namespace
}  // namespace corvane
