#include "state/steam_library.h"

#include <algorithm>

#include "state/vdf.h"

namespace corvane {

namespace {

bool IsNumber(const std::string& szText) {
    return !szText.empty() && std::all_of(szText.begin(), szText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string WithoutTrailingBackslashes(std::string szPath) {
    while (szPath.size() > 1 && (szPath.back() == '\\' || szPath.back() == '/')) szPath.pop_back();
    return szPath;
}

}  // namespace

std::vector<SteamLibrary> ReadLibraryFolders(std::string_view szVdf) {
    std::vector<SteamLibrary> libraries;
    const VdfEntry file = ReadVdf(szVdf);
    const VdfEntry* folders = file.Find("libraryfolders");
    if (!folders || !folders->bBlock) return libraries;
    // Besides the numbered libraries the older form holds a few counters
    // ("TimeNextStatsReport"), which are no libraries.
    for (const VdfEntry& entry : folders->children) {
        if (!IsNumber(entry.szKey)) continue;
        SteamLibrary library;
        if (entry.bBlock) {
            library.szPath = entry.ValueOf("path");
            const VdfEntry* apps = entry.Find("apps");
            library.bListsApps = apps && apps->bBlock;
            if (library.bListsApps)
                for (const VdfEntry& app : apps->children) library.szApps.push_back(app.szKey);
        } else {
            library.szPath = entry.szValue;
        }
        library.szPath = WithoutTrailingBackslashes(library.szPath);
        if (!library.szPath.empty()) libraries.push_back(std::move(library));
    }
    return libraries;
}

std::vector<std::string> LibrariesForApp(const std::vector<SteamLibrary>& libraries, const std::string& szSteamFolder,
                                         const std::string& szApp) {
    const bool bCurrentForm =
        std::any_of(libraries.begin(), libraries.end(), [](const SteamLibrary& l) { return l.bListsApps; });
    std::vector<std::string> szFolders;
    if (!bCurrentForm) szFolders.push_back(WithoutTrailingBackslashes(szSteamFolder));
    for (const SteamLibrary& library : libraries) {
        const bool bHolds = std::find(library.szApps.begin(), library.szApps.end(), szApp) != library.szApps.end();
        const bool bListed = std::any_of(szFolders.begin(), szFolders.end(),
                                         [&](const std::string& szFolder) { return SameLetters(szFolder, library.szPath); });
        if ((bHolds || !bCurrentForm) && !bListed) szFolders.push_back(library.szPath);
    }
    return szFolders;
}

std::string ReadInstallDir(std::string_view szAcf) {
    const VdfEntry file = ReadVdf(szAcf);
    const VdfEntry* state = file.Find("AppState");
    return state && state->bBlock ? state->ValueOf("installdir") : "";
}

}  // namespace corvane
