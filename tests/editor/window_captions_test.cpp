// Every caption of the main window, the launch window, the editor and the
// folder chooser is drawn whole at 100 %, 150 % and 200 % display scaling:
// a window told that its DPI changed lays itself out again at that DPI, in
// the system's message font for it, as on a monitor of that scaling. The
// editor and the chooser, even hidden, go when the main window closes.
#include "app/main_window/main_window_fixture.h"

namespace corvane::test {
namespace {

// Room a caption needs besides its text, in pixels at 96 dpi; -1 for a
// control that shows no caption.
int Surround(HWND hControl) {
    if (lstrcmpiA(ClassOf(hControl).c_str(), "Static") == 0) return 0;
    if (lstrcmpiA(ClassOf(hControl).c_str(), "Button") != 0) return -1;
    switch (GetWindowLongA(hControl, GWL_STYLE) & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
        return GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box and the gap after it
    case BS_GROUPBOX:
        return 2 * 8;  // the frame's line on either side of its caption
    default:
        return 2 * 3;  // a push button's edges
    }
}

bool IsFrame(HWND hControl) { return (GetWindowLongA(hControl, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX; }

RECT RectIn(HWND hForm, HWND hControl) {
    RECT rc{};
    GetWindowRect(hControl, &rc);
    MapWindowPoints(nullptr, hForm, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// At each scaling: the caption in the control's font within the control,
// and a frame's contents clear of the frame's edge.
void ExpectCaptionsFit(HWND hForm) {
    for (UINT lDpi : {144u, 192u, 96u}) {
        RECT rcSuggested{}, rcFrame{};
        GetWindowRect(hForm, &rcSuggested);
        SendMessageA(hForm, WM_DPICHANGED, MAKEWPARAM(lDpi, lDpi), reinterpret_cast<LPARAM>(&rcSuggested));
        for (HWND h = GetWindow(hForm, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (IsFrame(h)) rcFrame = RectIn(hForm, h);
        HDC hdc = GetDC(hForm);
        for (HWND h = GetWindow(hForm, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            if (!IsWindowVisible(h) || WindowText(h).empty() || Surround(h) < 0) continue;
            const std::string szWhere = WindowText(h) + " at " + std::to_string(lDpi) + " dpi";
            HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)));
            RECT rcText{};
            DrawTextA(hdc, WindowText(h).c_str(), -1, &rcText, DT_CALCRECT | DT_SINGLELINE);
            SelectObject(hdc, hOld);
            const RECT rc = RectIn(hForm, h);
            EXPECT_LE(rcText.right + MulDiv(Surround(h), lDpi, 96), rc.right - rc.left) << szWhere;
            if (!IsFrame(h) && rc.left > rcFrame.left && rc.left < rcFrame.right && rc.top > rcFrame.top &&
                rc.top < rcFrame.bottom) {
                EXPECT_LE(rc.right, rcFrame.right - MulDiv(4, lDpi, 96)) << szWhere << " runs into its frame";
            }
        }
        ReleaseDC(hForm, hdc);
    }
}

TEST_F(MainWindowTest, CaptionsFitTheirControlsAtEveryScalingAndTheEditorsCloseWithTheMainWindow) {
    Open();
    ExpectCaptionsFit(Main());
    launch->LaunchApplication(kZeroHour, "", -1);  // nothing installed: the window opens to say so
    ASSERT_TRUE(PumpUntil([&] { return launch->IsLoaded(); }));
    ExpectCaptionsFit(launch->Handle());
    std::jthread player = PlayModal([hMain = Main()] {
        const ModEditor ed{WaitForTopLevel("Add Mod...")};
        ASSERT_TRUE(ed.h);
        ExpectCaptionsFit(ed.h);
        ClickButton(ed.Button("&Add Folder"));
        HWND hChooser = WaitForTopLevel("Choose location to place folder");
        ASSERT_TRUE(hChooser);
        ExpectCaptionsFit(hChooser);
        PressButton(ChildWithText(hChooser, "Button", "OK"));  // kept, hidden
        EXPECT_TRUE(PumpUntil([&] { return ListLines(ed.Entries()).size() == 1; }));
        PostMessageA(hMain, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hChooser) && !IsWindow(ed.h); }));
    });
    ClickButton(Button("&Add..."));
}

}  // namespace
}  // namespace corvane::test
