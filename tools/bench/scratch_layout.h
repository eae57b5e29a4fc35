// The benchmark's own scratch folder: a stand-in game installation, a
// program folder with the three mods that are launched, and a program folder
// with the 200 mods that are scanned. Everything is made up on the spot,
// the same on every run, and only ever below the given root.
#pragma once

#include <cstdint>
#include <string>

namespace corvane::bench {

// The mods in the launch program folder, by the titles the scan gives them.
inline constexpr const char* kBigModTitle = "BigFiles";          // folder mod, 2,000 files, about 1 GiB
inline constexpr const char* kSmallModTitle = "SmallFiles";      // folder mod, 20,000 small files
inline constexpr const char* kSmallConfigTitle = "SmallFilesZcf";  // SmallFiles\Data as one folder entry
inline constexpr const char* kArchiveModTitle = "BigArchives";  // folder mod, 1 GiB in 4 BIG archives and 2,000 small files
inline constexpr const char* kArchivesAloneTitle = "ArchivesAlone";  // folder mod, the same 4 BIG archives alone
// The same tree on another file system (drive H:), as a configuration file
// whose entries put it at the same places.
inline constexpr const char* kFarArchiveTitle = "FarArchivesZcf";

struct ScratchPaths {
    std::string szRoot;
    std::string szFarRoot;  // on another file system; "" when the machine has none

    std::string Game() const { return szRoot + "\\Game"; }
    std::string LaunchApp() const { return szRoot + "\\Launch"; }
    std::string ScanApp() const { return szRoot + "\\Scan"; }
    std::string Bare() const { return szRoot + "\\Bare"; }
    std::string BigMod() const { return LaunchApp() + "\\" + kBigModTitle; }
    std::string SmallMod() const { return LaunchApp() + "\\" + kSmallModTitle; }
    // The one folder entry of the configuration file: the whole SmallFiles tree.
    std::string SmallConfigSource() const { return SmallMod() + "\\Data"; }
    std::string ArchiveMod() const { return LaunchApp() + "\\" + kArchiveModTitle; }
    std::string ArchivesAloneMod() const { return LaunchApp() + "\\" + kArchivesAloneTitle; }
    std::string FarArchives() const { return szFarRoot + "\\" + kArchiveModTitle; }
};

struct TreeSize {
    uint64_t lFiles = 0;
    uint64_t lFolders = 0;
    uint64_t lBytes = 0;
};

struct ModSize {
    TreeSize tree;
    uint64_t lReplaced = 0;        // files that take the place of game files
    uint64_t lNewInExisting = 0;   // new files in folders the game has
};

struct ScratchSummary {
    TreeSize game;
    ModSize big, small, archives, archivesAlone;
    TreeSize scan;
    uint64_t lScanMods = 0;
};

// Builds every part an earlier run has not left complete, and the game
// folder always anew; the bare copies' folder is emptied.
ScratchSummary BuildScratch(const ScratchPaths& paths, const std::string& szStandInExe);

}  // namespace corvane::bench
