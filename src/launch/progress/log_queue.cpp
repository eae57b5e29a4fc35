#include "launch/progress/log_queue.h"

namespace corvane {

void LogQueue::Line(const std::string& szMsg) {
    const std::lock_guard<std::mutex> guard(mutex);
    waiting.lines.push_back(szMsg);
    WakeOnce();
}

void LogQueue::Progress(uint64_t lDone, uint64_t lTotal) {
    const std::lock_guard<std::mutex> guard(mutex);
    waiting.progress = std::make_pair(lDone, lTotal);
    WakeOnce();
}

void LogQueue::Waiting(bool bWaiting) {
    const std::lock_guard<std::mutex> guard(mutex);
    waiting.waiting = bWaiting;
    WakeOnce();
}

LogQueue::Batch LogQueue::Take() {
    const std::lock_guard<std::mutex> guard(mutex);
    Batch taken = std::move(waiting);
    waiting = Batch{};
    bWoken = false;
    return taken;
}

void LogQueue::WakeOnce() {
    if (bWoken) return;
    bWoken = true;
    wake();
}

}  // namespace corvane
