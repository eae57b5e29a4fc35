// The player at one Corvane.exe, for the shell tests, whose Unix side
// cannot read a window:
//
//   corvane_player SECONDS PROGRAM_FOLDER WORK_FOLDER CORVANE_ARGUMENT...
//
// starts Corvane.exe from PROGRAM_FOLDER (copied there only when missing)
// in WORK_FOLDER, then answers the first message box with OK, or, once the
// launch window's log ends with END, presses Close; what comes first within
// SECONDS. Writes what it met on standard output:
//   box=<the message box's text>
//   log=<a line of the launch window>   each, when the launch ended
//   ended=<Corvane's exit code>         or ended=no, when it still ran
#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/corvane_process.h"

namespace corvane::test {
namespace {

constexpr unsigned kExitMs = 10000;

void Answer(CorvaneProcess& corvane, unsigned lTimeoutMs) {
    HWND hBox = nullptr;
    bool bEnded = false;
    PumpUntil([&] {
        hBox = WaitForMessageBox(corvane.Id(), 0);
        const Lines log = corvane.LaunchLog();
        bEnded = !log.empty() && log.back() == "END";
        return hBox || bEnded;
    }, lTimeoutMs);
    if (hBox) {
        std::printf("box=%s\n", MessageBoxText(hBox).c_str());
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    } else if (bEnded) {
        for (const std::string& szLine : corvane.LaunchLog()) std::printf("log=%s\n", szLine.c_str());
        HWND hClose = ChildWithText(corvane.WaitForWindow("Launching..."), "Button", "&Close");
        PumpUntil([&] { return Enabled(hClose); });
        ClickButton(hClose);
    }
    DWORD lExitCode = 0;
    if (corvane.WaitForExit(kExitMs, &lExitCode)) std::printf("ended=%lu\n", lExitCode);
    else std::printf("ended=no\n");
}

}  // namespace
}  // namespace corvane::test

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: corvane_player SECONDS PROGRAM_FOLDER WORK_FOLDER CORVANE_ARGUMENT...\n");
        return 2;
    }
    std::string szArguments = argv[4];
    for (int i = 5; i < argc; ++i) szArguments += std::string(" ") + argv[i];
    try {
        corvane::test::CorvaneProcess corvane(argv[2], szArguments, argv[3]);
        corvane::test::Answer(corvane, static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)) * 1000);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "corvane_player: %s\n", e.what());
        return 1;
    }
    return 0;
}
