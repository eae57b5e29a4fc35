// The benchmark's message loop: this thread's windows are served as the
// program's own loop serves them, while the benchmark waits for something.
#pragma once

#include <functional>

namespace corvane::bench {

// Runs this thread's messages until done() holds; false when dfTimeout
// seconds passed first.
bool PumpUntil(const std::function<bool()>& done, double dfTimeout = 900);

}  // namespace corvane::bench
