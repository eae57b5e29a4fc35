// The picture link on the main window: what a click, on the picture or beside
// it, and the keyboard open, and its tooltip.
#include "ui/main/main_window_fixture.h"
// After the Windows header, which it needs.
#include <commctrl.h>

#include "startup/app_version.h"
#include "ui/dpi.h"

namespace corvane::test {
namespace {

int Px(int lTwips) { return ui::TwipsToPixels(lTwips, ui::DpiOf(nullptr)); }

using PictureLink = MainWindowTest;

TEST_F(PictureLink, AClickOnThePictureOrBesideItOrEnterOrSpaceOpenTheAddressEachTime) {
    Open();
    // The picture is 3180 twips wide; the control 3255: the strip on the right is beside it.
    const struct {
        const char* szWhere;
        int x, y, xUp;
        size_t lOpened;
    } clicks[] = {
        {"picture, bottom right", Px(3180) - 2, Px(975) - 2, Px(3180) - 2, 1},
        {"beside the picture", Px(3180) + 2, Px(480), Px(3180) + 2, 1},
        {"released outside the control", 10, 10, Px(3255) + 20, 0},
    };
    for (const auto& c : clicks) {
        browser.opened.clear();
        ClickAt(Link(), c.x, c.y, c.xUp, c.y);
        EXPECT_EQ(browser.opened, Lines(c.lOpened, CORVANE_LINK_ADDRESS)) << c.szWhere;
    }
    SetFocus(Link());
    PressKey(VK_RETURN);
    PressKey(VK_SPACE);
    EXPECT_EQ(browser.opened, Lines(2, CORVANE_LINK_ADDRESS)) << "Enter and Space, as a click";
    browser.bFail = true;
    ClickAt(Link(), 10, 10);
    ClickAt(Link(), 10, 10);
    EXPECT_EQ(browser.opened.size(), 4u) << "a failing browser is ignored, the next click tries again";
    EXPECT_TRUE(boxes.shown.empty()) << "the link shows no message of its own";
}

TEST_F(PictureLink, ShowsTheAddressAsTooltipAndNamesItselfByIt) {
    Open();
    EXPECT_EQ(WindowText(Link()), CORVANE_LINK_ADDRESS);
    HWND hToolTip = nullptr;
    while ((hToolTip = FindWindowExA(nullptr, hToolTip, TOOLTIPS_CLASSA, nullptr)) &&
           (GetWindowThreadProcessId(hToolTip, nullptr) != GetCurrentThreadId() ||
            SendMessageA(hToolTip, TTM_GETTOOLCOUNT, 0, 0) == 0)) {
    }
    ASSERT_TRUE(hToolTip);
    char szText[256] = {};
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.lpszText = szText;
    ASSERT_TRUE(SendMessageA(hToolTip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ(szText, CORVANE_LINK_ADDRESS);
    EXPECT_EQ(reinterpret_cast<HWND>(ti.uId), Link()) << "the tool is the whole control";
}

}  // namespace
}  // namespace corvane::test
