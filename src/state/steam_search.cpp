#include "state/steam_search.h"

namespace corvane {

namespace {

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

}  // namespace

// Some Steams keep the list only in config\libraryfolders.vdf.
std::vector<SteamLibrary> LibrariesOf(Look& look, const std::string& szSteam) {
    std::optional<std::string> szVdf = look.ReadFile(Joined(szSteam, "steamapps\\libraryfolders.vdf"));
    if (!szVdf) szVdf = look.ReadFile(Joined(szSteam, "config\\libraryfolders.vdf"));
    return ReadLibraryFolders(szVdf.value_or(""));
}

std::optional<Spot> FromSteamLibraries(Look& look, const std::string& szSteam, const std::vector<SteamLibrary>& libraries,
                                       const std::string& szApp, const std::string& szSteamName) {
    for (const std::string& szLibrary : LibrariesForApp(libraries, szSteam, szApp)) {
        const std::string szWhere = szSteamName + " library " + szLibrary + ", app " + szApp;
        const std::string szManifest = Joined(szLibrary, "steamapps\\appmanifest_" + szApp + ".acf");
        const std::string szDir = ReadInstallDir(look.ReadFile(szManifest).value_or(""));
        if (szDir.empty()) {
            look.Note(szWhere, "no installdir in " + szManifest);
            continue;
        }
        if (auto spot = look.Holding({Joined(szLibrary, "steamapps\\common\\" + szDir), std::nullopt, szWhere, ""}))
            return spot;
    }
    return std::nullopt;
}

std::optional<Spot> FromWindowsSteam(Look& look, const std::string& szApp) {
    const std::string szSteam = SteamFolder(look);
    if (szSteam.empty()) return std::nullopt;
    return FromSteamLibraries(look, szSteam, LibrariesOf(look, szSteam), szApp, "Steam");
}

}  // namespace corvane
