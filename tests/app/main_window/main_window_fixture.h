// A main window on a scratch program folder, with a launch window behind it
// (or the launch window alone), real files and real processes (the stand-in
// game), and recording stand-ins for the message boxes (a real one would
// block), the sounds and the browser.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "modconfig/mod_scan.h"
#include "platform/platform_error.h"
#include "platform/win_platform.h"
#include "state/app_version.h"
#include "support/fake_platform.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "support/window_probe.h"
#include "app/main_window/frm_main.h"
#include "ui/message_loop.h"

namespace corvane::test {

struct RecordingShell : SoundPlayer, Browser {
    void Play(const std::string& szPath) override { played.push_back(szPath); }
    void Open(const std::string& szAddress) override {
        opened.push_back(szAddress);
        if (bFail) throw PlatformError("ShellExecuteA", szAddress, ERROR_FILE_NOT_FOUND);
    }
    Lines played, opened;
    bool bFail = false;  // as a browser that cannot be started
};

// The real copies, held back while the gate is shut, as a slow disk holds a
// launch in its copies.
struct GatedCopies : WinFileSystemObject {
    HANDLE hOpen = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    ~GatedCopies() override { CloseHandle(hOpen); }
    void CopyFile(const std::string& szFrom, const std::string& szTo, CopyGuide* guide,
                  std::optional<uint64_t> lSize) override {
        WaitForSingleObject(hOpen, 20000);
        WinFileSystemObject::CopyFile(szFrom, szTo, guide, lSize);
    }
};

class MainWindowTest : public testing::Test {
protected:
    // The windows go before the folders; a game still watched is restored first.
    ~MainWindowTest() override {
        if (launch && launch->IsBusy()) FinishGame();
    }

    // Marks GameTable rows installed in the scratch game folder, which holds
    // the stand-in game as Generals.exe and WorldBuilder.exe.
    void Install(std::initializer_list<int16_t> rows) {
        for (const char* szExe : {"Generals.exe", "WorldBuilder.exe"})
            WriteBytes(game / szExe, ReadBytes(CORVANE_TEST_STAND_IN_GAME));
        for (int16_t dRow : rows) {
            state.GameTable[dRow].szInstallPath = game.Path() + "\\";
            state.GameTable[dRow].dVerMajor = 1;
            state.GameTable[dRow].dVerMinor = 8;
        }
        AppendVersionTitles(state.GameTable);
    }
    void WriteMods(std::initializer_list<const char*> files) {
        for (const char* szFile : files) WriteBytes(program / szFile, "Location=\r\n");
    }

    // The launch window alone (loaded by its first launch).
    void OpenLaunch() {
        launch = std::make_unique<frmLaunch>(state, platform, program.Path());
        launch->onLaunchEnded = [this] { ++lLaunchesEnded; };
    }
    // Scans the program folder and shows the main window.
    void Open() {
        ScanMods(win.files, program.Path(), state);
        OpenLaunch();
        main = std::make_unique<frmMain>(state, platform, program.Path(), *launch);
        main->Show();
        ui::PumpPendingMessages();
    }

    // Lets a watched stand-in game end and waits for the restore.
    void FinishGame() {
        const int lEndedBefore = lLaunchesEnded;
        standIn.EndGame();
        EXPECT_TRUE(PumpUntil([&] { return lLaunchesEnded > lEndedBefore && !launch->IsBusy(); }, 15000))
            << "the launch window never finished its restore";
        standIn.Rearm();
    }

    HWND Main() const { return main->Handle(); }
    HWND Games() const { return ChildOfClass(Main(), "ListBox", 0); }
    HWND Mods() const { return ChildOfClass(Main(), "ListBox", 1); }
    HWND Button(const char* szCaption) const { return ChildOfClass(Main(), "Button", 0, szCaption); }
    HWND Link() const { return ChildOfClass(Main(), "CorvaneLink"); }
    int SoundsOf(const char* szFileName) const {
        return static_cast<int>(std::count(shell.played.begin(), shell.played.end(), program / szFileName));
    }

    TempFolder program, game;
    StandInOrders standIn;

    WinPlatform win{program.Path(), CORVANE_APP_TITLE};
    RecordingMessageBoxes boxes;
    RecordingShell shell;
    RecordingProblems problems;
    GatedCopies copies;
    RecordingShortcuts shortcuts;
    Platform platform{win.files, copies, win.processes, boxes, shell, shell,
                      win.journal, win.locks, win.rights, problems, shortcuts};

    ProgramState state;
    int lLaunchesEnded = 0;
    std::unique_ptr<frmLaunch> launch;
    std::unique_ptr<frmMain> main;
};

}  // namespace corvane::test
