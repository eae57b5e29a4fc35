// The picture link on the main window: what a click, on the picture or beside
// it, and the keyboard open, its tooltip, and where its picture lies.
#include <vector>

#include "ui/main/main_window_fixture.h"
// After the Windows header, which it needs.
#include <commctrl.h>

#include "resource_ids.h"
#include "ui/dpi.h"
#include "ui/message_loop.h"

namespace corvane::test {
namespace {

using Lines = std::vector<std::string>;

class PictureLink : public MainWindowTest {
protected:
    void SetUp() override {
        Install({0});
        Open();
        ASSERT_TRUE(Link());
    }
};

TEST_F(PictureLink, AClickOnThePictureOrBesideItOpensTheAddress) {
    // The picture is 3180 twips wide; the control 3255: the strip on the right is beside it.
    const struct {
        const char* szWhere;
        int x, y;
    } clicks[] = {
        {"picture, top left", 1, 1},
        {"picture, bottom right", Px(3180) - 2, Px(975) - 2},
        {"beside the picture", Px(3180) + 2, Px(480)},
    };
    for (const auto& click : clicks) {
        browser.opened.clear();
        ClickAt(Link(), click.x, click.y);
        EXPECT_EQ(browser.opened, Lines{CORVANE_LINK_ADDRESS}) << click.szWhere;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PictureLink, APressReleasedOutsideTheControlOpensNothing) {
    SendMessageA(Link(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(Link(), WM_LBUTTONUP, 0, MAKELPARAM(Px(3255) + 20, 10));
    ui::PumpPendingMessages();
    EXPECT_TRUE(browser.opened.empty());
}

TEST_F(PictureLink, EnterOrSpaceOpenTheAddressWhenTheLinkHasTheFocus) {
    SetFocus(Button("&Add..."));
    PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), Link()) << "the link is a tab stop";
    PressKey(VK_RETURN);
    PressKey(VK_SPACE);
    EXPECT_EQ(browser.opened, (Lines{CORVANE_LINK_ADDRESS, CORVANE_LINK_ADDRESS}));
}

TEST_F(PictureLink, AFailingBrowserIsIgnoredAndTheNextClickTriesAgain) {
    browser.bFail = true;
    ClickAt(Link(), 10, 10);
    ClickAt(Link(), 10, 10);
    EXPECT_EQ(browser.opened.size(), 2u);
    EXPECT_TRUE(boxes.shown.empty()) << "the link shows no message of its own";
    EXPECT_TRUE(IsWindow(Link()));
}

TEST_F(PictureLink, ShowsTheAddressAsTooltipAndNamesItselfByIt) {
    EXPECT_EQ(WindowText(Link()), CORVANE_LINK_ADDRESS);
    HWND hToolTip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            char szClass[64] = {};
            GetClassNameA(hwnd, szClass, sizeof(szClass));
            auto* pFound = reinterpret_cast<HWND*>(lParam);
            if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0 && SendMessageA(hwnd, TTM_GETTOOLCOUNT, 0, 0) > 0)
                *pFound = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&hToolTip));
    ASSERT_TRUE(hToolTip);
    char szText[256] = {};
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.lpszText = szText;
    ASSERT_TRUE(SendMessageA(hToolTip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ(szText, CORVANE_LINK_ADDRESS);
    EXPECT_EQ(reinterpret_cast<HWND>(ti.uId), Link()) << "the tool is the whole control";
}

// At 96 dpi the picture is drawn pixel for pixel, so what the control shows
// can be compared with the bitmap itself.
TEST_F(PictureLink, ShowsThePictureFrom240TwipsBelowItsTopAndPlainFaceBesideIt) {
    if (ui::DpiOf(Link()) != 96) GTEST_SKIP() << "compares pixels at 96 dpi only";
    HBITMAP hPicture = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(IDB_LINK_PICTURE),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(hPicture);
    BITMAP bm{};
    GetObjectA(hPicture, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 212);
    EXPECT_EQ(bm.bmHeight, 84);
    HDC hdcPicture = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdcPicture, hPicture);

    RedrawWindow(Link(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HDC hdc = GetDC(Link());
    int lDiffering = 0;
    int lCompared = 0;
    for (int y = 0; y < 65; y += 4) {
        for (int x = 0; x < 212; x += 7) {
            ++lCompared;
            if (GetPixel(hdc, x, y) != GetPixel(hdcPicture, x, y + 16)) ++lDiffering;
        }
    }
    const COLORREF lBeside = GetPixel(hdc, 213, 30);
    ReleaseDC(Link(), hdc);
    SelectObject(hdcPicture, hOld);
    DeleteDC(hdcPicture);
    DeleteObject(hPicture);

    EXPECT_EQ(lDiffering, 0) << "of " << lCompared << " pixels";
    EXPECT_EQ(lBeside, GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace corvane::test
