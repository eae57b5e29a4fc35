// A main window on a scratch program folder, with a launch window behind it,
// real files and real processes (the stand-in game), and recording stand-ins
// for the message boxes (a real one would block), the sounds and the browser.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "launch/frm_launch.h"
#include "platform/platform.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "platform/win_file_system_object.h"
#include "platform/win_process.h"
#include "startup/program_state.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "ui/main/frm_main.h"

namespace corvane::test {

class RecordingMessageBoxes : public MessageBoxes {
public:
    int Show(const std::string& szPrompt, uint32_t lStyle) override {
        shown.emplace_back(szPrompt, lStyle);
        return kAnswerOk;
    }
    std::vector<std::pair<std::string, uint32_t>> shown;
};

class RecordingSounds : public SoundPlayer {
public:
    void Play(const std::string& szPath) override { played.push_back(szPath); }
    std::vector<std::string> played;
};

class RecordingBrowser : public Browser {
public:
    void Open(const std::string& szAddress) override;
    std::vector<std::string> opened;
    bool bFail = false;  // throws as a browser that cannot be started would
};

// Handles the queued messages until done() holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, unsigned lTimeoutMs = 10000);

// Child windows in creation order (the order the window made them in).
HWND ChildOfClass(HWND hParent, const char* szClass, int lNth = 0);
HWND ChildWithText(HWND hParent, const char* szClass, const std::string& szText);
std::string WindowText(HWND hwnd);
std::vector<std::string> ListLines(HWND hList);
int ListSelection(HWND hList);
bool Enabled(HWND hwnd);
// A press and release of the left button at a point of the window's client area.
void ClickAt(HWND hwnd, int x, int y);
// A click in the middle of one entry of a list box.
void ClickListEntry(HWND hList, int i);
// What a click does to a button: BM_CLICK, then the queued messages.
void ClickButton(HWND hButton);
// A key pressed on the focused window, through the dialog manager.
void PressKey(UINT lVirtualKey);
int Px(int lTwips);

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Marks a GameTable row installed in the scratch game folder, which holds
    // the stand-in game as Generals.exe, then gives every row its version title.
    void Install(std::initializer_list<int16_t> rows);
    // Scans the program folder and shows the main window.
    void Open();
    // Lets a watched stand-in game end and waits for the restore.
    void FinishGame();

    HWND Main() const { return main->Handle(); }
    HWND Games() const { return ChildOfClass(Main(), "ListBox", 0); }
    HWND Mods() const { return ChildOfClass(Main(), "ListBox", 1); }
    HWND Button(const std::string& szCaption) const { return ChildWithText(Main(), "Button", szCaption); }
    HWND Link() const { return ChildOfClass(Main(), "CorvaneLink"); }
    std::string GameFile(const std::string& szName) const { return game / szName; }
    int SoundsOf(const std::string& szFileName) const;

    TempFolder program;
    TempFolder game;
    TempFolder work;
    std::string szReport;
    std::string szRelease;
    ScopedEnvironment reportEnv;
    ScopedEnvironment waitEnv;

    WinFileSystem files;
    WinFileSystemObject fso;
    WinProcessStarter processes;
    RecordingMessageBoxes boxes;
    RecordingSounds sounds;
    RecordingBrowser browser;
    Platform platform{files, fso, processes, boxes, sounds, browser};

    ProgramState state;
    int lLaunchesEnded = 0;
    std::unique_ptr<frmLaunch> launch;
    std::unique_ptr<frmMain> main;
};

}  // namespace corvane::test
