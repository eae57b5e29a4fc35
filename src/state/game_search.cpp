#include "state/game_search.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/platform_error.h"
#include "state/steam_library.h"

namespace corvane {

namespace {

// Room for any folder Windows can hold, in UTF-8.
constexpr uint32_t kLongestText = 128 * 1024;
// Steam's library list and app manifests take a few kilobytes.
constexpr size_t kLargestSteamFile = 4 * 1024 * 1024;
constexpr uint32_t kErrorNotFound = 2;

// The places one game is kept in besides its retail key.
struct Edition {
    const char* szKey;               // the retail key, also read under HKEY_CURRENT_USER
    const char* szOriginFolder;      // below Origin's "Install Dir"
    const char* szFirstDecadeValue;  // in The First Decade's key
    const char* szSteamApp;
    GameVersion lastRelease;         // what the stores ship
};

constexpr Edition kEditions[] = {
    {kGeneralsKey, "Command and Conquer Generals", "gen_folder", kSteamGeneralsApp, {1, 8}},
    {kZeroHourKey, "Command and Conquer Generals Zero Hour", "zh_folder", kSteamZeroHourApp, {1, 4}},
};

// A folder a place names, and the version it records, if any.
struct Spot {
    std::string szFolder;
    std::optional<GameVersion> version;
    std::string szWhere;
};

std::string Joined(const std::string& szFolder, const std::string& szName) {
    return !szFolder.empty() && szFolder.back() == '\\' ? szFolder + szName : szFolder + "\\" + szName;
}

// Other Parts join file names straight to a game's folder.
std::string WithOneBackslash(std::string szFolder) {
    std::replace(szFolder.begin(), szFolder.end(), '/', '\\');
    while (!szFolder.empty() && szFolder.back() == '\\') szFolder.pop_back();
    return szFolder + "\\";
}

// A text value's characters, up to its terminating NUL.
std::string TextOf(const std::string& szData) { return szData.substr(0, szData.find('\0')); }

std::string Failure(const PlatformError& e, const std::string& szWhat) {
    return e.Code() == kErrorNotFound ? "no " + szWhat : szWhat + " unreadable (error " + std::to_string(e.Code()) + ")";
}

class Look {
public:
    Look(GameSources& sources, const std::string& szExe) : sources(sources), szExe(szExe) {}

    // The value of a key, "" (and a note saying why) when it cannot be read.
    std::string ReadText(Registry& registry, const std::string& szRoot, const std::string& szKey,
                         const std::string& szValue, std::optional<GameVersion>* version = nullptr) {
        const std::string szWhere = szRoot + "\\" + szKey;
        std::unique_ptr<RegistryKey> key;
        std::string szText;
        try {
            key = registry.OpenKey(szKey);
        } catch (const PlatformError& e) {
            Note(szWhere, Failure(e, "key"));
            return "";
        }
        try {
            szText = TextOf(key->QueryValue(szValue, kLongestText));
        } catch (const PlatformError& e) {
            Note(szWhere, Failure(e, "\"" + szValue + "\" value"));
            return "";
        }
        if (szText.empty()) Note(szWhere, "\"" + szValue + "\" empty");
        try {
            if (version) *version = VersionOfValue(key->QueryValue("Version", 4));
        } catch (const PlatformError&) {
        }
        return szText;
    }

    // The spot, with its folder ending in one backslash, when the game's
    // executable is in that folder.
    std::optional<Spot> Holding(Spot spot) {
        if (spot.szFolder.empty()) return std::nullopt;
        spot.szFolder = WithOneBackslash(spot.szFolder);
        try {
            if (sources.files.FileExists(spot.szFolder + szExe)) return spot;
            Note(spot.szWhere, "no " + szExe + " in " + spot.szFolder);
        } catch (const PlatformError& e) {
            Note(spot.szWhere, e.what());
        }
        return std::nullopt;
    }

    std::optional<std::string> ReadFile(const std::string& szPath) {
        try {
            const std::unique_ptr<InputFile> file = sources.files.OpenInput(szPath);
            std::string szBytes;
            char buffer[4096];
            while (const size_t lRead = file->Read(buffer, sizeof(buffer))) {
                szBytes.append(buffer, lRead);
                if (szBytes.size() > kLargestSteamFile) return std::nullopt;
            }
            return szBytes;
        } catch (const PlatformError&) {
            return std::nullopt;
        }
    }

    void Note(const std::string& szWhere, const std::string& szWhat) {
        szNotes += (szNotes.empty() ? "" : "; ") + szWhere + ": " + szWhat;
    }

    GameSources& sources;
    const std::string& szExe;
    std::string szNotes;
};

std::optional<Spot> FromKey(Look& look, Registry& registry, const std::string& szRoot, const std::string& szKey) {
    Spot spot{"", std::nullopt, szRoot + "\\" + szKey};
    spot.szFolder = look.ReadText(registry, szRoot, szKey, "InstallPath", &spot.version);
    return look.Holding(spot);
}

std::optional<Spot> FromOrigin(Look& look, const Edition& edition) {
    const std::string szTop = look.ReadText(look.sources.machine, "HKEY_LOCAL_MACHINE", kOriginKey, "Install Dir");
    if (szTop.empty()) return std::nullopt;
    return look.Holding({Joined(szTop, edition.szOriginFolder), std::nullopt,
                         std::string("Origin, HKEY_LOCAL_MACHINE\\") + kOriginKey});
}

std::optional<Spot> FromFirstDecade(Look& look, const Edition& edition) {
    const std::string szFolder =
        look.ReadText(look.sources.machine, "HKEY_LOCAL_MACHINE", kFirstDecadeKey, edition.szFirstDecadeValue);
    return look.Holding({szFolder, std::nullopt,
                         std::string("The First Decade, HKEY_LOCAL_MACHINE\\") + kFirstDecadeKey + "\\" +
                             edition.szFirstDecadeValue});
}

// Steam's own folder: the user's "SteamPath" (written with forward
// slashes), else the machine's "InstallPath".
std::string SteamFolder(Look& look) {
    std::string szFolder = look.ReadText(look.sources.user, "HKEY_CURRENT_USER", kSteamUserKey, "SteamPath");
    if (szFolder.empty())
        szFolder = look.ReadText(look.sources.machine, "HKEY_LOCAL_MACHINE", kSteamMachineKey, "InstallPath");
    if (szFolder.empty()) return "";
    szFolder = WithOneBackslash(szFolder);
    szFolder.pop_back();
    return szFolder;
}

std::optional<Spot> FromSteam(Look& look, const Edition& edition) {
    const std::string szSteam = SteamFolder(look);
    if (szSteam.empty()) return std::nullopt;
    const std::string szApp = edition.szSteamApp;
    const std::vector<SteamLibrary> libraries =
        ReadLibraryFolders(look.ReadFile(Joined(szSteam, "steamapps\\libraryfolders.vdf")).value_or(""));
    const std::vector<std::string> szLibraries = LibrariesForApp(libraries, szSteam, szApp);
    if (szLibraries.empty()) look.Note("Steam " + szSteam, "app " + szApp + " in no library");
    for (const std::string& szLibrary : szLibraries) {
        const std::string szWhere = "Steam library " + szLibrary + ", app " + szApp;
        const std::string szManifest = Joined(szLibrary, "steamapps\\appmanifest_" + szApp + ".acf");
        const std::string szDir = ReadInstallDir(look.ReadFile(szManifest).value_or(""));
        if (szDir.empty()) {
            look.Note(szWhere, "no installdir in " + szManifest);
            continue;
        }
        if (auto spot = look.Holding({Joined(szLibrary, "steamapps\\common\\" + szDir), std::nullopt, szWhere}))
            return spot;
    }
    return std::nullopt;
}

std::optional<Spot> FromElsewhere(Look& look, const Edition& edition) {
    GameSources& sources = look.sources;
    if (auto spot = FromKey(look, sources.machine, "HKEY_LOCAL_MACHINE", edition.szKey)) return spot;
    if (auto spot = FromKey(look, sources.user, "HKEY_CURRENT_USER", edition.szKey)) return spot;
    if (auto spot = FromOrigin(look, edition)) return spot;
    if (auto spot = FromFirstDecade(look, edition)) return spot;
    return FromSteam(look, edition);
}

// The version of a game found elsewhere: its place's, else its
// executable's, else the last release's. Says which in the finding.
GameVersion VersionOf(GameSources& sources, const Spot& spot, const GameEntry& game, const Edition& edition,
                      std::string& szFinding) {
    if (spot.version) return *spot.version;
    if (const std::optional<FileVersion> file = sources.versions.Of(spot.szFolder + game.szExe);
        file && file->dMajor >= 1) {
        szFinding += "; version from " + game.szExe;
        return {static_cast<int16_t>(std::min<int>(file->dMajor, 32767)),
                static_cast<int16_t>(std::min<int>(file->dMinor, 255))};
    }
    szFinding += "; version of the last release";
    return edition.lastRelease;
}

std::string FindGame(GameSources& sources, const Edition& edition, GameEntry& game) {
    if (game.IsInstalled()) return std::string("HKEY_LOCAL_MACHINE\\") + edition.szKey;
    Look look(sources, game.szExe);
    const std::optional<Spot> spot = FromElsewhere(look, edition);
    if (!spot) return look.szNotes;
    std::string szFinding = spot->szWhere;
    const GameVersion version = VersionOf(sources, *spot, game, edition, szFinding);
    game.szInstallPath = spot->szFolder;
    game.dVerMajor = version.dMajor;
    game.dVerMinor = version.dMinor;
    return szFinding;
}

}  // namespace

GameFindings FindGames(GameSources& sources, GameTable& games) {
    ReadGameTable(sources.gameKeys, games);
    GameFindings findings;
    findings[kGenerals] = FindGame(sources, kEditions[0], games[kGenerals]);
    findings[kZeroHour] = FindGame(sources, kEditions[1], games[kZeroHour]);
    for (const auto& [dTool, dGame] : {std::pair{kGeneralsWorldBuilder, kGenerals}, {kZeroHourWorldBuilder, kZeroHour}}) {
        games[dTool].szInstallPath = games[dGame].szInstallPath;
        games[dTool].dVerMajor = games[dGame].dVerMajor;
        games[dTool].dVerMinor = games[dGame].dVerMinor;
        findings[dTool] = "with " + MakeGameTable()[dGame].szTitle;
    }
    return findings;
}

std::vector<std::string> FindingLines(const GameTable& games, const GameFindings& findings) {
    const GameTable names = MakeGameTable();
    std::vector<std::string> szLines;
    for (size_t i = 0; i < games.size(); ++i) {
        szLines.push_back(games[i].IsInstalled()
                              ? "Found " + games[i].szTitle + " in " + games[i].szInstallPath + " (" + findings[i] + ")"
                              : "Not found: " + names[i].szTitle + " (" + findings[i] + ")");
    }
    return szLines;
}

}  // namespace corvane
