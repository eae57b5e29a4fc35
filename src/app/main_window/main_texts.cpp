#include "app/main_window/main_texts.h"

#include "state/play_request.h"

namespace corvane {

std::string VersionCaption(int lMajor, int lMinor, int lRevision) {
    return "Version:" + std::to_string(lMajor) + "." + std::to_string(lMinor) + "." +
           std::to_string(lRevision);
}

std::string ModConfigPath(const std::string& szAppPath, const ModConfig& mod,
                          const std::string& szListedTitle) {
    const std::string& szFile = mod.szConfigFile;
    if (szFile.empty()) return szAppPath + "\\" + szListedTitle + ".zcf";
    if (szFile.find_first_of("\\:") != std::string::npos) return szFile;
    return szAppPath + "\\" + szFile;
}

std::string ShortcutName(const std::string& szModTitle, int16_t dGame) {
    return szModTitle + " (" + kGameNames.at(static_cast<size_t>(dGame)) + ")";
}

}  // namespace corvane
