#include "state/mod_config.h"

#include <limits>
#include <stdexcept>

namespace corvane {

void ModConfig::AddEntry(const std::string& szSource, const std::string& szDestination) {
    if (dCount == std::numeric_limits<int16_t>::max())
        throw std::length_error("a mod holds at most 32767 swap entries");
    szSrc.push_back(szSource);
    szDst.push_back(szDestination);
    ++dCount;
}

void ModConfig::Clear() {
    szTitle.clear();
    szLocation.clear();
    szModFile.clear();
    dCount = 0;
    szSrc.clear();
    szDst.clear();
    szConfigFile.clear();
}

}  // namespace corvane
