// Where a game is found when its retail key gives no folder: the places in
// their order, each taken only where the game's executable is, the
// versions, and the lines Corvane.log gets.
#include "state/game_search.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "state/steam_library.h"
#include "support/fake_registry.h"
#include "support/fake_wine_host.h"
#include "support/memory_disk.h"

namespace corvane {
namespace {

using test::Dword;
using test::Text;

struct World : FileVersions {
    test::FakeRegistry gameKeys, machine, user;
    test::MemoryDisk disk;
    test::FakeWineHost wine;  // Windows: no Linux side
    std::map<std::string, FileVersion> versions;  // of the executables

    std::optional<FileVersion> Of(const std::string& szPath) override {
        return versions.count(szPath) ? std::optional(versions[szPath]) : std::nullopt;
    }
    void Game(const std::string& szFolder) { disk.AddFile(szFolder + "\\generals.exe", "MZ"); }
    void Steam(const std::string& szSteam, const std::string& szLibraryFolders, const std::string& szLibrary) {
        disk.AddFile(szSteam + "\\steamapps\\libraryfolders.vdf", szLibraryFolders);
        disk.AddFile(szLibrary + "\\steamapps\\appmanifest_2732960.acf", "\"AppState\" { \"installdir\" \"C&C ZH\" }");
        Game(szLibrary + "\\steamapps\\common\\C&C ZH");
    }
    GameTable Find(std::vector<std::string>& szLines) {
        GameSources sources{gameKeys, machine, user, disk, *this, wine};
        GameTable games = MakeGameTable();
        const GameFindings findings = FindGames(sources, games);
        AppendVersionTitles(games);
        szLines = FindingLines(games, findings);
        return games;
    }
};

TEST(GameSearch, TakesTheRetailKeyAsItStandsElseTheFirstPlaceWhoseFolderHoldsTheGame) {
    const std::string kZh = kZeroHourKey, kOrigin = kOriginKey, kDecade = kFirstDecadeKey;
    const std::string kLibraries = "\"libraryfolders\" { \"0\" { \"path\" \"C:\\\\Steam\" \"apps\" { } }\n"
                                   "\"1\" { \"path\" \"G:\\\\Lib\" \"apps\" { \"2732960\" \"5\" } } }";
    const struct {
        const char* szWhat;
        std::function<void(World&)> setUp;
        std::string szFolder, szVersion, szWhere;  // Zero Hour's
    } kCases[] = {
        {"retail key, no executable looked for", [&](World& w) {
             w.gameKeys.keys[kZh] = {{"InstallPath", Text("D:\\Old")}, {"Version", Dword(0x00010003)}};
             w.user.keys[kZh] = {{"InstallPath", Text("D:\\ZH")}};
             w.Game("D:\\ZH");
         }, "D:\\Old", "1.03", "HKEY_LOCAL_MACHINE\\" + kZh},
        {"retail key refused its old rights, read with read rights", [&](World& w) {
             w.gameKeys.refused = {kZh};
             w.machine.keys[kZh] = {{"InstallPath", Text("D:\\ZH")}, {"Version", Dword(0x00010004)}};
             w.Game("D:\\ZH");
         }, "D:\\ZH\\", "1.04", "HKEY_LOCAL_MACHINE\\" + kZh},
        {"current user's key, its own version", [&](World& w) {
             w.user.keys[kZh] = {{"InstallPath", Text("D:\\ZH\\\\")}, {"Version", Dword(0x00010002)}};
             w.Game("D:\\ZH");
         }, "D:\\ZH\\", "1.02", "HKEY_CURRENT_USER\\" + kZh},
        {"a folder without the game is passed over; Origin, the executable's version", [&](World& w) {
             w.user.keys[kZh] = {{"InstallPath", Text("D:\\Gone")}};
             w.machine.keys[kOrigin] = {{"Install Dir", Text("E:\\C&C\\")}};
             w.Game("E:\\C&C\\Command and Conquer Generals Zero Hour");
             w.versions["E:\\C&C\\Command and Conquer Generals Zero Hour\\Generals.exe"] = {1, 5};
         }, "E:\\C&C\\Command and Conquer Generals Zero Hour\\", "1.05",
         "Origin, HKEY_LOCAL_MACHINE\\" + kOrigin + "; version from Generals.exe"},
        {"The First Decade; an executable of version 0 has none", [&](World& w) {
             w.machine.keys[kDecade] = {{"zh_folder", Text("F:\\TFD\\ZH")}};
             w.Game("F:\\TFD\\ZH");
             w.versions["F:\\TFD\\ZH\\Generals.exe"] = {0, 9};
         }, "F:\\TFD\\ZH\\", "1.04",
         "The First Decade, HKEY_LOCAL_MACHINE\\" + kDecade + "\\zh_folder; version of the last release"},
        {"Steam, its folder written with forward slashes, the game in a second library", [&](World& w) {
             w.user.keys[kSteamUserKey] = {{"SteamPath", Text("c:/steam")}};
             w.Steam("C:\\Steam", kLibraries, "G:\\Lib");
         }, "G:\\Lib\\steamapps\\common\\C&C ZH\\", "1.04", "Steam library G:\\Lib, app 2732960; version of the last release"},
        {"Steam from the machine's key and the older list", [&](World& w) {
             w.machine.keys[kSteamMachineKey] = {{"InstallPath", Text("C:\\Steam")}};
             w.Steam("C:\\Steam", "\"LibraryFolders\" { \"1\" \"H:\\\\Lib\" }", "H:\\Lib");
         }, "H:\\Lib\\steamapps\\common\\C&C ZH\\", "1.04", "Steam library H:\\Lib, app 2732960; version of the last release"},
    };
    for (const auto& c : kCases) {
        World world;
        c.setUp(world);
        std::vector<std::string> szLines;
        const GameTable games = world.Find(szLines);
        EXPECT_EQ(games[kZeroHourWorldBuilder].szInstallPath, c.szFolder) << c.szWhat;
        EXPECT_EQ(szLines.at(kZeroHour), "Found Zero Hour Generals Expansion Version " + c.szVersion + " in " + c.szFolder +
                                             " (" + c.szWhere + ")") << c.szWhat;
        EXPECT_FALSE(games[kGenerals].IsInstalled()) << c.szWhat;
    }

    // Generals has places of its own; where none holds it, every place says why.
    World world;
    world.gameKeys.keys[kZh] = world.machine.keys[kZh] = {{"Version", Dword(0x00010004)}};
    world.machine.keys[kOrigin] = {{"Install Dir", Text("E:\\C&C")}};
    world.Game("E:\\C&C\\Command and Conquer Generals");
    world.machine.keys[kDecade] = {{"zh_folder", Text("F:\\TFD")}};
    world.user.keys[kSteamUserKey] = {{"SteamPath", Text("C:/Steam")}};
    world.disk.AddFile("C:\\Steam\\steamapps\\libraryfolders.vdf", kLibraries);
    std::vector<std::string> szLines;
    EXPECT_EQ(world.Find(szLines)[kGenerals].szInstallPath, "E:\\C&C\\Command and Conquer Generals\\");
    EXPECT_EQ(szLines, (std::vector<std::string>{
        "Found Generals Version 1.08 in E:\\C&C\\Command and Conquer Generals\\ (Origin, HKEY_LOCAL_MACHINE\\" + kOrigin +
            "; version of the last release)",
        "Not found: Zero Hour Generals Expansion (HKEY_LOCAL_MACHINE\\" + kZh + ": no \"InstallPath\" value; "
            "HKEY_CURRENT_USER\\" + kZh + ": no key; Origin, HKEY_LOCAL_MACHINE\\" + kOrigin + ": no Generals.exe in "
            "E:\\C&C\\Command and Conquer Generals Zero Hour\\; The First Decade, HKEY_LOCAL_MACHINE\\" + kDecade +
            "\\zh_folder: no Generals.exe in F:\\TFD\\; Steam library G:\\Lib, app 2732960: no installdir in "
            "G:\\Lib\\steamapps\\appmanifest_2732960.acf)",
        "Found Generals WorldBuilder Version 1.08 in E:\\C&C\\Command and Conquer Generals\\ (with Generals)",
        "Not found: Zero Hour WorldBuilder (with Zero Hour Generals Expansion)"}));
}

}  // namespace
}  // namespace corvane
