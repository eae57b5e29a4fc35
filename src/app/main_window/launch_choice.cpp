#include "app/main_window/launch_choice.h"

namespace corvane {

std::string BuildSwitchString(const std::array<int, kOptionCount>& lValues) {
    std::string szArgs;
    for (int i = 0; i < kOptionCount; ++i) {
        if (lValues[i] != 0) szArgs += kOptionSwitches[i];
    }
    return szArgs;
}

int16_t FindGameIndex(const GameTable& games, const std::string& szText) {
    if (szText.empty()) return -1;
    for (size_t lRow = 0; lRow < games.size(); ++lRow) {
        if (games[lRow].szTitle.find(szText) != std::string::npos) return static_cast<int16_t>(lRow);
    }
    return -1;
}

}  // namespace corvane
