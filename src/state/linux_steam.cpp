#include "state/linux_steam.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform_error.h"
#include "state/steam_search.h"
#include "state/vdf.h"

namespace corvane {

namespace {

constexpr const char* kSteamName = "Linux Steam";
constexpr const char* kHomeSteams[] = {".steam\\steam", ".steam\\root", ".local\\share\\Steam",
                                       ".var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam",
                                       "snap\\steam\\common\\.local\\share\\Steam", "snap\\steam\\common\\.steam\\steam"};
// Flatpak's Steam takes this folder of the home for the home itself, and
// writes its own folder into its files as one of these in the home.
constexpr std::string_view kFlatpakHome = "\\.var\\app\\com.valvesoftware.Steam\\";
constexpr const char* kSandboxSteams[] = {".local\\share\\Steam", ".steam\\steam", ".steam\\root"};
// The name corvane-proton knows each game by.
constexpr std::pair<const char*, const char*> kProtonGames[] = {{kSteamGeneralsApp, "generals"},
                                                               {kSteamZeroHourApp, "zerohour"}};

// How Corvane.log names a place of Steam for Linux.
std::string LinuxSteam(const std::string& szPlace) { return std::string(kSteamName) + " " + szPlace; }

std::string WithoutTrailingSeparators(std::string szPath, char cSeparator) {
    while (szPath.size() > 1 && szPath.back() == cSeparator) szPath.pop_back();
    return szPath;
}

// Wine names the Unix home in NT form: "\??\Z:\home\deck" is Z:\home\deck,
// and a home no drive maps, "\??\unix\home\deck", opens as \\?\unix\home\deck.
std::string WindowsPathOfNtPath(const std::string& szNtPath) {
    const std::string szPrefix = "\\??\\";
    if (szNtPath.rfind(szPrefix, 0) != 0) return szNtPath;
    const std::string szRest = szNtPath.substr(szPrefix.size());
    return szRest.size() >= 2 && szRest[1] == ':' ? szRest : "\\\\?\\" + szRest;
}

// Wine would take a relative path from its own current folder.
std::optional<std::string> WindowsPathOfUnixPath(WineHost& wine, const std::string& szUnixPath) {
    if (szUnixPath.empty() || szUnixPath[0] != '/') return std::nullopt;
    const std::optional<std::string> szPath = wine.DosPathOf(szUnixPath);
    if (!szPath || szPath->empty()) return std::nullopt;
    return WithoutTrailingSeparators(*szPath, '\\');
}

// Steam tells a program it runs through Proton where it lives; Corvane
// started otherwise looks in the Unix home.
std::vector<std::string> RootCandidates(Look& look) {
    WineHost& wine = look.sources.wine;
    const std::string szInstall = wine.Environment("STEAM_COMPAT_CLIENT_INSTALL_PATH").value_or("");
    if (!szInstall.empty()) {
        if (const std::optional<std::string> szRoot = WindowsPathOfUnixPath(wine, szInstall)) return {*szRoot};
        look.Note(LinuxSteam(szInstall), "no Windows path");
        return {};
    }
    const std::string szHome = wine.Environment("WINEHOMEDIR").value_or("");
    if (szHome.empty()) {
        look.Note(kSteamName, "no WINEHOMEDIR");
        return {};
    }
    std::vector<std::string> szRoots;
    for (const char* szSteam : kHomeSteams) szRoots.push_back(Joined(WindowsPathOfNtPath(szHome), szSteam));
    return szRoots;
}

// What tells one folder from another: its identity, or where Wine gives
// none (every folder on another Linux file system than the one Z: shows has
// the same empty one) its path with every link followed. Nothing when the
// folder is not there.
std::optional<std::string> FolderKey(Look& look, const std::string& szFolder) {
    std::optional<std::string> szKey = look.sources.files.Identity(szFolder);
    if (szKey && szKey->empty()) szKey = "path " + look.sources.files.ResolvedPath(szFolder);
    return szKey;
}

// .steam/steam and .steam/root are mostly links to one of the others.
std::vector<std::string> DistinctRoots(Look& look, const std::vector<std::string>& szCandidates) {
    std::vector<std::string> szRoots, szKeys;
    for (const std::string& szCandidate : szCandidates) {
        try {
            const std::optional<std::string> szKey = FolderKey(look, szCandidate);
            if (!szKey || std::find(szKeys.begin(), szKeys.end(), *szKey) != szKeys.end()) continue;
            szKeys.push_back(*szKey);
            szRoots.push_back(szCandidate);
        } catch (const PlatformError& e) {
            look.Note(LinuxSteam(szCandidate), e.what());
        }
    }
    if (szRoots.empty() && !szCandidates.empty()) {
        std::string szList;
        for (const std::string& szCandidate : szCandidates) szList += (szList.empty() ? "" : " or ") + szCandidate;
        look.Note(kSteamName, "no folder " + szList);
    }
    return szRoots;
}

// The home Flatpak's Steam sees as its own, where the folder is that Steam's
// (by its name or where its links lead); "" for any other Steam.
std::string FlatpakHome(Look& look, const std::string& szRoot) {
    for (const std::string& szPath : {szRoot, look.sources.files.ResolvedPath(szRoot)}) {
        for (size_t lAt = 0; lAt + kFlatpakHome.size() <= szPath.size(); ++lAt)
            if (SameLetters(std::string_view(szPath).substr(lAt, kFlatpakHome.size()), kFlatpakHome))
                return szPath.substr(0, lAt);
    }
    return "";
}

// A library that is Steam's own folder by another name: the one Flatpak's
// sandbox gives it (outside, that path holds nothing or another Steam), or
// another way through links.
bool IsSteamItself(Look& look, const std::string& szSandboxHome, const std::optional<std::string>& szRootKey,
                   const std::string& szLibrary) {
    if (!szSandboxHome.empty())
        for (const char* szSteam : kSandboxSteams)
            if (SameLetters(szLibrary, Joined(szSandboxHome, szSteam))) return true;
    try {
        return FolderKey(look, szLibrary) == szRootKey;
    } catch (const PlatformError&) {
        return false;  // the search notes what the library gives when it looks in it
    }
}

// Each library through the Windows path Wine gives it; Steam's own folder by
// its root's name, so that it is looked in once and as the right folder.
std::vector<SteamLibrary> ReachedLibraries(Look& look, const std::string& szRoot, std::vector<SteamLibrary> libraries) {
    const std::string szSandboxHome = FlatpakHome(look, szRoot);
    const std::optional<std::string> szRootKey = FolderKey(look, szRoot);
    std::vector<SteamLibrary> reached;
    for (SteamLibrary& library : libraries) {
        const std::optional<std::string> szPath = WindowsPathOfUnixPath(look.sources.wine, library.szPath);
        if (!szPath) {
            look.Note(LinuxSteam("library " + library.szPath), "no Windows path");
            continue;
        }
        library.szPath = IsSteamItself(look, szSandboxHome, szRootKey, *szPath) ? szRoot : *szPath;
        reached.push_back(std::move(library));
    }
    return reached;
}

// Steam runs a game through Proton in a prefix of its own,
// steamapps/compatdata/<app>, and tells the program it runs which app it is.
bool RunsInOwnPrefix(WineHost& wine, const std::string& szApp) {
    const std::string szData = WithoutTrailingSeparators(wine.Environment("STEAM_COMPAT_DATA_PATH").value_or(""), '/');
    const std::string szDataApp = szData.substr(szData.find_last_of('/') + 1);
    return szDataApp == szApp && wine.Environment("SteamAppId").value_or("") == szApp;
}

// The game's saves and settings live in its own prefix; the player should
// know that Corvane starts it in another.
std::string PrefixCaveat(WineHost& wine, const std::string& szApp) {
    if (RunsInOwnPrefix(wine, szApp)) return "";
    std::string szGame = szApp;
    for (const auto& [szId, szName] : kProtonGames)
        if (szApp == szId) szGame = szName;
    return "it will run in this prefix, not its own: start Corvane with corvane-proton --game " + szGame +
           " to play it in its own Proton prefix";
}

}  // namespace

std::optional<Spot> FromLinuxSteam(Look& look, const std::string& szApp) {
    if (!look.sources.wine.UnderWine()) return std::nullopt;
    try {
        for (const std::string& szRoot : DistinctRoots(look, RootCandidates(look))) {
            const std::vector<SteamLibrary> libraries = ReachedLibraries(look, szRoot, LibrariesOf(look, szRoot));
            if (std::optional<Spot> spot = FromSteamLibraries(look, szRoot, libraries, szApp, kSteamName)) {
                spot->szCaveat = PrefixCaveat(look.sources.wine, szApp);
                return spot;
            }
        }
    } catch (const PlatformError& e) {
        look.Note(kSteamName, e.what());
    }
    return std::nullopt;
}

}  // namespace corvane
