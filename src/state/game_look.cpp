#include "state/game_look.h"

#include <algorithm>
#include <memory>

#include "platform/platform_error.h"

namespace corvane {

namespace {

// Room for any folder Windows can hold, in UTF-8.
constexpr uint32_t kLongestText = 128 * 1024;
// Steam's library list and app manifests take a few kilobytes.
constexpr size_t kLargestSteamFile = 4 * 1024 * 1024;
constexpr uint32_t kErrorNotFound = 2;

// A text value's characters, up to its terminating NUL.
std::string TextOf(const std::string& szData) { return szData.substr(0, szData.find('\0')); }

std::string Failure(const PlatformError& e, const std::string& szWhat) {
    return e.Code() == kErrorNotFound ? "no " + szWhat : szWhat + " unreadable (error " + std::to_string(e.Code()) + ")";
}

}  // namespace

std::string Joined(const std::string& szFolder, const std::string& szName) {
    return !szFolder.empty() && szFolder.back() == '\\' ? szFolder + szName : szFolder + "\\" + szName;
}

// Other parts of the program join file names straight to a game's folder.
std::string WithOneBackslash(std::string szFolder) {
    std::replace(szFolder.begin(), szFolder.end(), '/', '\\');
    while (!szFolder.empty() && szFolder.back() == '\\') szFolder.pop_back();
    return szFolder + "\\";
}

std::string Look::ReadText(Registry& registry, const std::string& szRoot, const std::string& szKey,
                           const std::string& szValue, std::optional<GameVersion>* version) {
    const std::string szWhere = szRoot + "\\" + szKey;
    std::unique_ptr<RegistryKey> key;
    std::string szText;
    try {
        key = registry.OpenKey(szKey);
    } catch (const PlatformError& e) {
        Note(szWhere, Failure(e, "key"));
        return "";
    }
    try {
        szText = TextOf(key->QueryValue(szValue, kLongestText));
    } catch (const PlatformError& e) {
        Note(szWhere, Failure(e, "\"" + szValue + "\" value"));
        return "";
    }
    if (szText.empty()) Note(szWhere, "\"" + szValue + "\" empty");
    try {
        if (version) *version = VersionOfValue(key->QueryValue("Version", 4));
    } catch (const PlatformError&) {
    }
    return szText;
}

std::optional<Spot> Look::Holding(Spot spot) {
    if (spot.szFolder.empty()) return std::nullopt;
    const std::optional<std::string> szFolder = InstallFolderOf(spot.szFolder);
    if (!szFolder) {
        Note(spot.szWhere, spot.szFolder + " is no full path");
        return std::nullopt;
    }
    spot.szFolder = *szFolder;
    try {
        if (sources.files.FileExists(spot.szFolder + szExe)) return spot;
        Note(spot.szWhere, "no " + szExe + " in " + spot.szFolder);
    } catch (const PlatformError& e) {
        Note(spot.szWhere, e.what());
    }
    return std::nullopt;
}

std::optional<std::string> Look::ReadFile(const std::string& szPath) {
    try {
        const std::unique_ptr<InputFile> file = sources.files.OpenInput(szPath);
        std::string szBytes;
        char buffer[4096];
        while (const size_t lRead = file->Read(buffer, sizeof(buffer))) {
            szBytes.append(buffer, lRead);
            if (szBytes.size() > kLargestSteamFile) return std::nullopt;
        }
        return szBytes;
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

void Look::Note(const std::string& szWhere, const std::string& szWhat) {
    szNotes += (szNotes.empty() ? "" : "; ") + szWhere + ": " + szWhat;
}

}  // namespace corvane
