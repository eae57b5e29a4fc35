#include "e2e/corvane_process.h"

#include <algorithm>
#include <stdexcept>

namespace corvane::test {

CorvaneProcess::CorvaneProcess(const std::string& szProgramFolder, const std::string& szArguments,
                               const std::string& szWorkFolder) {
    const std::string szExe = szProgramFolder + "\\Corvane.exe";
    // A copy already there may be running: it is the same program.
    if (GetFileAttributesA(szExe.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !CopyFileA(CORVANE_TEST_CORVANE_EXE, szExe.c_str(), FALSE))
        throw std::runtime_error("cannot copy Corvane.exe to " + szExe);
    std::string szCommandLine = "\"" + szExe + "\"";
    if (!szArguments.empty()) szCommandLine += " " + szArguments;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    if (!CreateProcessA(nullptr, szCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        szWorkFolder.c_str(), &si, &pi))
        throw std::runtime_error("cannot start " + szCommandLine);
    lProcessId = pi.dwProcessId;
    WaitForInputIdle(pi.hProcess, 10000);
}

CorvaneProcess::~CorvaneProcess() {
    Kill();
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

bool CorvaneProcess::WaitForExit(unsigned lTimeoutMs, DWORD* lExitCode) {
    if (WaitForSingleObject(pi.hProcess, lTimeoutMs) != WAIT_OBJECT_0) return false;
    if (lExitCode) GetExitCodeProcess(pi.hProcess, lExitCode);
    return true;
}

void CorvaneProcess::Kill() {
    if (WaitForExit(0)) return;
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
}

HWND CorvaneProcess::WaitForWindow(const std::string& szCaption, unsigned lTimeoutMs) {
    return WaitForTopLevel(szCaption, lProcessId, nullptr, lTimeoutMs);
}

std::string CorvaneProcess::WaitForMessageBox(unsigned lTimeoutMs, HWND* hBox) {
    HWND hwnd = test::WaitForMessageBox(lProcessId, lTimeoutMs);
    if (hBox) *hBox = hwnd;
    return hwnd ? MessageBoxText(hwnd) : "";
}

Lines CorvaneProcess::LaunchLog() {
    HWND hLaunch = WaitForWindow("Launching...", 0);
    return hLaunch ? ListLines(ChildOfClass(hLaunch, "ListBox")) : Lines{};
}

std::string CorvaneProcess::Said() {
    std::string szSaid = "the box said: " + WaitForMessageBox(0) + "; the launch window said:";
    for (const std::string& szLine : LaunchLog()) szSaid += "\n  " + szLine;
    return szSaid;
}

bool CorvaneProcess::WaitForLogLine(const std::string& szLine, unsigned lTimeoutMs) {
    return PumpUntil([&] {
        const Lines lines = LaunchLog();
        return std::find(lines.begin(), lines.end(), szLine) != lines.end();
    }, lTimeoutMs);
}

}  // namespace corvane::test
