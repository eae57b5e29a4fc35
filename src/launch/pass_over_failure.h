// For the clean-up after a game, where every step must get its turn: a step
// that fails is passed over so that the next one still runs.
#pragma once

#include <exception>

namespace corvane {

template <typename Step>
void PassOverFailure(Step step) {
    try {
        step();
    } catch (const std::exception&) {
        // Nothing to report: the player is better served by the steps that follow.
    }
}

}  // namespace corvane
