// Corvane.exe started as a separate process, and its windows as a player
// (or a screen reader) sees them from outside.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

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
    bool Running();

    // A visible top-level window of this process with exactly that caption,
    // waited for up to lTimeoutMs; nullptr when none came.
    HWND WaitForWindow(const std::string& szCaption, unsigned lTimeoutMs = 10000);
    HWND FindWindowNow(const std::string& szCaption);
    // The text of a message box of this process, waited for; "" when none came.
    std::string WaitForMessageBox(unsigned lTimeoutMs, HWND* hBox = nullptr);

private:
    PROCESS_INFORMATION pi{};
    DWORD lProcessId = 0;
};

// The lines of a list box in another process.
std::vector<std::string> ListLines(HWND hList);
// The nth child of a class (0 = first in creation order), or nullptr.
HWND ChildOfClass(HWND hParent, const char* szClass, int lIndex = 0);
HWND ChildWithText(HWND hParent, const char* szClass, const std::string& szText);
// Waits until the list's last line is szLast (or the time is up); returns the lines.
std::vector<std::string> WaitForLastLine(HWND hList, const std::string& szLast, unsigned lTimeoutMs);
// Clicks a button the way a user's click reaches it, without waiting for
// what the click does (it may open a modal box).
void ClickButton(HWND hButton);
// Clicks entry i of a list box with the mouse.
void ClickListEntry(HWND hList, int i);
bool Enabled(HWND hwnd);
std::string WindowText(HWND hwnd);

}  // namespace corvane::test
