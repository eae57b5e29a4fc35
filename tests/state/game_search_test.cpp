// Where a game is found when its retail key gives no folder: the places in
// their order, each taken only where the game's executable is, the
// versions, and the lines Corvane.log gets.
#include "state/game_search.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "state/steam_library.h"
#include "support/fake_registry.h"
#include "support/memory_disk.h"

namespace corvane {
namespace {

using test::Dword;
using test::Text;

struct FakeVersions : FileVersions {
    std::map<std::string, FileVersion> byPath;
    std::optional<FileVersion> Of(const std::string& szPath) override {
        auto it = byPath.find(szPath);
        return it == byPath.end() ? std::nullopt : std::optional(it->second);
    }
};

struct World {
    test::FakeRegistry gameKeys, machine, user;
    test::MemoryDisk disk;
    FakeVersions versions;

    void Game(const std::string& szFolder) { disk.AddFile(szFolder + "\\generals.exe", "MZ"); }
    void Steam(const std::string& szLibraryFolders, const std::string& szSteam, const std::string& szLibrary,
               const std::string& szApp) {
        disk.AddFile(szSteam + "\\steamapps\\libraryfolders.vdf", szLibraryFolders);
        disk.AddFile(szLibrary + "\\steamapps\\appmanifest_" + szApp + ".acf",
                     "\"AppState\"\n{\n\t\"appid\"\t\t\"" + szApp + "\"\n\t\"installdir\"\t\t\"C&C ZH\"\n}\n");
        Game(szLibrary + "\\steamapps\\common\\C&C ZH");
    }
};

const std::string kLibraries = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"C:\\\\Program Files (x86)\\\\Steam\"\n"
                               "\t\t\"apps\"\n\t\t{\n\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"G:\\\\Lib\"\n"
                               "\t\t\"apps\"\n\t\t{\n\t\t\t\"2732960\"\t\t\"5\"\n\t\t}\n\t}\n}\n";

TEST(GameSearch, TakesTheRetailKeyAsItStandsElseTheFirstPlaceWhoseFolderHoldsTheGame) {
    const std::string kZhKey = kZeroHourKey;
    const struct {
        const char* szWhat;
        std::function<void(World&)> setUp;
        std::string szFolder, szTitle, szLine;  // Zero Hour's
    } kCases[] = {
        {"retail key, no executable looked for", [&](World& w) {
             w.gameKeys.keys[kZhKey] = {{"InstallPath", Text("D:\\Old")}, {"Version", Dword(0x00010003)}};
             w.user.keys[kZhKey] = {{"InstallPath", Text("D:\\ZH")}};
             w.Game("D:\\ZH");
         }, "D:\\Old", "Zero Hour Generals Expansion Version 1.03",
         "Found Zero Hour Generals Expansion Version 1.03 in D:\\Old (HKEY_LOCAL_MACHINE\\" + kZhKey + ")"},
        {"retail key refused its old rights, read with read rights", [&](World& w) {
             w.gameKeys.refused = {kZhKey};
             w.machine.keys[kZhKey] = {{"InstallPath", Text("D:\\ZH")}, {"Version", Dword(0x00010004)}};
             w.Game("D:\\ZH");
         }, "D:\\ZH\\", "Zero Hour Generals Expansion Version 1.04",
         "Found Zero Hour Generals Expansion Version 1.04 in D:\\ZH\\ (HKEY_LOCAL_MACHINE\\" + kZhKey + ")"},
        {"current user's key, its own version", [&](World& w) {
             w.user.keys[kZhKey] = {{"InstallPath", Text("D:\\ZH\\\\")}, {"Version", Dword(0x00010002)}};
             w.Game("D:\\ZH");
         }, "D:\\ZH\\", "Zero Hour Generals Expansion Version 1.02",
         "Found Zero Hour Generals Expansion Version 1.02 in D:\\ZH\\ (HKEY_CURRENT_USER\\" + kZhKey + ")"},
        {"a folder without the game is passed over; Origin, the executable's version", [&](World& w) {
             w.user.keys[kZhKey] = {{"InstallPath", Text("D:\\Gone")}};
             w.machine.keys[kOriginKey] = {{"Install Dir", Text("E:\\Origin Games\\C&C\\")}};
             w.Game("E:\\Origin Games\\C&C\\Command and Conquer Generals Zero Hour");
             w.versions.byPath["E:\\Origin Games\\C&C\\Command and Conquer Generals Zero Hour\\Generals.exe"] = {1, 5};
         }, "E:\\Origin Games\\C&C\\Command and Conquer Generals Zero Hour\\", "Zero Hour Generals Expansion Version 1.05",
         "Found Zero Hour Generals Expansion Version 1.05 in E:\\Origin Games\\C&C\\Command and Conquer Generals Zero Hour\\"
         " (Origin, HKEY_LOCAL_MACHINE\\" + std::string(kOriginKey) + "; version from Generals.exe)"},
        {"The First Decade; an executable with version 0 has none", [&](World& w) {
             w.machine.keys[kFirstDecadeKey] = {{"zh_folder", Text("F:\\TFD\\ZH")}};
             w.Game("F:\\TFD\\ZH");
             w.versions.byPath["F:\\TFD\\ZH\\Generals.exe"] = {0, 9};
         }, "F:\\TFD\\ZH\\", "Zero Hour Generals Expansion Version 1.04",
         "Found Zero Hour Generals Expansion Version 1.04 in F:\\TFD\\ZH\\ (The First Decade, HKEY_LOCAL_MACHINE\\" +
             std::string(kFirstDecadeKey) + "\\zh_folder; version of the last release)"},
        {"Steam, its folder written with forward slashes, the game in a second library", [&](World& w) {
             w.user.keys[kSteamUserKey] = {{"SteamPath", Text("c:/program files (x86)/steam")}};
             w.Steam(kLibraries, "C:\\Program Files (x86)\\Steam", "G:\\Lib", kSteamZeroHourApp);
         }, "G:\\Lib\\steamapps\\common\\C&C ZH\\", "Zero Hour Generals Expansion Version 1.04",
         "Found Zero Hour Generals Expansion Version 1.04 in G:\\Lib\\steamapps\\common\\C&C ZH\\"
         " (Steam library G:\\Lib, app 2732960; version of the last release)"},
        {"Steam from the machine's key and the older list", [&](World& w) {
             w.machine.keys[kSteamMachineKey] = {{"InstallPath", Text("C:\\Steam")}};
             w.Steam("\"LibraryFolders\" { \"1\" \"H:\\\\Lib\" }", "C:\\Steam", "H:\\Lib", kSteamZeroHourApp);
         }, "H:\\Lib\\steamapps\\common\\C&C ZH\\", "Zero Hour Generals Expansion Version 1.04",
         "Found Zero Hour Generals Expansion Version 1.04 in H:\\Lib\\steamapps\\common\\C&C ZH\\"
         " (Steam library H:\\Lib, app 2732960; version of the last release)"},
        {"nowhere, every place said why", [&](World& w) {
             w.gameKeys.keys[kZhKey] = {{"Version", Dword(0x00010004)}};
             w.machine.keys[kZhKey] = {{"Version", Dword(0x00010004)}};
             w.machine.keys[kOriginKey] = {{"Install Dir", Text("")}};
             w.machine.keys[kFirstDecadeKey] = {{"zh_folder", Text("F:\\TFD")}};
             w.user.keys[kSteamUserKey] = {{"SteamPath", Text("C:/Steam")}};
             w.Steam(kLibraries, "C:\\Steam", "C:\\Steam", kSteamGeneralsApp);
         }, "", "Zero Hour Generals Expansion Version 1.04",
         "Not found: Zero Hour Generals Expansion (HKEY_LOCAL_MACHINE\\" + kZhKey + ": no \"InstallPath\" value; "
         "HKEY_CURRENT_USER\\" + kZhKey + ": no key; HKEY_LOCAL_MACHINE\\" + kOriginKey + ": \"Install Dir\" empty; "
         "The First Decade, HKEY_LOCAL_MACHINE\\" + kFirstDecadeKey + "\\zh_folder: no Generals.exe in F:\\TFD\\; "
         "Steam library G:\\Lib, app 2732960: no installdir in G:\\Lib\\steamapps\\appmanifest_2732960.acf)"},
    };
    for (const auto& c : kCases) {
        World world;
        c.setUp(world);
        GameSources sources{world.gameKeys, world.machine, world.user, world.disk, world.versions};
        GameTable games = MakeGameTable();
        const GameFindings findings = FindGames(sources, games);
        AppendVersionTitles(games);
        EXPECT_EQ(games[kZeroHour].szInstallPath, c.szFolder) << c.szWhat;
        EXPECT_EQ(games[kZeroHourWorldBuilder].szInstallPath, c.szFolder) << c.szWhat;
        EXPECT_EQ(games[kZeroHour].szTitle, c.szTitle) << c.szWhat;
        EXPECT_EQ(FindingLines(games, findings).at(kZeroHour), c.szLine) << c.szWhat;
        EXPECT_FALSE(games[kGenerals].IsInstalled()) << c.szWhat;
    }
}

// Generals has places of its own; the stores ship it as 1.08.
TEST(GameSearch, GeneralsIsLookedForInItsOwnPlacesAndCountsAsTheLastRelease) {
    World world;
    world.machine.keys[kOriginKey] = {{"Install Dir", Text("E:\\C&C")}};
    world.Game("E:\\C&C\\Command and Conquer Generals");
    GameSources sources{world.gameKeys, world.machine, world.user, world.disk, world.versions};
    GameTable games = MakeGameTable();
    const GameFindings findings = FindGames(sources, games);
    AppendVersionTitles(games);
    EXPECT_EQ(games[kGenerals].szInstallPath, "E:\\C&C\\Command and Conquer Generals\\");
    EXPECT_EQ(FindingLines(games, findings).at(kGeneralsWorldBuilder),
              "Found Generals WorldBuilder Version 1.08 in E:\\C&C\\Command and Conquer Generals\\ (with Generals)");
}

}  // namespace
}  // namespace corvane
