#include "launch/targets/launch_rules.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane {
namespace {

TEST(LaunchRules, TargetJoinsPathsAsPlainText) {
    const struct {
        bool bFolderMod;
        const char *szSrc, *szDst, *szInstallPath, *szTarget;  // no target: the source has no name to give
    } cases[] = {
        // A configuration entry goes into its destination under the source's own name.
        {false, "D:\\Mods\\X\\Data", "C:\\Games\\Gen", "E:\\Other\\", "C:\\Games\\Gen\\Data"},
        // Nothing is trimmed: a destination ending in a backslash gives two.
        {false, "D:\\Mods\\a.big", "C:\\Gen\\", "", "C:\\Gen\\\\a.big"},
        {false, "D:\\Mods\\Folder\\", "C:\\Gen", "", "C:\\Gen\\"},
        {false, "Weapon.ini", "C:\\Gen", "", nullptr},
        // A folder mod names its items relative to the game folder.
        {true, "Z:\\Mod\\INI\\w.ini", "Data\\INI\\w.ini", "C:\\Gen\\", "C:\\Gen\\Data\\INI\\w.ini"},
        {true, "no backslash needed", "Data", "C:\\Gen\\", "C:\\Gen\\Data"},
    };
    for (const auto& c : cases) {
        if (c.szTarget)
            EXPECT_EQ(TargetPath(c.bFolderMod, c.szSrc, c.szDst, c.szInstallPath), c.szTarget) << c.szSrc;
        else
            EXPECT_THROW(TargetPath(c.bFolderMod, c.szSrc, c.szDst, c.szInstallPath), std::invalid_argument) << c.szSrc;
    }
}

TEST(LaunchRules, AFullPathIsWhatWindowsMakesOfItInItsPlainForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Games\\Gen\\\\a.big", "C:\\Games\\Gen\\a.big"},
        {"C:\\Games\\Gen\\..\\..\\Windows\\System32", "C:\\Windows\\System32"},
        {"C:\\Games\\.\\Gen\\", "C:\\Games\\Gen"},
        {"C:\\..\\..\\x", "C:\\x"},
        {"C:\\", "C:\\"},
        {"\\\\server\\share\\..\\..\\Gen", "\\\\server\\share\\Gen"},
        // A part loses one trailing dot, the last part its dots and blanks.
        {"C:\\Games.\\Gen..\\Data. .", "C:\\Games\\Gen.\\Data"}, {"C:\\Games \\Gen", "C:\\Games \\Gen"},
        {"C:\\Games\\Gen\\a.ini ", "C:\\Games\\Gen\\a.ini"}, {"C:\\Games\\Gen\\a.ini", "C:\\Games\\Gen\\a.ini"},
        // The plain form of \\?\ paths, which are taken as they stand; //?/ is no such path.
        {"\\\\?\\UNC\\nas\\share\\Gen", "\\\\nas\\share\\Gen"}, {"\\\\?\\unix\\", "\\\\?\\unix\\"},
        {"\\\\?\\C:\\Games\\\\Gen", nullptr}, {"\\\\?\\C:\\Gen.", nullptr}, {"//?/C:/Games/../Gen", "C:\\Gen"},
        // Not full paths: what a destination for the Generals folder leaves
        // when no Generals is found, paths relative to a drive's own folder,
        // and devices.
        {"Data\\INI\\Weapon.ini", nullptr}, {"C:Data", nullptr}, {"\\Data", nullptr}, {"\\\\server", nullptr}, {"", nullptr},
        {"\\\\.\\PhysicalDrive0", nullptr}, {"\\\\?\\Volume{1}\\Games", nullptr}, {"\\\\?\\C:", nullptr},
    };
    for (const auto& [szPath, szFull] : cases) {
        const std::optional<std::string> full = FullPathOf(szPath);
        EXPECT_EQ(full.value_or("none"), szFull ? szFull : "none") << szPath;
    }
}

// A name Windows would not take as it stands is refused: the full path
// shows where the copy would land instead.
TEST(LaunchRules, ASourcesNameIsCopiedOnlyAsItStands) {
    const struct {
        const char* szSrc;
        bool bCopies;
        const char* szPath;  // of the target in C:\Gen\Data
    } cases[] = {
        {"D:\\Mod\\x/../../../Windows/evil.dll", false, "C:\\Windows\\evil.dll"}, {"D:\\Mod\\..", false, "C:\\Gen"},
        {"D:\\Mod\\.", false, "C:\\Gen\\Data"}, {"D:\\Mod\\a.ini:hidden", false, "C:\\Gen\\Data\\a.ini:hidden"},
        {"D:\\Mod\\a.ini.", false, "C:\\Gen\\Data\\a.ini"}, {"D:\\Mod\\a.ini ", false, "C:\\Gen\\Data\\a.ini"},
        {"D:\\Mod\\a b.ini", true, "C:\\Gen\\Data\\a b.ini"}, {"D:/Mod/x\\.hidden", true, "C:\\Gen\\Data\\.hidden"},
    };
    for (const auto& c : cases) {
        ModConfig mod;
        mod.AddEntry(c.szSrc, "C:\\Gen\\Data");
        EXPECT_EQ(SourceNameCopies(c.szSrc), c.bCopies) << c.szSrc;
        EXPECT_EQ(TargetAt(mod, 0, GameEntry{}).szPath, c.szPath) << c.szSrc;
    }
}

TEST(LaunchRules, DotTestLooksOnlyAtTheFirstDot) {
    const std::pair<const char*, bool> cases[] = {
        {"C:\\Gen\\Data\\INI\\Weapon.ini", true}, {"C:\\Mods\\Art.Pack\\Textures", true},  // a folder, dotted
        {"C:\\Gen\\Data", false}, {".hidden", false}, {".a.b", false}, {"", false}, {"x.", true},
    };
    for (const auto& [szPath, bFile] : cases) EXPECT_EQ(IsFilePath(szPath), bFile) << szPath;
}

TEST(LaunchRules, ParentFoldersStopAtTheRoot) {
    using Folders = std::vector<std::string>;
    const std::pair<const char*, Folders> cases[] = {
        {"D:\\Games\\New\\Sub\\File.ini", {"D:\\Games", "D:\\Games\\New", "D:\\Games\\New\\Sub"}},
        {"C:\\File.ini", {}},
        {"C:\\Gen\\", {"C:\\Gen"}},
        {"\\\\srv\\share\\f.ini", {}},
        {"\\\\?\\unix\\home\\Gen\\f.ini", {"\\\\?\\unix\\home", "\\\\?\\unix\\home\\Gen"}},
        {"ab\\c\\d", {"ab\\c"}},  // a backslash at the third character is passed over too
        {"", {}},
    };
    for (const auto& [szTarget, folders] : cases) EXPECT_EQ(ParentFoldersOf(szTarget), folders) << szTarget;
}

TEST(LaunchRules, ModSwitchNeedsANameOfTwoCharactersOrMore) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "G.exe -win"}, {"x", "G.exe -win"}, {"ab", "G.exe -win -mod ab"}, {"A Mod.big", "G.exe -win -mod A Mod.big"},
    };
    for (const auto& [szModFile, szLine] : cases)
        EXPECT_EQ(WithModSwitch("G.exe -win", szModFile), szLine) << szModFile;
}

}  // namespace
}  // namespace corvane
