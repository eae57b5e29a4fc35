// One step of a main window handler that may fail: the handler skips it and
// goes on, as the window's handlers always have.
#pragma once

#include <exception>
#include <utility>

namespace corvane {

template <typename Step>
void TryStep(Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (const std::exception&) {
    }
}

}  // namespace corvane
