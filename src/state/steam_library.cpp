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
            if (apps && apps->bBlock)
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
    std::vector<std::string> szFolders;
    const auto add = [&](const std::string& szPath) {
        if (std::none_of(szFolders.begin(), szFolders.end(),
                         [&](const std::string& szFolder) { return SameLetters(szFolder, szPath); }))
            szFolders.push_back(szPath);
    };
    for (const SteamLibrary& library : libraries)
        if (std::find(library.szApps.begin(), library.szApps.end(), szApp) != library.szApps.end()) add(library.szPath);
    add(WithoutTrailingBackslashes(szSteamFolder));
    for (const SteamLibrary& library : libraries) add(library.szPath);
    return szFolders;
}

std::string ReadInstallDir(std::string_view szAcf) {
    const VdfEntry file = ReadVdf(szAcf);
    const VdfEntry* state = file.Find("AppState");
    return state && state->bBlock ? state->ValueOf("installdir") : "";
}

}  // namespace corvane
