// A main window on a scratch program folder, with a launch window behind it,
// real files and real processes (the stand-in game), and recording stand-ins
// for the message boxes (a real one would block), the sounds and the browser.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "modconfig/mod_scan.h"
#include "platform/platform_error.h"
#include "platform/win_file_system.h"
#include "platform/win_file_system_object.h"
#include "platform/win_process.h"
#include "support/recording_message_boxes.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "ui/main/frm_main.h"
#include "ui/message_loop.h"

namespace corvane::test {

using Lines = std::vector<std::string>;

struct RecordingSounds : SoundPlayer {
    void Play(const std::string& szPath) override { played.push_back(szPath); }
    Lines played;
};

struct RecordingBrowser : Browser {
    void Open(const std::string& szAddress) override {
        opened.push_back(szAddress);
        if (bFail) throw PlatformError("ShellExecuteA", szAddress, ERROR_FILE_NOT_FOUND);
    }
    Lines opened;
    bool bFail = false;  // as a browser that cannot be started
};

// Handles the queued messages until done() holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, unsigned lTimeoutMs = 10000) {
    const ULONGLONG lDeadline = GetTickCount64() + lTimeoutMs;
    for (ui::PumpPendingMessages(); !done(); ui::PumpPendingMessages()) {
        if (GetTickCount64() >= lDeadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline std::string WindowText(HWND hwnd) {
    char szText[512] = {};
    GetWindowTextA(hwnd, szText, sizeof(szText));
    return szText;
}

// The nth child of a class in creation order (or the one with that text).
inline HWND ChildOfClass(HWND hParent, const char* szClass, int lNth = 0, const char* szText = nullptr) {
    for (HWND h = GetWindow(hParent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        char szThis[64] = {};
        GetClassNameA(h, szThis, sizeof(szThis));
        if (lstrcmpiA(szThis, szClass) == 0 && (!szText || WindowText(h) == szText) && lNth-- == 0) return h;
    }
    return nullptr;
}

inline Lines ListLines(HWND hList) {
    Lines lines;
    for (int i = 0; i < static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0)); ++i) {
        char szLine[512] = {};
        SendMessageA(hList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(szLine));
        lines.push_back(szLine);
    }
    return lines;
}

inline int ListSelection(HWND hList) { return static_cast<int>(SendMessageA(hList, LB_GETCURSEL, 0, 0)); }
inline bool Enabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

// A press of the left button at one point of the client area, its release at another.
inline void ClickAt(HWND hwnd, int x, int y, int xUp = -1, int yUp = -1) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, xUp < 0 ? MAKELPARAM(x, y) : MAKELPARAM(xUp, yUp));
    ui::PumpPendingMessages();
}

inline void ClickListEntry(HWND hList, int i) {
    RECT rc{};
    SendMessageA(hList, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    ClickAt(hList, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

inline void ClickButton(HWND hButton) {
    SendMessageA(hButton, BM_CLICK, 0, 0);
    ui::PumpPendingMessages();
}

// A key pressed on the focused window, through the dialog manager.
inline void PressKey(UINT lVirtualKey) {
    const LPARAM lScan = static_cast<LPARAM>(MapVirtualKeyA(lVirtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(GetFocus(), WM_KEYDOWN, lVirtualKey, 1 | lScan);
    PostMessageA(GetFocus(), WM_KEYUP, lVirtualKey, 1 | lScan | (LPARAM{3} << 30));
    ui::PumpPendingMessages();
}

class MainWindowTest : public testing::Test {
protected:
    // The windows go before the folders; a game still watched is restored first.
    ~MainWindowTest() override {
        if (launch && launch->IsWatching()) FinishGame();
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

    // Scans the program folder and shows the main window.
    void Open() {
        ScanMods(files, program.Path(), state);
        launch = std::make_unique<frmLaunch>(state, platform);
        launch->onLaunchEnded = [this] { ++lLaunchesEnded; };
        main = std::make_unique<frmMain>(state, platform, program.Path(), *launch);
        main->Show();
        ui::PumpPendingMessages();
    }

    // Lets a watched stand-in game end and waits for the restore.
    void FinishGame() {
        const int lEndedBefore = lLaunchesEnded;
        standIn.EndGame();
        EXPECT_TRUE(PumpUntil([&] { return lLaunchesEnded > lEndedBefore && !launch->IsWatching(); }, 15000))
            << "the launch window never finished its restore";
        standIn.Rearm();
    }

    HWND Main() const { return main->Handle(); }
    HWND Games() const { return ChildOfClass(Main(), "ListBox", 0); }
    HWND Mods() const { return ChildOfClass(Main(), "ListBox", 1); }
    HWND Button(const char* szCaption) const { return ChildOfClass(Main(), "Button", 0, szCaption); }
    HWND Link() const { return ChildOfClass(Main(), "CorvaneLink"); }
    int SoundsOf(const char* szFileName) const {
        return static_cast<int>(std::count(sounds.played.begin(), sounds.played.end(), program / szFileName));
    }

    TempFolder program, game;
    StandInOrders standIn;

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
