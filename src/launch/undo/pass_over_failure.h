// For the clean-up after a game, where every step must get its turn: a step
// that fails is passed over so that the next one still runs. What failed is
// kept in the problem log, for the player and for a bug report.
#pragma once

#include <exception>
#include <string>

#include "platform/problem_log.h"

namespace corvane {

template <typename Step>
bool PassOverFailure(ProblemLog& problems, Step step) {
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        problems.Note(std::string("Passed over in the restore: ") + e.what());
        return false;
    }
}

}  // namespace corvane
