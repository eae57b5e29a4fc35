// Starting the game with CreateProcessA and watching it without waiting.
#pragma once

#include "platform/process.h"

namespace corvane {

class WinProcessStarter : public ProcessStarter {
public:
    std::unique_ptr<GameProcess> Start(const std::string& szCommandLine) override;
    bool IsRunning(const ProcessId& id) override;
    void WaitForEnd(const std::vector<ProcessId>& ids) override;
};

}  // namespace corvane
