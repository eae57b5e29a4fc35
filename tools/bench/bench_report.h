// What the benchmark found, gathered over the rounds and printed as one
// table with the targets beside it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine_run.h"
#include "log_alone.h"
#include "samples.h"
#include "scratch_layout.h"
#include "undo_drive_gone.h"

namespace corvane::bench {

struct ModFigures {
    double dfSwapTarget = 1.10, dfRestoreTarget = 1.10;  // medians of the ratios to the bare program
    Samples swap, swapWorkEnd, restore, bareCopy, bareDelete;
    Samples launchCpu, windowCpu, bareCpu;  // processor seconds: the launch, its window's thread, the bare program
    double dfLongestWhileCopying = 0;  // seconds, over every round
    double dfLongest = 0;
    double dfLongestIdleWhileBare = 0;  // an idle window's, while the plain program copied and deleted
    uint64_t lLargestGrowth = 0;  // bytes the working set grew during a launch, the most of any round
    uint64_t lLogLines = 0, lLogBytes = 0;

    void Add(const LaunchResult& result);
};

struct ScanFigures {
    Samples scan, walk;
    uint64_t lMods = 0, lEntries = 0, lWalked = 0;
};

void PrintSetup(const ScratchSummary& summary);

// Prints the table; true when every target is met.
bool PrintTable(const std::vector<std::pair<std::string, ModFigures>>& mods, const ScanFigures& scan,
                const LogAlone& log, const UndoScaling& undo, uint64_t lWorkingSetBefore, uint64_t lPeakWorkingSet);

// The table's lines of the undo with the game's drive gone; true when both
// sizes' ratio is within the target.
bool PrintUndoScaling(const UndoScaling& undo);

}  // namespace corvane::bench
