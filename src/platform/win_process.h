// Starting the game with CreateProcessA and watching it without waiting.
#pragma once

#include "platform/process.h"

namespace corvane {

class WinProcessStarter : public ProcessStarter {
public:
    std::unique_ptr<GameProcess> Start(const std::string& szProgram, const std::string& szCommandLine,
                                       const std::string& szGameFolder) override;
    bool IsRunning(const ProcessId& id) override;
    bool AnyRunsFrom(const std::string& szFolder) override;
    bool WaitForEnd(const std::vector<ProcessId>& ids, const std::string& szFolder,
                    const std::atomic<bool>& bStop) override;
};

}  // namespace corvane
