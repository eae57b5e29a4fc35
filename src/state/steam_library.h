// Where Steam keeps a game: its libraries, named in
// steamapps\libraryfolders.vdf of Steam's own folder, and in the library
// that holds the game, steamapps\appmanifest_<app>.acf with the game's
// folder under steamapps\common.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr const char* kSteamGeneralsApp = "2229870";
inline constexpr const char* kSteamZeroHourApp = "2732960";

struct SteamLibrary {
    std::string szPath;              // as written, without a trailing backslash
    std::vector<std::string> szApps; // the apps its "apps" block lists, if it has one
};

// The libraries of libraryfolders.vdf, in file order: the current form, a
// block per library with "path" and "apps", or the older one, a bare path per
// number. Damaged text gives none.
std::vector<SteamLibrary> ReadLibraryFolders(std::string_view szVdf);

// The libraries in which to look for the app, in order: with the current
// form those that list it; with the older one Steam's own folder first, then
// every library.
std::vector<std::string> LibrariesForApp(const std::vector<SteamLibrary>& libraries, const std::string& szSteamFolder,
                                         const std::string& szApp);

// The game's folder name under steamapps\common, from its app manifest;
// "" when the manifest names none.
std::string ReadInstallDir(std::string_view szAcf);

}  // namespace corvane
