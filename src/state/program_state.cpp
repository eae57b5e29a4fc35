#include "state/program_state.h"

#include <limits>
#include <stdexcept>

namespace corvane {

void ProgramState::AppendMod(const ModConfig& mod) {
    if (dModCount == std::numeric_limits<int16_t>::max())
        throw std::length_error("at most 32767 mods can be listed");
    if (static_cast<size_t>(dModCount) < ModList.size())
        ModList[dModCount] = mod;
    else
        ModList.push_back(mod);
    ++dModCount;
}

}  // namespace corvane
