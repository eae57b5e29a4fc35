// Corvane.exe started as a separate process, and its windows as a player
// (or a screen reader) sees them from outside.
#pragma once

#include <string>

#include "platform/win32.h"
#include "support/window_probe.h"

namespace corvane::test {

class CorvaneProcess {
public:
    // Copies Corvane.exe into szProgramFolder and starts it there with the
    // arguments, in the current folder szWorkFolder.
    CorvaneProcess(const std::string& szProgramFolder, const std::string& szArguments,
                   const std::string& szWorkFolder);
    ~CorvaneProcess();  // ends the process if it still runs
    CorvaneProcess(const CorvaneProcess&) = delete;
    CorvaneProcess& operator=(const CorvaneProcess&) = delete;

    DWORD Id() const { return lProcessId; }
    // True once it ended within the time; its exit code then in lExitCode.
    bool WaitForExit(unsigned lTimeoutMs, DWORD* lExitCode = nullptr);
    // Ends it at once, as Task Manager or a crash would.
    void Kill();

    // A visible top-level window of this process with exactly that caption,
    // waited for up to lTimeoutMs (0: looked for once); nullptr when none came.
    HWND WaitForWindow(const std::string& szCaption, unsigned lTimeoutMs = 10000);
    // The text of a message box of this process, waited for; "" when none came.
    std::string WaitForMessageBox(unsigned lTimeoutMs, HWND* hBox = nullptr);
    // The lines of the launch window's log; none without a launch window.
    Lines LaunchLog();
    // What a player would read now: the message box, and the launch window's log.
    std::string Said();
    // Waits until the launch window's log holds the line.
    bool WaitForLogLine(const std::string& szLine, unsigned lTimeoutMs = 30000);

private:
    PROCESS_INFORMATION pi{};
    DWORD lProcessId = 0;
};

}  // namespace corvane::test
