// The four launchable programs (Generals, Zero Hour and each one's
// WorldBuilder) with the installation folders and versions their installers
// left in the registry.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

class Registry;

struct GameEntry {
    std::string szExe;
    std::string szInstallPath;  // empty = not installed
    std::string szTitle;
    int16_t dVerMajor = 0;
    int16_t dVerMinor = 0;

    bool IsInstalled() const { return !szInstallPath.empty(); }
};

inline constexpr int16_t kGenerals = 0;
inline constexpr int16_t kZeroHour = 1;
inline constexpr int16_t kGeneralsWorldBuilder = 2;
inline constexpr int16_t kZeroHourWorldBuilder = 3;

using GameTable = std::array<GameEntry, 4>;

inline constexpr const char* kGeneralsKey = "SOFTWARE\\Electronic Arts\\EA Games\\Generals";
inline constexpr const char* kZeroHourKey =
    "SOFTWARE\\Electronic Arts\\EA Games\\Command and Conquer Generals Zero Hour";

struct GameVersion {
    int16_t dMajor = 0;
    int16_t dMinor = 0;
};

// The rows with their fixed names, nothing installed.
GameTable MakeGameTable();

// Decodes the installers' "Version" number: the major part is the number
// divided by 65536 and rounded half to even, the minor part its lowest byte.
// A major part beyond 16 bits is clamped to the nearest 16-bit value.
GameVersion DecodeVersion(int32_t lVersion);

// The "Version" value's bytes (lowest first, as the registry stores a
// number), decoded.
GameVersion VersionOfValue(const std::string& szData);

// An installation folder as the rows keep it: its full path, ending in one
// backslash, so that the program, mods' targets and Corvane.log join names
// onto it as the installers meant ("C:\Games\ZH" and "Generals.exe" make
// "C:\Games\ZH\Generals.exe", not a program beside the folder). Nothing
// for a text that is no full path, which Windows would take from whatever
// folder is current.
std::optional<std::string> InstallFolderOf(const std::string& szText);

// Reads both games from the registry into rows 0 and 1 and copies them into
// their WorldBuilder rows. A missing or unreadable key or value, or an
// "InstallPath" that is no full path, leaves the row as it was.
void ReadGameTable(Registry& registry, GameTable& games);

// Appends " Version <major>.<minor, two digits at least>" to every title.
void AppendVersionTitles(GameTable& games);

}  // namespace corvane
