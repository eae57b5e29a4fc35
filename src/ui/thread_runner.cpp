#include "ui/thread_runner.h"

namespace corvane {

ThreadRunner::~ThreadRunner() {
    if (worker.joinable()) worker.join();
}

void ThreadRunner::Run(std::function<void()> work, std::function<void()> thenOnWindow) {
    if (worker.joinable()) worker.join();
    then = std::move(thenOnWindow);
    bRunning = true;
    worker = std::thread([this, work = std::move(work)] {
        // Work catches its own failures; should one slip through, the window
        // must still hear that the work has ended.
        try {
            work();
        } catch (...) {
        }
        notify();
    });
}

void ThreadRunner::WorkDone() {
    if (!bRunning) return;
    if (worker.joinable()) worker.join();
    bRunning = false;
    std::function<void()> next = std::move(then);
    then = nullptr;
    if (next) next();
}

}  // namespace corvane
