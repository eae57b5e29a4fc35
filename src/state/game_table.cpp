#include "state/game_table.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/platform_error.h"
#include "platform/registry.h"
#include "state/full_path.h"

namespace corvane {

namespace {

constexpr uint32_t kInstallPathBufferSize = 256;
constexpr uint32_t kVersionSize = 4;

// Reads one game's key into its row; what cannot be read stays as it was.
void ReadGame(Registry& registry, const char* szKey, GameEntry& game) {
    std::unique_ptr<RegistryKey> key;
    try {
        key = registry.OpenKey(szKey);
    } catch (const PlatformError&) {
        return;  // not installed
    }

    try {
        const std::string szData = key->QueryValue("InstallPath", kInstallPathBufferSize);
        // The stored text without its terminating NUL.
        const std::string szText = szData.empty() ? std::string() : szData.substr(0, szData.size() - 1);
        game.szInstallPath = InstallFolderOf(szText).value_or(game.szInstallPath);
    } catch (const PlatformError&) {
    }

    try {
        const GameVersion version = VersionOfValue(key->QueryValue("Version", kVersionSize));
        game.dVerMajor = version.dMajor;
        game.dVerMinor = version.dMinor;
    } catch (const PlatformError&) {
    }
}

void CopyInstallation(const GameEntry& from, GameEntry& to) {
    to.szInstallPath = from.szInstallPath;
    to.dVerMajor = from.dVerMajor;
    to.dVerMinor = from.dVerMinor;
}

std::string TwoDigitsAtLeast(int lNumber) {
    std::string szDigits = std::to_string(lNumber);
    return lNumber >= 0 && lNumber < 10 ? "0" + szDigits : szDigits;
}

}  // namespace

std::optional<std::string> InstallFolderOf(const std::string& szText) {
    const std::optional<std::string> szFull = FullPathOf(szText);
    if (!szFull) return std::nullopt;
    return szFull->back() == '\\' ? *szFull : *szFull + '\\';
}

GameTable MakeGameTable() {
    GameTable games;
    games[kGenerals] = {"Generals.exe", "", "Generals"};
    games[kZeroHour] = {"Generals.exe", "", "Zero Hour Generals Expansion"};
    games[kGeneralsWorldBuilder] = {"WorldBuilder.exe", "", "Generals WorldBuilder"};
    games[kZeroHourWorldBuilder] = {"WorldBuilder.exe", "", "Zero Hour WorldBuilder"};
    return games;
}

GameVersion DecodeVersion(int32_t lVersion) {
    // Divided in floating point and rounded half to even, so a low word of
    // 0x8000 or more rounds the major part up.
    const double dfMajor = std::nearbyint(static_cast<double>(lVersion) / 256.0 / 256.0);
    constexpr double kLowest = std::numeric_limits<int16_t>::min();
    constexpr double kHighest = std::numeric_limits<int16_t>::max();
    GameVersion version;
    version.dMajor = static_cast<int16_t>(dfMajor < kLowest ? kLowest : dfMajor > kHighest ? kHighest : dfMajor);
    version.dMinor = static_cast<int16_t>(static_cast<uint32_t>(lVersion) & 0xFF);
    return version;
}

GameVersion VersionOfValue(const std::string& szData) {
    uint32_t lBits = 0;
    for (size_t i = 0; i < szData.size() && i < kVersionSize; ++i)
        lBits |= static_cast<uint32_t>(static_cast<unsigned char>(szData[i])) << (8 * i);
    return DecodeVersion(static_cast<int32_t>(lBits));
}

void ReadGameTable(Registry& registry, GameTable& games) {
    ReadGame(registry, kGeneralsKey, games[kGenerals]);
    CopyInstallation(games[kGenerals], games[kGeneralsWorldBuilder]);
    ReadGame(registry, kZeroHourKey, games[kZeroHour]);
    CopyInstallation(games[kZeroHour], games[kZeroHourWorldBuilder]);
}

void AppendVersionTitles(GameTable& games) {
    for (GameEntry& game : games)
        game.szTitle += " Version " + std::to_string(game.dVerMajor) + "." + TwoDigitsAtLeast(game.dVerMinor);
}

}  // namespace corvane
