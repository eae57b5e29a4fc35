// The ids of the launch window's timers. A WM_TIMER with kTmrRestoreId is one
// tick of the exit watch, whoever sends it.
#pragma once

#include <cstdint>

namespace corvane {

inline constexpr uintptr_t kTmrRestoreId = 1;
inline constexpr unsigned kTmrRestoreIntervalMs = 1000;
inline constexpr uintptr_t kTmrShowLogId = 2;

}  // namespace corvane
