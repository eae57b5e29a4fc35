// Where a launch's time goes: its check, swap and restore run one after the
// other on this thread, without the window, with every file, copy and
// journal call counted and timed; then the plain program's copy and delete
// of the same tree, for comparison.
#pragma once

#include <string>

#include "state/mod_config.h"
#include "scratch_layout.h"
#include "state/game_table.h"

namespace corvane::bench {

void PrintPhases(const ScratchPaths& paths, const ModConfig& mod, const GameEntry& game,
                 const std::string& szBareSource, const std::string& szBareTarget);

}  // namespace corvane::bench
