// One mod: where its BIG file lies and which files and folders it swaps into
// the game folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct SwapEntry {
    std::string szSrc;  // the mod's file or folder
    std::string szDst;  // where it goes (see the launch's target rule)
};

struct ModConfig {
    std::string szTitle;
    std::string szLocation;  // folder of the BIG file, ending in a backslash
    std::string szModFile;   // the BIG file's name, passed with " -mod "
    int16_t dCount = 0;      // number of swap entries, always szSrc.size()
    bool bFolderMod = false;
    std::vector<std::string> szSrc;
    std::vector<std::string> szDst;
    // The configuration file the mod was read from, so that Remove and Edit
    // address that file even when its name holds a further "."; empty for
    // folder mods.
    std::string szConfigFile;

    // Appends one swap entry; throws std::length_error when a 16-bit count
    // cannot hold another one.
    void AddEntry(const std::string& szSource, const std::string& szDestination);
    SwapEntry Entry(int16_t i) const { return {szSrc.at(i), szDst.at(i)}; }
    // Empties everything but bFolderMod.
    void Clear();
};

}  // namespace corvane
