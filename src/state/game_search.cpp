#include "state/game_search.h"

#include <algorithm>
#include <optional>

#include "state/game_look.h"
#include "state/linux_steam.h"
#include "state/steam_search.h"

namespace corvane {

namespace {

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

std::optional<Spot> FromKey(Look& look, Registry& registry, const std::string& szRoot, const std::string& szKey) {
    Spot spot{"", std::nullopt, szRoot + "\\" + szKey, ""};
    spot.szFolder = look.ReadText(registry, szRoot, szKey, "InstallPath", &spot.version);
    return look.Holding(spot);
}

std::optional<Spot> FromOrigin(Look& look, const Edition& edition) {
    const std::string szTop = look.ReadText(look.sources.machine, "HKEY_LOCAL_MACHINE", kOriginKey, "Install Dir");
    if (szTop.empty()) return std::nullopt;
    return look.Holding({Joined(szTop, edition.szOriginFolder), std::nullopt,
                         std::string("Origin, HKEY_LOCAL_MACHINE\\") + kOriginKey, ""});
}

std::optional<Spot> FromFirstDecade(Look& look, const Edition& edition) {
    const std::string szFolder =
        look.ReadText(look.sources.machine, "HKEY_LOCAL_MACHINE", kFirstDecadeKey, edition.szFirstDecadeValue);
    return look.Holding({szFolder, std::nullopt,
                         std::string("The First Decade, HKEY_LOCAL_MACHINE\\") + kFirstDecadeKey + "\\" +
                             edition.szFirstDecadeValue,
                         ""});
}

std::optional<Spot> FromElsewhere(Look& look, const Edition& edition) {
    GameSources& sources = look.sources;
    if (auto spot = FromKey(look, sources.machine, "HKEY_LOCAL_MACHINE", edition.szKey)) return spot;
    if (auto spot = FromKey(look, sources.user, "HKEY_CURRENT_USER", edition.szKey)) return spot;
    if (auto spot = FromOrigin(look, edition)) return spot;
    if (auto spot = FromFirstDecade(look, edition)) return spot;
    if (auto spot = FromWindowsSteam(look, edition.szSteamApp)) return spot;
    return FromLinuxSteam(look, edition.szSteamApp);
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
    if (!spot->szCaveat.empty()) szFinding += "; " + spot->szCaveat;
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
