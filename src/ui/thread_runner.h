// A window's disk work on a thread of its own, one piece at a time (the
// launch's copies, an install's unpacking). The window hears that a piece has
// finished through notify, which the worker thread calls last and which must
// only post a message; on that message the window calls WorkDone on its own
// thread.
#pragma once

#include <functional>
#include <thread>

#include "ui/work_runner.h"

namespace corvane {

class ThreadRunner : public WorkRunner {
public:
    explicit ThreadRunner(std::function<void()> notify) : notify(std::move(notify)) {}
    ~ThreadRunner() override;  // waits for work still running

    void Run(std::function<void()> work, std::function<void()> then) override;
    bool Running() const override { return bRunning; }

    // Runs the then of the finished work.
    void WorkDone();

private:
    std::function<void()> notify;
    std::function<void()> then;
    std::thread worker;
    bool bRunning = false;
};

}  // namespace corvane
