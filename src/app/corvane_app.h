// The program from start to end: the single-instance guard, the command
// line, the game table, then the main window (normal mode), one silent
// launch (-SILENT or -PLAY), the "Install Mod" window (-INSTALL), the
// "Fingerprint" window (-FINGERPRINT) or the command line's help, and the message loop
// until the last window is closed.
// Owns the shared program state and the windows for the whole run.
#pragma once

#include <memory>
#include <string>

#include "fingerprint/frm_fingerprint.h"
#include "install/frm_install.h"
#include "launch/frm_launch.h"
#include "platform/platform.h"
#include "state/game_search.h"
#include "state/program_state.h"
#include "check/frm_check.h"
#include "app/main_window/frm_main.h"

namespace corvane {

class CorvaneApp {
public:
    // games: where the games are looked for; szAppPath: the program
    // folder; szArguments: the command line's arguments as typed.
    CorvaneApp(const Platform& platform, const GameSources& games, std::string szAppPath,
               std::string szArguments);
    CorvaneApp(const CorvaneApp&) = delete;
    CorvaneApp& operator=(const CorvaneApp&) = delete;

    // Runs the program; returns its exit code.
    int Main();

private:
    bool AnotherInstanceRuns();
    // Normal mode, a silent launch or the help, as the command line asks.
    void StartRoad();
    void CheckCodePage();
    void ReadGames();
    void StartNormal();
    void StartSilent();
    void StartPlay();
    void StartCheck();
    void StartInstall();
    void StartFingerprint();
    void RemoveStaging();
    void ShowHelp();
    void WindowClosed();
    bool AnyWindowLoaded() const;

    Platform platform;
    GameSources games;
    std::string szAppPath;
    std::string szArguments;
    ProgramState state;
    frmLaunch launch;
    std::unique_ptr<frmMain> main;
    std::unique_ptr<frmCheck> check;
    std::unique_ptr<frmInstall> install;
    std::unique_ptr<frmFingerprint> fingerprint;
};

}  // namespace corvane
