// The state every window shares for the whole run. One instance, owned by
// the start-up code and passed by reference to those who use it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/mod_config.h"
#include "state/game_table.h"

namespace corvane {

struct ProgramState {
    corvane::GameTable GameTable = MakeGameTable();
    // Never empty: entries 0 to dModCount - 1 are the known mods; with no
    // mod it still holds one blank entry at index 0.
    std::vector<ModConfig> ModList = std::vector<ModConfig>(1);
    int16_t dModCount = 0;
    std::string szSilentConfig;  // set only in silent mode
    bool bLaunching = false;     // the main window's guard while it hands over a launch

    // Back to no mods: one blank entry.
    void ClearMods() {
        ModList.assign(1, ModConfig{});
        dModCount = 0;
    }
    // Stores a mod at index dModCount; throws std::length_error when the
    // 16-bit count is full.
    void AppendMod(ModConfig mod);
};

}  // namespace corvane
