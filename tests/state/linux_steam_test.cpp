// Steam for Linux seen from Corvane under Wine: which of its folders are
// looked at, each once however many links lead to it; its libraries' Unix
// paths reached through Wine's drives; and the prefix a game found there
// runs in, as Corvane.log tells the player.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "state/game_search.h"
#include "support/fake_registry.h"
#include "support/fake_wine_host.h"
#include "support/memory_disk.h"

namespace corvane {
namespace {

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
};

const std::string kHome = "Z:\\home\\deck", kSteam = kHome + "\\.local\\share\\Steam";
const std::string kZeroHourDir = "Command & Conquer Generals - Zero Hour";

struct World : FileVersions {
    test::FakeRegistry keys;  // no edition registered anywhere
    LinkedDisk disk;
    test::FakeWineHost wine;

    World() {
        wine.bUnderWine = true;
        wine.drives["/"] = "Z:\\";
        wine.environment["WINEHOMEDIR"] = "\\??\\" + kHome;
    }
    std::optional<FileVersion> Of(const std::string&) override { return std::nullopt; }

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
    std::vector<std::string> Lines() {
        GameSources sources{keys, keys, keys, disk, *this, wine};
        GameTable games = MakeGameTable();
        const GameFindings findings = FindGames(sources, games);
        AppendVersionTitles(games);
        return FindingLines(games, findings);
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
    const struct {
        const char* szWhat;
        std::function<void(World&)> setUp;
        size_t lRow;
        std::string szLine;  // or, for a game not found, what Linux's Steam gave
    } kCases[] = {
        {"~/.steam/steam, a link, leads to Steam, whose SD card holds the game; outside Proton it runs in this prefix",
         [](World& w) {
             w.disk.links[kHome + "\\.steam\\steam"] = kSteam;
             w.Steam(kSteam, {{"/home/deck/.local/share/Steam", ""}, {"/run/media/mmcblk0p1", "2732960"}});
             w.Game("Z:\\run\\media\\mmcblk0p1", "2732960", kZeroHourDir);
         },
         kZeroHour,
         kFoundZh + "Z:\\run\\media\\mmcblk0p1\\steamapps\\common\\" + kZeroHourDir +
             "\\ (Linux Steam library Z:\\run\\media\\mmcblk0p1, app 2732960; version of the last release" + kOtherPrefix +
             "zerohour to play it in its own Proton prefix)"},
        {"Proton's Steam folder instead of the home's, a library through a drive of its own, the game's own prefix",
         [](World& w) {
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
         [](World& w) {
             w.wine.environment["STEAM_COMPAT_DATA_PATH"] = "/home/deck/.local/share/Steam/steamapps/compatdata/2732960";
             w.wine.environment["SteamAppId"] = "2732960";
             w.disk.AddFile(kSteam + "\\steamapps\\libraryfolders.vdf", "\"LibraryFolders\" { \"1\" \"/mnt/games\" }");
             w.Game(kSteam, "2229870", "Command and Conquer Generals");
         },
         kGenerals,
         "Found Generals Version 1.08 in " + kSteam + "\\steamapps\\common\\Command and Conquer Generals\\ (Linux Steam library " +
             kSteam + ", app 2229870; version of the last release" + kOtherPrefix +
             "generals to play it in its own Proton prefix)"},
        {"~/.steam/steam and ~/.steam/root lead to one Steam, looked at once; a library without a Unix path",
         [](World& w) {
             w.disk.links[kHome + "\\.steam\\steam"] = kSteam;
             w.disk.links[kHome + "\\.steam\\root"] = kSteam;
             w.Steam(kSteam, {{"/home/deck/.local/share/Steam", "228980"}, {"SteamLibrary", "2732960"}});
         },
         kZeroHour, "Linux Steam library SteamLibrary: no Windows path; Linux Steam " + kHome + "\\.steam\\steam: app 2732960 in no library"},
        {"no Steam in a home no drive maps: every folder looked at, in order", [](World& w) {
             w.wine.environment["WINEHOMEDIR"] = "\\??\\unix\\home\\deck";
         },
         kZeroHour, "Linux Steam: no folder \\\\?\\unix\\home\\deck\\.steam\\steam or \\\\?\\unix\\home\\deck\\.steam\\root or "
                    "\\\\?\\unix\\home\\deck\\.local\\share\\Steam or "
                    "\\\\?\\unix\\home\\deck\\.var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam"},
    };
    for (const auto& c : kCases) {
        World world;
        c.setUp(world);
        EXPECT_EQ(Shown(world.Lines().at(c.lRow)), c.szLine) << c.szWhat;
    }
}

}  // namespace
}  // namespace corvane
