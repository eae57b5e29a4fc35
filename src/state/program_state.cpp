#include "state/program_state.h"

#include <limits>
#include <stdexcept>
#include <utility>

namespace corvane {

void ProgramState::AppendMod(ModConfig mod) {
    if (dModCount == std::numeric_limits<int16_t>::max())
        throw std::length_error("at most 32767 mods can be listed");
    if (static_cast<size_t>(dModCount) < ModList.size())
        ModList[dModCount] = std::move(mod);
    else
        ModList.push_back(std::move(mod));
    ++dModCount;
}

}  // namespace corvane
