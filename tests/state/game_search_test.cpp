// Where a game is found when its retail key gives no folder: the places in
// their order, each taken only where the game's executable is, the
// versions, and the lines Corvane.log gets. Under Wine also Steam for
// Linux: which of its folders are looked at, each once however many links
// lead to it; its libraries' Unix paths reached through Wine's drives; and
// the prefix a game found there runs in, as Corvane.log tells the player.
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

// A disk whose folders may be links, as ~/.steam/steam mostly is: a path is
// followed to its target before the disk sees it.
struct LinkedDisk : test::MemoryDisk {
    std::map<std::string, std::string> links;  // link -> target

    std::string Followed(std::string szPath) const {
        for (bool bFollowed = true; bFollowed;) {
            bFollowed = false;
            for (const auto& [szLink, szTarget] : links) {
                if (szPath != szLink && szPath.rfind(szLink + "\\", 0) != 0) continue;
                szPath = szTarget + szPath.substr(szLink.size());
                bFollowed = true;
            }
        }
        return szPath;
    }
    std::optional<ItemInfo> Stat(const std::string& szPath) override { return MemoryDisk::Stat(Followed(szPath)); }
    std::optional<std::string> Identity(const std::string& szPath) override {
        return MemoryDisk::Identity(Followed(szPath));
    }
    std::unique_ptr<InputFile> OpenInput(const std::string& szPath) override {
        return MemoryDisk::OpenInput(Followed(szPath));
    }
    std::string ResolvedPath(const std::string& szPath) override { return Followed(szPath); }
};

// The places the search looks in: the registry's three views, the disk,
// the executables' versions and the Linux side (none: Windows).
struct World : FileVersions {
    test::FakeRegistry gameKeys, machine, user;
    LinkedDisk disk;
    test::FakeWineHost wine;
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
         }, "D:\\Old\\", "1.03", "HKEY_LOCAL_MACHINE\\" + kZh},
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
            "G:\\Lib\\steamapps\\appmanifest_2732960.acf; Steam library C:\\Steam, app 2732960: no installdir in "
            "C:\\Steam\\steamapps\\appmanifest_2732960.acf)",
        "Found Generals WorldBuilder Version 1.08 in E:\\C&C\\Command and Conquer Generals\\ (with Generals)",
        "Not found: Zero Hour WorldBuilder (with Zero Hour Generals Expansion)"}));
}

const std::string kHome = "Z:\\home\\deck", kSteam = kHome + "\\.local\\share\\Steam";
const std::string kFlatpakUnix = "/home/deck/.var/app/com.valvesoftware.Steam/.local/share/Steam";
const std::string kFlatpak = kHome + "\\.var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam";
const std::string kSnap = kHome + "\\snap\\steam\\common\\.local\\share\\Steam";
const std::string kZeroHourDir = "Command & Conquer Generals - Zero Hour";

// Corvane under Wine, in a home with no Steam unless a test puts one there.
struct LinuxWorld : World {
    LinuxWorld() {
        wine.bUnderWine = true;
        wine.drives["/"] = "Z:\\";
        wine.environment["WINEHOMEDIR"] = "\\??\\" + kHome;
    }
    // libraryfolders.vdf naming each library with the one app it holds ("" for none).
    void Steam(const std::string& szRoot, const std::vector<std::pair<std::string, std::string>>& libraries) {
        std::string szVdf = "\"libraryfolders\" {";
        for (size_t i = 0; i < libraries.size(); ++i)
            szVdf += " \"" + std::to_string(i) + "\" { \"path\" \"" + libraries[i].first + "\" \"apps\" { " +
                     (libraries[i].second.empty() ? "" : "\"" + libraries[i].second + "\" \"1\" ") + "} }";
        disk.AddFile(szRoot + "\\steamapps\\libraryfolders.vdf", szVdf + " }");
    }
    void Game(const std::string& szLibrary, const std::string& szApp, const std::string& szDir) {
        disk.AddFile(szLibrary + "\\steamapps\\appmanifest_" + szApp + ".acf", "\"AppState\" { \"installdir\" \"" + szDir + "\" }");
        disk.AddFile(szLibrary + "\\steamapps\\common\\" + szDir + "\\Generals.exe", "MZ");
    }
};

// A line of a game found whole; of one not found, what Linux's Steam gave,
// after the registry's places.
std::string Shown(const std::string& szLine) {
    if (szLine.rfind("Found", 0) == 0) return szLine;
    const std::string szAfter = std::string(kSteamMachineKey) + ": no key; ";
    const size_t lAt = szLine.find(szAfter);
    return lAt == std::string::npos ? szLine : szLine.substr(lAt + szAfter.size(), szLine.size() - lAt - szAfter.size() - 1);
}

TEST(LinuxSteam, FindsEachSteamFolderOnceReachesItsLibrariesThroughWineAndSaysWhichPrefixTheGameRunsIn) {
    const std::string kFoundZh = "Found Zero Hour Generals Expansion Version 1.04 in ";
    const std::string kOtherPrefix = "; it will run in this prefix, not its own: start Corvane with corvane-proton --game ";
    const auto noManifest = [](const std::string& szLib) {
        return "Linux Steam library " + szLib + ", app 2732960: no installdir in " + szLib + "\\steamapps\\appmanifest_2732960.acf";
    };
    const struct {
        const char* szWhat;
        std::function<void(LinuxWorld&)> setUp;
        size_t lRow;
        std::string szLine;  // or, for a game not found, what Linux's Steam gave; or a library (below)
    } kCases[] = {
        {"~/.steam/steam, a link, leads to Steam, whose SD card holds the game; outside Proton it runs in this prefix",
         [](LinuxWorld& w) {
             w.disk.links[kHome + "\\.steam\\steam"] = kSteam;
             w.Steam(kSteam, {{"/home/deck/.local/share/Steam", ""}, {"/run/media/mmcblk0p1", "2732960"}});
             w.Game("Z:\\run\\media\\mmcblk0p1", "2732960", kZeroHourDir);
         },
         kZeroHour,
         kFoundZh + "Z:\\run\\media\\mmcblk0p1\\steamapps\\common\\" + kZeroHourDir +
             "\\ (Linux Steam library Z:\\run\\media\\mmcblk0p1, app 2732960; version of the last release" + kOtherPrefix +
             "zerohour to play it in its own Proton prefix)"},
        {"Proton's Steam folder instead of the home's, a library through a drive of its own, the game's own prefix",
         [](LinuxWorld& w) {
             w.wine.environment["STEAM_COMPAT_CLIENT_INSTALL_PATH"] = "/home/deck/.local/share/Steam/";
             w.wine.environment["STEAM_COMPAT_DATA_PATH"] = "/home/deck/.local/share/Steam/steamapps/compatdata/2732960/";
             w.wine.environment["SteamAppId"] = "2732960";
             w.wine.drives["/run/media"] = "D:\\";
             w.Steam(kSteam, {{"/run/media/mmcblk0p1", "2732960"}});
             w.Game("D:\\mmcblk0p1", "2732960", kZeroHourDir);
             w.disk.links[kHome + "\\.steam\\steam"] = kHome + "\\.steam\\debian-installation";
             w.Steam(kHome + "\\.steam\\debian-installation", {{"/home/deck/Games", "2732960"}});
             w.Game("Z:\\home\\deck\\Games", "2732960", kZeroHourDir);
         },
         kZeroHour,
         kFoundZh + "D:\\mmcblk0p1\\steamapps\\common\\" + kZeroHourDir +
             "\\ (Linux Steam library D:\\mmcblk0p1, app 2732960; version of the last release)"},
        {"Steam's older list, Steam's folder first; Generals in Zero Hour's prefix does not run in its own",
         [](LinuxWorld& w) {
             w.wine.environment["STEAM_COMPAT_DATA_PATH"] = "/home/deck/.local/share/Steam/steamapps/compatdata/2732960";
             w.wine.environment["SteamAppId"] = "2732960";
             w.disk.AddFile(kSteam + "\\steamapps\\libraryfolders.vdf", "\"LibraryFolders\" { \"1\" \"/mnt/games\" }");
             w.Game(kSteam, "2229870", "Command and Conquer Generals");
         },
         kGenerals,
         "Found Generals Version 1.08 in " + kSteam + "\\steamapps\\common\\Command and Conquer Generals\\ (Linux Steam library " +
             kSteam + ", app 2229870; version of the last release" + kOtherPrefix +
             "generals to play it in its own Proton prefix)"},
        {"Flatpak's Steam names its folder as its sandbox sees it; outside, that is another Steam with the game",
         [](LinuxWorld& w) {
             w.wine.environment["STEAM_COMPAT_CLIENT_INSTALL_PATH"] = kFlatpakUnix;
             w.Steam(kFlatpak, {{"/home/deck/.local/share/Steam", "2732960"}});
             w.Game(kSteam, "2732960", "Native");
         }, kZeroHour, kFlatpak},
        {"~/.steam/steam and ~/.steam/root lead to one Steam, looked at once by where they lead (Wine gives no identity); "
         "Snap's Steam is another; a library without a Unix path", [](LinuxWorld& w) {
             w.disk.NoSerialOn("z:");
             w.disk.links[kHome + "\\.steam\\steam"] = w.disk.links[kHome + "\\.steam\\root"] = kSteam;
             w.Steam(kSteam, {{"/home/deck/.local/share/Steam", "228980"}, {"SteamLibrary", "2732960"}});
             w.Steam(kSnap, {});
         }, kZeroHour, "Linux Steam library SteamLibrary: no Windows path; " + noManifest(kHome + "\\.steam\\steam") + "; " +
                       noManifest(kSnap)},
        {"only config/libraryfolders.vdf, its apps stale: the game in a library without an apps block", [](LinuxWorld& w) {
             w.disk.AddFile(kSteam + "\\config\\libraryfolders.vdf", "\"libraryfolders\" { \"0\" { \"path\" "
                            "\"/home/deck/.local/share/Steam\" \"apps\" { \"2732960\" \"1\" } } \"1\" { \"path\" \"/mnt/lib\" } }");
         }, kZeroHour, "Z:\\mnt\\lib"},
        {"the mid-2021 form without \"0\": Steam's own folder is still a library", [](LinuxWorld& w) {
             w.disk.AddFile(kSteam + "\\steamapps\\libraryfolders.vdf",
                            "\"libraryfolders\" { \"1\" { \"path\" \"/mnt/lib\" \"apps\" { \"228980\" \"1\" } } }");
         }, kZeroHour, kSteam},
        {"no Steam in a home no drive maps: every folder looked at, in order", [](LinuxWorld& w) {
             w.wine.environment["WINEHOMEDIR"] = "\\??\\unix\\home\\deck";
         },
         kZeroHour, "Linux Steam: no folder \\\\?\\unix\\home\\deck\\.steam\\steam or \\\\?\\unix\\home\\deck\\.steam\\root or "
                    "\\\\?\\unix\\home\\deck\\.local\\share\\Steam or "
                    "\\\\?\\unix\\home\\deck\\.var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam or "
                    "\\\\?\\unix\\home\\deck\\snap\\steam\\common\\.local\\share\\Steam or "
                    "\\\\?\\unix\\home\\deck\\snap\\steam\\common\\.steam\\steam"},
    };
    for (const auto& c : kCases) {
        LinuxWorld world;
        c.setUp(world);
        // A row that gives a library has Zero Hour installed there, and asks that it is found there.
        const bool bLibrary = c.szLine.starts_with("Z:");
        if (bLibrary) world.Game(c.szLine, kSteamZeroHourApp, kZeroHourDir);
        std::vector<std::string> szLines;
        const GameTable games = world.Find(szLines);
        EXPECT_EQ(bLibrary ? games[c.lRow].szInstallPath : Shown(szLines.at(c.lRow)),
                  bLibrary ? c.szLine + "\\steamapps\\common\\" + kZeroHourDir + "\\" : c.szLine) << c.szWhat;
    }
}

}  // namespace
}  // namespace corvane
