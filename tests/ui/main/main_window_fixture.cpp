#include "ui/main/main_window_fixture.h"

#include <algorithm>

#include "modconfig/mod_scan.h"
#include "platform/platform_error.h"
#include "ui/dpi.h"
#include "ui/message_loop.h"

namespace corvane::test {

void RecordingBrowser::Open(const std::string& szAddress) {
    opened.push_back(szAddress);
    if (bFail) throw PlatformError("ShellExecuteA", szAddress, ERROR_FILE_NOT_FOUND);
}

bool PumpUntil(const std::function<bool()>& done, unsigned lTimeoutMs) {
    const ULONGLONG lDeadline = GetTickCount64() + lTimeoutMs;
    for (;;) {
        ui::PumpPendingMessages();
        if (done()) return true;
        if (GetTickCount64() >= lDeadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

namespace {

std::string ClassOf(HWND hwnd) {
    char szClass[64] = {};
    GetClassNameA(hwnd, szClass, sizeof(szClass));
    return szClass;
}

bool SameClass(HWND hwnd, const char* szClass) { return lstrcmpiA(ClassOf(hwnd).c_str(), szClass) == 0; }

}  // namespace

HWND ChildOfClass(HWND hParent, const char* szClass, int lNth) {
    for (HWND h = GetWindow(hParent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (SameClass(h, szClass) && lNth-- == 0) return h;
    }
    return nullptr;
}

HWND ChildWithText(HWND hParent, const char* szClass, const std::string& szText) {
    for (HWND h = GetWindow(hParent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (SameClass(h, szClass) && WindowText(h) == szText) return h;
    }
    return nullptr;
}

std::string WindowText(HWND hwnd) {
    char szText[512] = {};
    GetWindowTextA(hwnd, szText, sizeof(szText));
    return szText;
}

std::vector<std::string> ListLines(HWND hList) {
    std::vector<std::string> lines;
    const int lCount = static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < lCount; ++i) {
        char szLine[512] = {};
        SendMessageA(hList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(szLine));
        lines.push_back(szLine);
    }
    return lines;
}

int ListSelection(HWND hList) { return static_cast<int>(SendMessageA(hList, LB_GETCURSEL, 0, 0)); }

bool Enabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

void ClickAt(HWND hwnd, int x, int y) {
    const LPARAM lPoint = MAKELPARAM(x, y);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, lPoint);
    ui::PumpPendingMessages();
}

void ClickListEntry(HWND hList, int i) {
    RECT rc{};
    SendMessageA(hList, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    ClickAt(hList, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

void ClickButton(HWND hButton) {
    SendMessageA(hButton, BM_CLICK, 0, 0);
    ui::PumpPendingMessages();
}

void PressKey(UINT lVirtualKey) {
    HWND hFocus = GetFocus();
    const UINT lScan = MapVirtualKeyA(lVirtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(hFocus, WM_KEYDOWN, lVirtualKey, static_cast<LPARAM>(1 | (lScan << 16)));
    PostMessageA(hFocus, WM_KEYUP, lVirtualKey, static_cast<LPARAM>(1 | (lScan << 16) | (3u << 30)));
    ui::PumpPendingMessages();
}

int Px(int lTwips) { return ui::TwipsToPixels(lTwips, ui::DpiOf(nullptr)); }

MainWindowTest::MainWindowTest()
    : szReport(work / "report.txt"),
      szRelease(work / "release"),
      reportEnv("STANDIN_REPORT", szReport),
      waitEnv("STANDIN_WAIT_FOR", szRelease) {}

MainWindowTest::~MainWindowTest() {
    if (launch && launch->IsWatching()) FinishGame();
    main.reset();
    launch.reset();
    ui::PumpPendingMessages();
}

void MainWindowTest::Install(std::initializer_list<int16_t> rows) {
    const std::string szStandIn = ReadBytes(CORVANE_TEST_STAND_IN_GAME);
    WriteBytes(GameFile("Generals.exe"), szStandIn);
    WriteBytes(GameFile("WorldBuilder.exe"), szStandIn);
    state.GameTable = MakeGameTable();
    for (int16_t dRow : rows) {
        GameEntry& entry = state.GameTable[dRow];
        entry.szInstallPath = game.Path() + "\\";
        entry.dVerMajor = 1;
        entry.dVerMinor = 8;
    }
    AppendVersionTitles(state.GameTable);
}

void MainWindowTest::Open() {
    ScanMods(files, program.Path(), state);
    launch = std::make_unique<frmLaunch>(state, platform);
    launch->onLaunchEnded = [this] { ++lLaunchesEnded; };
    main = std::make_unique<frmMain>(state, platform, program.Path(), *launch);
    main->Show();
    ui::PumpPendingMessages();
}

void MainWindowTest::FinishGame() {
    const int lEndedBefore = lLaunchesEnded;
    WriteBytes(szRelease, "");
    EXPECT_TRUE(PumpUntil([&] { return lLaunchesEnded > lEndedBefore && !launch->IsWatching(); }, 15000))
        << "the launch window never finished its restore";
    DeleteFileA(szRelease.c_str());
}

int MainWindowTest::SoundsOf(const std::string& szFileName) const {
    return static_cast<int>(std::count(sounds.played.begin(), sounds.played.end(), program / szFileName));
}

}  // namespace corvane::test
