#include "platform/win_process.h"

#include <vector>

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

class WinGameProcess : public GameProcess {
public:
    WinGameProcess(const PROCESS_INFORMATION& info, std::string szStartedAs)
        : hProcess(info.hProcess), hThread(info.hThread), szCommandLine(std::move(szStartedAs)) {}

    ~WinGameProcess() override {
        hThread.Reset();
        hProcess.Reset();
    }

    ProcessState Poll() override {
        switch (WaitForSingleObject(hProcess.Get(), 0)) {
            case WAIT_TIMEOUT:
                return {false, kStillActive};
            case WAIT_OBJECT_0:
                return {true, ExitCode()};
            default:
                ThrowLastError("WaitForSingleObject", szCommandLine);
        }
    }

private:
    // Asked only once the process has ended, so that a game which ends with
    // the "still active" code 259 is not taken for a running one.
    uint32_t ExitCode() {
        DWORD lCode = 0;
        if (!GetExitCodeProcess(hProcess.Get(), &lCode))
            ThrowLastError("GetExitCodeProcess", szCommandLine);
        return lCode;
    }

    UniqueHandle hProcess;
    UniqueHandle hThread;
    std::string szCommandLine;
};

}  // namespace

std::unique_ptr<GameProcess> WinProcessStarter::Start(const std::string& szCommandLine) {
    // CreateProcessA may write into the command line, so it gets a copy.
    std::vector<char> szWritable(szCommandLine.begin(), szCommandLine.end());
    szWritable.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, szWritable.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &si, &pi))
        ThrowLastError("CreateProcessA", szCommandLine);
    return std::make_unique<WinGameProcess>(pi, szCommandLine);
}

}  // namespace corvane
