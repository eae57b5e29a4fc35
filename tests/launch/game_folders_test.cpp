// Which folders are the game's; the question a mod that writes outside them
// puts; and the locks a launch takes, named after folders that exist when it
// begins, so that two launches never meet in a folder one of them creates.
#include "launch/folder_locks.h"

#include <gtest/gtest.h>

#include "launch/targets/game_folders.h"
#include "launch/checks/outside_folders.h"
#include "launch/targets/resolved_paths.h"
#include "support/fake_platform.h"

namespace corvane::test {
namespace {

TEST(GameFolders, APathIsInsideAFolderWhenItIsThatFolderOrBelowIt) {
    const struct {
        const char *szPath, *szFolder;
        bool bInside;
    } cases[] = {
        {"C:\\Games\\Gen", "C:\\Games\\Gen", true},
        {"c:\\GAMES\\gen\\Data\\INI", "C:\\Games\\Gen\\", true},
        {"C:\\Games\\Gen\\\\", "C:\\Games\\Gen", true},
        {"C:\\Games\\Gen2\\Data", "C:\\Games\\Gen", false},
        {"C:\\Games\\Ge", "C:\\Games\\Gen", false},
        {"C:\\Games", "C:\\Games\\Gen", false},
        {"D:\\Games\\Gen", "C:\\Games\\Gen", false},
        {"C:\\Anything", "C:\\", true},
        {"d:\\New\\Maps", "D:\\", true},
        {"\\\\server\\share\\Gen\\Maps", "\\\\SERVER\\share\\Gen", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsInsideFolder(c.szPath, c.szFolder), c.bInside) << c.szPath << " in " << c.szFolder;
}

// A disk whose folder C:\Games\Link leads to D:\Real, C:\Games\Root to
// the root of drive E: and C:\Games\Gen\Shared to E:\Shared, as links and
// junctions do.
struct LinkedDisk : MemoryDisk {
    std::string ResolvedPath(const std::string& szPath) override {
        ++lResolved;
        const std::pair<std::string, std::string> links[] = {{"C:\\Games\\Link", "D:\\Real"}, {"C:\\Games\\Root", "E:\\"},
                                                            {"C:\\Games\\Gen\\Shared", "E:\\Shared"}};
        for (auto [szLink, szTo] : links) {
            if (!IsAtOrBelow(szPath, szLink)) continue;
            if (szPath.size() == szLink.size()) return szTo;
            if (szTo.back() == '\\') szTo.pop_back();
            return szTo + szPath.substr(szLink.size());
        }
        return MemoryDisk::ResolvedPath(szPath);
    }
    int lResolved = 0;
};

// A mod's target is taken as Windows makes it of what is written, in any
// form, and as the system resolves it: a destination that climbs out of the
// game's folder with ".." is not in it, nor is one below a junction that
// leads elsewhere, and one through the destination of the link a game is
// installed at is; the games' own folders in Documents are the game's; a
// \\?\ path that no plain path spells is no full path.
TEST(GameFolders, HoldATargetWhateverFormItsDestinationIsWrittenIn) {
    LinkedDisk disk;
    disk.AddFolder("C:\\Games\\Gen\\Shared");
    disk.AddFolder("C:\\Games\\Link");
    GameTable games = MakeGameTable();
    games[kGenerals].szInstallPath = "C:\\Games\\Gen\\";
    games[kZeroHour].szInstallPath = "\\\\?\\unix\\home\\deck\\ZH\\";
    games[kZeroHourWorldBuilder].szInstallPath = "C:\\Games\\Link\\";
    GameFolders folders(games, disk);
    const std::string G = "C:\\Games\\Gen", Z = "\\\\?\\unix\\home\\deck\\ZH";
    const std::string D = "C:\\Users\\Player\\Documents\\Command and Conquer Generals Zero Hour Data";
    const std::optional<std::string> kNoFullPath;
    const std::pair<std::string, std::optional<std::string>> cases[] = {  // and the folder holding it, "" for none
        {G + "\\Data\\INI", G}, {"\\\\?\\" + G + "\\Data", G}, {"\\\\.\\c:\\games\\gen\\Data", G}, {"C:/Games//Gen/Data.", G},
        {G + "\\..\\Gen2", ""}, {"\\\\.\\" + G + "\\Data\\.\\..\\..\\Gen2", ""}, {"C:/Games/Gen/../../Windows/System32", ""},
        {"\\\\?\\" + G + "\\..\\Out", kNoFullPath}, {"\\\\?\\" + G + "/Data", kNoFullPath}, {"Data\\INI", kNoFullPath},
        {Z + "\\ZH_Generals\\Data", Z}, {"\\\\?\\unix\\home\\deck", ""}, {"\\\\?\\UNC\\nas\\games\\ZH", ""},
        {D + "\\Maps", D}, {"C:\\Users\\Player\\Documents", ""},
        {"D:\\Real\\Data", "C:\\Games\\Link"}, {G + "\\Shared\\Maps", ""},
    };
    for (const auto& [szDestination, szHolder] : cases) {
        ModConfig mod;
        mod.AddEntry("D:\\Mod\\a.ini", szDestination);
        const std::string szPath = TargetAt(mod, 0, games[kGenerals]).szPath;
        ASSERT_EQ(szPath.empty(), !szHolder) << szDestination;
        if (szHolder) {
            EXPECT_EQ(folders.Holding(FolderOf(szPath)).value_or(""), *szHolder) << szDestination;
        }
    }
}

// A game installed in a root or in a folder of the system or its users is
// played, but nothing there counts as the game's, and Corvane.log is told
// why, once for the game and its WorldBuilder.
TEST(GameFolders, NoRootOrFolderOfTheSystemIsAGamesFolder) {
    const std::pair<const char*, const char*> cases[] = {  // nullptr: the game's folder
        {"C:\\", "a drive's root"}, {"\\\\?\\unix\\", "a drive's root"}, {"\\\\nas\\games\\", "a network share's root"},
        {"C:\\Windows\\System32\\..\\", "the Windows folder"}, {"c:\\program files\\", "a Program Files folder"},
        {"C:\\Program Files (x86)\\", "a Program Files folder"}, {"C:\\ProgramData\\", "ProgramData"},
        {"C:\\Users\\", "the Users folder"}, {"C:\\Users\\Player\\", "a user's profile folder"},
        {"C:\\Users\\Public\\", "a user's profile folder"}, {"C:\\Program Files\\EA Games\\Generals\\", nullptr},
    };
    for (const auto& [szFolder, szWhy] : cases) {
        MemoryDisk disk;
        GameTable games = MakeGameTable();
        games[kGenerals].szInstallPath = games[kGeneralsWorldBuilder].szInstallPath = szFolder;
        games[kGenerals].szTitle = "Generals Version 1.08";
        GameFolders folders(games, disk);
        EXPECT_EQ(folders.Holding(std::string(szFolder) + "Data").has_value(), !szWhy) << szFolder;
        const std::string szLine = "Generals Version 1.08 is installed in " + std::string(szFolder) + ", " + (szWhy ? szWhy : "") +
                                   ": that folder does not count as the game's, so Corvane asks before a mod writes into it "
                                   "and offers no administrator rights for it.";
        EXPECT_EQ(folders.PassedOver(), szWhy ? std::vector{szLine} : std::vector<std::string>{}) << szFolder;
    }
}

// A path whose end is not there yet, as a mod's targets are, resolves as
// its parent does with the rest joined on: the system is asked once for
// the folder that is there, not for each folder below it.
TEST(ResolvedPaths, AreTheSystemsAndAskItOnlyOfWhatIsThere) {
    LinkedDisk disk;
    disk.AddFolder("C:\\Games\\Link\\Old");
    disk.AddFolder("C:\\Games\\Root");
    ResolvedPaths resolved(disk);
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Games\\Link\\New\\Sub", "D:\\Real\\New\\Sub"}, {"C:\\Games\\Link\\New\\Art", "D:\\Real\\New\\Art"},
        {"C:\\Games\\Link\\Old", "D:\\Real\\Old"}, {"C:\\Games\\Root\\New\\Maps", "E:\\New\\Maps"},
        {"C:\\Games\\Root", "E:\\"}, {"C:\\Games\\Gen\\Data\\", "C:\\Games\\Gen\\Data"}, {"C:\\New", "C:\\New"},
    };
    for (const auto& [szPath, szResolved] : cases) EXPECT_EQ(resolved.Of(szPath), szResolved) << szPath;
    EXPECT_EQ(disk.lResolved, 5) << "Link, Old, Root, a path with a trailing backslash, a folder in a root";
}

TEST(OutsideFolders, AreNamedEachOnceAtMostTenAndTheQuestionSaysWhatItMeans) {
    MemoryDisk disk;
    GameTable games = MakeGameTable();
    games[kGenerals].szInstallPath = "C:\\Games\\Gen\\";
    GameFolders folders(games, disk);
    std::vector<std::optional<Target>> targets = {Target{"", "C:\\Games\\Gen\\Data\\a.ini"},
                                                  Target{"", "C:\\Windows\\System32\\x.dll"}, std::nullopt,
                                                  Target{"", "c:\\windows\\SYSTEM32\\y.dll"}, Target{"", "C:\\x.dll"}};
    for (int i = 0; i < 10; ++i) targets.push_back(Target{"", "E:\\Out" + std::to_string(i) + "\\f.ini"});
    const std::vector<std::string> szOutside = OutsideFolders(targets, folders);
    ASSERT_EQ(szOutside.size(), 12u);
    EXPECT_EQ(szOutside[0], "C:\\Windows\\System32");
    EXPECT_EQ(szOutside[1], "C:\\") << "a drive's root, not the current folder on C:";

    const std::string szEnd = "\r\rOnly go on if you trust where the mod came from. Go on?";
    std::string szTen = "This mod writes outside the game's folders:";
    for (int i = 0; i < 10; ++i) szTen += "\r" + szOutside[i];
    const std::pair<size_t, std::string> cases[] = {
        {1, "This mod writes outside the game's folders:\rC:\\Windows\\System32" + szEnd},
        {10, szTen + szEnd},
        {12, szTen + "\rand 2 more folders" + szEnd},
    };
    for (const auto& [lCount, szText] : cases)
        EXPECT_EQ(OutsideQuestion(std::vector(szOutside.begin(), szOutside.begin() + lCount)), szText) << lCount;
}

TEST(FolderLocks, AreNamedAfterFoldersThatExistWhenTheLaunchBegins) {
    FakePlatform fakes;
    MemoryDisk& disk = fakes.disk;
    disk.AddFolder("C:\\Games\\Gen\\Data");
    disk.AddFolder("E:\\Tools");
    GameTable games = MakeGameTable();
    games[kGenerals].szInstallPath = "C:\\Games\\Gen\\";
    GameFolders folders(games, disk);
    const auto names = [&] {
        return FolderLockNames(disk, fakes.problems, folders, "C:\\Games\\Gen\\",
                               {"C:\\Games\\Gen\\Data\\New\\a.ini", "E:\\Tools\\New\\Maps\\b.map", "E:\\Other\\c.ini"});
    };
    const std::vector<std::string> before = names();
    EXPECT_EQ(before.size(), 2u) << "the game's folder, and drive E: outside it";
    disk.AddFolder("C:\\Games\\Gen\\Data\\New");
    disk.AddFolder("E:\\Tools\\New\\Maps");
    EXPECT_EQ(names(), before) << "the folders the launch creates change no name";
    EXPECT_TRUE(fakes.problems.noted.empty());

    // Wine's folders on another Linux file system tell no serial number.
    disk.NoSerialOn("c:");
    disk.NoSerialOn("e:");
    const std::vector<std::string> byPath = names();
    EXPECT_EQ(byPath.size(), 2u);
    EXPECT_NE(byPath, before);
    EXPECT_EQ(byPath, names());
    EXPECT_EQ(fakes.problems.noted.at(0),
              "The lock on C:\\Games\\Gen is named after its path: its volume tells no serial number");
    EXPECT_EQ(fakes.problems.noted.at(1), "The lock on e:\\ is named after its path: its volume tells no serial number");
}

}  // namespace
}  // namespace corvane::test
