// The id of the launch window's exit-watch timer. A WM_TIMER with this id is
// one tick of the watch, whoever sends it.
#pragma once

#include <cstdint>

namespace corvane {

inline constexpr uintptr_t kTmrRestoreId = 1;
inline constexpr unsigned kTmrRestoreIntervalMs = 1000;

}  // namespace corvane
