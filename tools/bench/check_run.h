// The check of a game folder into which a 20,000-file mod was unpacked,
// against a bare walk of the same folder that opens each file named like an
// archive: the check may take at most 1.5 times as long. The SHA-256 of the
// game's program, which the check window adds (a launch does without it),
// is timed apart: it costs the same however many files the folder holds.
#pragma once

#include <cstdint>
#include <string>

#include "samples.h"

namespace corvane::bench {

struct CheckFigures {
    Samples check, walk, program;
    uint64_t lEntries = 0;  // of the folder, as the bare walk counts them
    uint64_t lStrays = 0;   // stray archives the check found
};

// Makes the folder below szRoot (once; kept for the next run) with the
// stand-in game's program, and times both lRounds times, taking turns.
CheckFigures MeasureCheck(const std::string& szRoot, const std::string& szStandInExe, int lRounds);

// Prints the figures; true when the median ratio meets the target.
bool PrintCheck(const CheckFigures& figures);

}  // namespace corvane::bench
