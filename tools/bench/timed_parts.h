// The two services the benchmark puts in place of the Windows ones: message
// boxes that nobody would be there to close, and a process starter that
// notes when the launch starts the game, which is where the swap's work ends.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/message_boxes.h"
#include "platform/process.h"
#include "stopwatch.h"

namespace corvane::bench {

// Notes every message instead of showing it, and answers No.
class QuietMessageBoxes : public MessageBoxes {
public:
    int Show(const std::string& szPrompt, uint32_t) override {
        szShown.push_back(szPrompt);
        return kAnswerNo;
    }
    std::vector<std::string> szShown;
};

class TimedStarter : public ProcessStarter {
public:
    explicit TimedStarter(ProcessStarter& real) : real(real) {}

    std::unique_ptr<GameProcess> Start(const std::string& szProgram, const std::string& szCommandLine,
                                       const std::string& szGameFolder) override {
        dfStartCalled = Now();
        if (onStart) onStart();
        std::unique_ptr<GameProcess> game = real.Start(szProgram, szCommandLine, szGameFolder);
        dfStartReturned = Now();
        return game;
    }
    bool IsRunning(const ProcessId& id) override { return real.IsRunning(id); }
    bool AnyRunsFrom(const std::string& szFolder) override { return real.AnyRunsFrom(szFolder); }
    bool WaitForEnd(const std::vector<ProcessId>& ids, const std::string& szFolder,
                    const std::atomic<bool>& bStop) override {
        return real.WaitForEnd(ids, szFolder, bStop);
    }

    std::function<void()> onStart;  // called as the launch starts the game
    double dfStartCalled = 0;  // 0: not called since it was last cleared
    double dfStartReturned = 0;

private:
    ProcessStarter& real;
};

}  // namespace corvane::bench
