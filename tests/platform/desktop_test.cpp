#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/message_boxes.h"
#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_message_boxes.h"
#include "platform/win_shell.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// What a message box showed, seen from outside as the player sees it.
struct SeenBox {
    bool bFound = false;
    std::string szPrompt;
    HWND hOwner = nullptr;
};

// Waits for the program's message box and answers it with one button.
SeenBox AnswerBox(int lButton) {
    SeenBox seen;
    const ULONGLONG lDeadline = GetTickCount64() + 10000;
    HWND hBox = nullptr;
    while (!hBox && GetTickCount64() < lDeadline) {
        hBox = FindWindowA("#32770", "GeneralsCorvane");
        if (!hBox) Sleep(20);
    }
    if (!hBox) return seen;
    seen.bFound = true;
    char szText[512] = {};
    GetDlgItemTextA(hBox, 0xFFFF, szText, sizeof(szText));
    seen.szPrompt = szText;
    seen.hOwner = GetWindow(hBox, GW_OWNER);
    PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(lButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hBox, lButton)));
    return seen;
}

TEST(MessageBoxTest, ShowsThePromptUnderTheAppTitleOwnedByTheActiveWindowAndReturnsTheAnswer) {
    HWND hOwner = CreateWindowExA(0, "STATIC", "Corvane message box owner", WS_OVERLAPPEDWINDOW, 0, 0,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hOwner, nullptr);
    ShowWindow(hOwner, SW_SHOW);
    SetActiveWindow(hOwner);
    ASSERT_EQ(GetActiveWindow(), hOwner);

    struct Case {
        uint32_t lStyle;
        int lButton;
        int lAnswer;
    };
    const Case cases[] = {
        {kMsgOkOnly | kMsgInformation, IDOK, kAnswerOk},
        {kMsgYesNoCancel | kMsgQuestion, IDYES, kAnswerYes},
        {kMsgYesNoCancel | kMsgQuestion, IDNO, kAnswerNo},
        {kMsgYesNoCancel | kMsgQuestion, IDCANCEL, kAnswerCancel},
    };
    WinMessageBoxes boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE("button " + std::to_string(c.lButton));
        SeenBox seen;
        std::thread player([&] { seen = AnswerBox(c.lButton); });
        const int lAnswer = boxes.Show("The name of the mod is missing!", c.lStyle);
        player.join();
        ASSERT_TRUE(seen.bFound);
        EXPECT_EQ(seen.szPrompt, "The name of the mod is missing!");
        EXPECT_EQ(seen.hOwner, hOwner);
        EXPECT_EQ(lAnswer, c.lAnswer);
    }
    DestroyWindow(hOwner);
}

TEST(BrowserTest, HandsTheAddressToTheShell) {
    test::TempFolder temp;
    const std::string szReport = temp / "report.txt";
    test::ScopedEnvironment report("STANDIN_REPORT", szReport);
    WinBrowser().Open(CORVANE_TEST_STAND_IN_GAME);
    const test::StandInReport seen = test::WaitForStandInReport(szReport);
    EXPECT_NE(seen.szCommandLine.find("Generals.exe"), std::string::npos) << seen.szCommandLine;
}

TEST(BrowserTest, AnAddressTheShellCannotOpenThrows) {
    test::TempFolder temp;
    const std::string szAddress = temp / "missing.html";
    try {
        WinBrowser().Open(szAddress);
        FAIL() << "opened";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.Operation(), "ShellExecuteA");
        EXPECT_EQ(error.Path(), szAddress);
        EXPECT_LE(error.Code(), 32u);
    }
}

}  // namespace
}  // namespace corvane
