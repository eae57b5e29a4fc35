#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <tuple>
#include <utility>

#include "platform/message_boxes.h"
#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_desktop_shortcuts.h"
#include "platform/win_message_boxes.h"
#include "state/app_version.h"
#include "platform/win_shell.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "support/window_probe.h"
// After the Windows header, which they need.
#include <objbase.h>
#include <shlobj.h>

namespace corvane {
namespace {

// Waits for this process's message box, notes its prompt, its owner and
// its icon as the player sees them, and answers with one button.
std::tuple<std::string, HWND, HICON> AnswerBox(int lButton) {
    HWND hBox = test::WaitForMessageBox();
    if (!hBox) return {"(no box)", nullptr, nullptr};
    const auto hIcon = reinterpret_cast<HICON>(SendDlgItemMessageA(hBox, 0x440, STM_GETICON, 0, 0));
    const std::tuple<std::string, HWND, HICON> seen(test::MessageBoxText(hBox), GetWindow(hBox, GW_OWNER), hIcon);
    test::PressButton(GetDlgItem(hBox, lButton));
    return seen;
}

TEST(MessageBoxTest, ShowsThePromptOwnedByTheActiveWindowWithItsIconAndReturnsTheAnswer) {
    HWND hOwner = CreateWindowExA(0, "STATIC", "Corvane message box owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hOwner, nullptr);
    ShowWindow(hOwner, SW_SHOW);

    const std::tuple<uint32_t, LPCSTR, int, int> cases[] = {
        {kMsgOkOnly | kMsgInformation, IDI_INFORMATION, IDOK, kAnswerOk},
        {kMsgYesNoCancel | kMsgQuestion, IDI_QUESTION, IDYES, kAnswerYes},
        {kMsgYesNoCancel | kMsgQuestion, IDI_QUESTION, IDNO, kAnswerNo},
        {kMsgYesNoCancel | kMsgQuestion, IDI_QUESTION, IDCANCEL, kAnswerCancel},
        {kMsgYesNo | kMsgExclamation | kMsgDefaultButton2, IDI_EXCLAMATION, IDYES, kAnswerYes},
    };
    for (const auto& [lStyle, szIcon, lButton, lAnswer] : cases) {
        // A closed box may hand the activation elsewhere; each box is shown
        // over the window that is active when it is asked for.
        SetForegroundWindow(hOwner);
        SetActiveWindow(hOwner);
        ASSERT_EQ(GetActiveWindow(), hOwner);
        std::tuple<std::string, HWND, HICON> seen;
        std::thread player([&, lButton = lButton] { seen = AnswerBox(lButton); });
        EXPECT_EQ(WinMessageBoxes(CORVANE_APP_TITLE).Show("The name of the mod is missing!", lStyle), lAnswer) << lButton;
        player.join();
        EXPECT_EQ(seen, std::make_tuple(std::string("The name of the mod is missing!"), hOwner, LoadIconA(nullptr, szIcon)))
            << lButton;
    }
    DestroyWindow(hOwner);
}

TEST(BrowserTest, HandsTheAddressToTheShellOrThrowsWhenTheShellCannotOpenIt) {
    test::TempFolder temp;
    test::ScopedEnvironment report("STANDIN_REPORT", temp / "report.txt");
    WinBrowser().Open(CORVANE_TEST_STAND_IN_GAME);
    const std::string szSeen = test::WaitForStandInReport(temp / "report.txt").szCommandLine;
    EXPECT_NE(szSeen.find("Generals.exe"), std::string::npos) << szSeen;

    try {
        WinBrowser().Open(temp / "missing.html");
        FAIL() << "opened";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.Operation(), "ShellExecuteA");
        EXPECT_EQ(error.Path(), temp / "missing.html");
        EXPECT_LE(error.Code(), 32u);
    }
}

// Target, arguments, working folder and icon, as the shell reads a link.
std::vector<std::string> ReadShellLink(const std::string& szPath) {
    std::vector<std::string> fields;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(std::wstring(szPath.begin(), szPath.end()).c_str(), STGM_READ))) {
        char sz[4][MAX_PATH] = {};
        int lIcon = -1;
        link->GetPath(sz[0], MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetArguments(sz[1], MAX_PATH);
        link->GetWorkingDirectory(sz[2], MAX_PATH);
        link->GetIconLocation(sz[3], MAX_PATH, &lIcon);
        fields = {sz[0], sz[1], sz[2], sz[3] + std::string(",") + std::to_string(lIcon)};
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return fields;
}

// A shortcut already there is replaced.
TEST(DesktopShortcutsTest, TheShellReadsBackTheShortcutAsSaved) {
    test::TempFolder folder;
    const std::string szLink = folder / "HD Skies (Zero Hour).lnk", szExe = folder / "Corvane.exe";
    WinDesktopShortcuts shortcuts;
    shortcuts.Save(szLink, {szExe, "-PLAY ZeroHour \"HD Skies\"", folder.Path(), szExe});
    shortcuts.Save(szLink, {szExe, "-PLAY ZeroHour \"HD Skies\" -- -nomusic -win", folder.Path(), szExe});
    EXPECT_EQ(ReadShellLink(szLink),
              (std::vector<std::string>{szExe, "-PLAY ZeroHour \"HD Skies\" -- -nomusic -win", folder.Path(), szExe + ",0"}));
}

}  // namespace
}  // namespace corvane
