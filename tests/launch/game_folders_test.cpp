// Which folders are the game's; the question a mod that writes outside them
// puts; and the locks a launch takes, named after folders that exist when it
// begins, so that two launches never meet in a folder one of them creates.
#include "launch/folder_locks.h"

#include <gtest/gtest.h>

#include "launch/game_folders.h"
#include "launch/outside_folders.h"
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
        {"\\\\server\\share\\Gen\\Maps", "\\\\SERVER\\share\\Gen", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsInsideFolder(c.szPath, c.szFolder), c.bInside) << c.szPath << " in " << c.szFolder;
}

// Paths are taken as the system resolves them: a destination that climbs
// out of the game's folder with ".." is not in it; the games' own folders
// in Documents are the game's.
TEST(GameFolders, AreTheInstallationsAndTheGamesOwnFoldersInDocuments) {
    MemoryDisk disk;
    GameTable games = MakeGameTable();
    games[kGenerals].szInstallPath = "C:\\Games\\Gen\\";
    games[kZeroHour].szInstallPath = "D:\\Steam\\ZH\\";
    GameFolders folders(games, disk);
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Games\\Gen\\Data\\INI", "C:\\Games\\Gen"},
        {"D:\\Steam\\ZH\\ZH_Generals\\Data", "D:\\Steam\\ZH"},
        {"C:\\Users\\Player\\Documents\\Command and Conquer Generals Zero Hour Data\\Maps",
         "C:\\Users\\Player\\Documents\\Command and Conquer Generals Zero Hour Data"},
        {"C:\\Games\\Gen\\..\\..\\Windows\\System32", nullptr},
        {"C:\\Games\\Gen\\Data\\.\\..\\..\\Gen2", nullptr},
        {"C:\\Users\\Player\\Documents", nullptr},
    };
    for (const auto& [szPath, szHolder] : cases) {
        const std::optional<std::string> holder = folders.Holding(szPath);
        EXPECT_EQ(holder.value_or("none"), szHolder ? szHolder : "none") << szPath;
    }
}

TEST(OutsideFolders, AreNamedEachOnceAtMostTenAndTheQuestionSaysWhatItMeans) {
    MemoryDisk disk;
    GameTable games = MakeGameTable();
    games[kGenerals].szInstallPath = "C:\\Games\\Gen\\";
    GameFolders folders(games, disk);
    std::vector<std::optional<Target>> targets = {Target{"", "C:\\Games\\Gen\\Data\\a.ini"},
                                                  Target{"", "C:\\Windows\\System32\\x.dll"}, std::nullopt,
                                                  Target{"", "c:\\windows\\SYSTEM32\\y.dll"}};
    for (int i = 0; i < 11; ++i) targets.push_back(Target{"", "E:\\Out" + std::to_string(i) + "\\f.ini"});
    const std::vector<std::string> szOutside = OutsideFolders(targets, folders);
    ASSERT_EQ(szOutside.size(), 12u);
    EXPECT_EQ(szOutside[0], "C:\\Windows\\System32");
    EXPECT_EQ(szOutside[1], "E:\\Out0");

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
