#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <tuple>
#include <utility>

#include "platform/message_boxes.h"
#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_message_boxes.h"
#include "state/app_version.h"
#include "platform/win_shell.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "support/window_probe.h"

namespace corvane {
namespace {

// Waits for this process's message box, notes its prompt and its owner as
// the player sees them, and answers with one button.
std::pair<std::string, HWND> AnswerBox(int lButton) {
    HWND hBox = test::WaitForMessageBox();
    if (!hBox) return {"(no box)", nullptr};
    const std::pair<std::string, HWND> seen(test::MessageBoxText(hBox), GetWindow(hBox, GW_OWNER));
    test::PressButton(GetDlgItem(hBox, lButton));
    return seen;
}

TEST(MessageBoxTest, ShowsThePromptOwnedByTheActiveWindowAndReturnsTheAnswer) {
    HWND hOwner = CreateWindowExA(0, "STATIC", "Corvane message box owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hOwner, nullptr);
    ShowWindow(hOwner, SW_SHOW);

    const std::tuple<uint32_t, int, int> cases[] = {
        {kMsgOkOnly | kMsgInformation, IDOK, kAnswerOk},
        {kMsgYesNoCancel | kMsgQuestion, IDYES, kAnswerYes},
        {kMsgYesNoCancel | kMsgQuestion, IDNO, kAnswerNo},
        {kMsgYesNoCancel | kMsgQuestion, IDCANCEL, kAnswerCancel},
    };
    for (const auto& [lStyle, lButton, lAnswer] : cases) {
        // A closed box may hand the activation elsewhere; each box is shown
        // over the window that is active when it is asked for.
        SetForegroundWindow(hOwner);
        SetActiveWindow(hOwner);
        ASSERT_EQ(GetActiveWindow(), hOwner);
        std::pair<std::string, HWND> seen;
        std::thread player([&, lButton = lButton] { seen = AnswerBox(lButton); });
        EXPECT_EQ(WinMessageBoxes(CORVANE_APP_TITLE).Show("The name of the mod is missing!", lStyle), lAnswer) << lButton;
        player.join();
        EXPECT_EQ(seen, std::make_pair(std::string("The name of the mod is missing!"), hOwner)) << lButton;
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

}  // namespace
}  // namespace corvane
