// The main window as it loads, and its mod list under selection and Remove.
#include <vector>

#include "ui/main/main_window_fixture.h"

namespace corvane::test {
namespace {

using Lines = std::vector<std::string>;

class MainWindowLists : public MainWindowTest {
protected:
    void WriteMods() {
        WriteBytes(program / "Alpha.zcf", "Location=C:\\Mods\\alpha.big\r\n");
        WriteBytes(program / "Beta.zcf", "Location=C:\\Mods\\beta.big\r\n");
        WriteBytes(program / "Gamma\\Data\\INI\\Weapon.ini", "Weapon\r\n");
    }
};

TEST_F(MainWindowLists, LoadsTheWindowAsLaidOut) {
    Install({0});
    Open();
    EXPECT_EQ(WindowText(Main()), "Generals Corvane");
    const LONG lStyle = GetWindowLongA(Main(), GWL_STYLE);
    EXPECT_TRUE(lStyle & WS_SYSMENU) << "a close box";
    EXPECT_FALSE(lStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    RECT rc{};
    GetClientRect(Main(), &rc);
    EXPECT_EQ(rc.right, Px(7095));
    EXPECT_EQ(rc.bottom, Px(3015));
    EXPECT_TRUE(SendMessageA(Main(), WM_GETICON, ICON_BIG, 0)) << "the program icon";
    EXPECT_TRUE(SendMessageA(Main(), WM_GETICON, ICON_SMALL, 0));
    EXPECT_TRUE(IsWindowVisible(Main()));
    // No space after the colon.
    EXPECT_TRUE(ChildWithText(Main(), "Static", "Version:1.3.1"));
    EXPECT_EQ(sounds.played, Lines{program / "13gun.wav"});
}

TEST_F(MainWindowLists, PlacesTheControlsOfTheOptionsFrameInsideIt) {
    Install({0});
    Open();
    const struct {
        HWND hwnd;
        int lLeft, lTop, lWidth, lHeight;
    } expected[] = {
        {Games(), 120, 240, 3375, 1230},
        {ChildWithText(Main(), "Button", "Options"), 120, 1560, 3495, 1335},
        {Button("Skip Movie Intro."), 240, 1800, 1755, 255},
        {Button("Debug"), 2040, 2040, 1515, 255},
        {Button("Start &Game"), 2040, 2400, 1455, 375},
        {Link(), 3720, 1560, 3255, 975},
    };
    for (const auto& e : expected) {
        ASSERT_TRUE(e.hwnd);
        RECT rc{};
        GetWindowRect(e.hwnd, &rc);
        MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, Px(e.lLeft)) << WindowText(e.hwnd);
        EXPECT_EQ(rc.top, Px(e.lTop)) << WindowText(e.hwnd);
        EXPECT_EQ(rc.right - rc.left, Px(e.lWidth)) << WindowText(e.hwnd);
        EXPECT_EQ(rc.bottom - rc.top, Px(e.lHeight)) << WindowText(e.hwnd);
    }
}

// A caption that does not fit loses its end (or, in a label, its second
// line) on the player's screen.
TEST_F(MainWindowLists, EveryCaptionFitsItsControlInTheWindowsFont) {
    Open();
    const struct {
        HWND hwnd;
        int lGlyph;  // room the control's own box takes before its text
    } captions[] = {
        {ChildWithText(Main(), "Static", "Game && Utilities Found:"), 0},
        {ChildWithText(Main(), "Static", "Mods Found:"), 0},
        {ChildWithText(Main(), "Static", "Version:1.3.1"), 0},
        {Button("Skip Movie Intro."), GetSystemMetrics(SM_CXMENUCHECK) + 4},
        {Button("No Shell Anims."), GetSystemMetrics(SM_CXMENUCHECK) + 4},
        {Button("Run In Window"), GetSystemMetrics(SM_CXMENUCHECK) + 4},
    };
    HDC hdc = GetDC(Main());
    for (const auto& c : captions) {
        ASSERT_TRUE(c.hwnd) << "caption " << (&c - captions);
        std::string szText = WindowText(c.hwnd);
        if (szText.find("&&") != std::string::npos) szText.erase(szText.find("&&"), 1);
        HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageA(c.hwnd, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32A(hdc, szText.c_str(), static_cast<int>(szText.size()), &size);
        SelectObject(hdc, hOld);
        RECT rc{};
        GetClientRect(c.hwnd, &rc);
        EXPECT_LE(c.lGlyph + size.cx, rc.right) << szText;
    }
    ReleaseDC(Main(), hdc);
}

TEST_F(MainWindowLists, ListsOnlyInstalledGamesInRowOrderWithTheFirstSelected) {
    Install({3, 1});
    Open();
    EXPECT_EQ(ListLines(Games()), (Lines{"Zero Hour Generals Expansion Version 1.08",
                                         "Zero Hour WorldBuilder Version 1.08"}));
    EXPECT_EQ(ListSelection(Games()), 0);
}

TEST_F(MainWindowLists, AnEmptySetupLeavesBothListsEmptyWithoutSelection) {
    Open();
    EXPECT_EQ(ListLines(Games()), Lines{});
    EXPECT_EQ(ListSelection(Games()), LB_ERR);
    EXPECT_EQ(ListLines(Mods()), Lines{});
    ClickAt(Mods(), 5, 5);
    EXPECT_FALSE(Enabled(Button("&Edit...")));
    EXPECT_FALSE(Enabled(Button("&Remove...")));
}

TEST_F(MainWindowLists, ListsTheModsInModListOrderWithNoneSelectedAndEditRemoveDisabled) {
    Install({0});
    WriteMods();
    Open();
    ASSERT_EQ(state.dModCount, 3);
    EXPECT_EQ(ListLines(Mods()), (Lines{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(ListSelection(Mods()), LB_ERR);
    EXPECT_TRUE(Enabled(Button("&Add...")));
    EXPECT_FALSE(Enabled(Button("&Edit...")));
    EXPECT_FALSE(Enabled(Button("&Remove...")));
    EXPECT_FALSE(state.bLaunching);
}

TEST_F(MainWindowLists, SelectingAModEnablesEditAndRemoveOnlyForConfigurationFiles) {
    WriteMods();
    Open();
    const struct {
        int lEntry;
        bool bEnabled;
    } steps[] = {{2, false}, {0, true}, {2, false}, {1, true}};
    for (const auto& step : steps) {
        ClickListEntry(Mods(), step.lEntry);
        EXPECT_EQ(ListSelection(Mods()), step.lEntry);
        EXPECT_EQ(Enabled(Button("&Edit...")), step.bEnabled) << "entry " << step.lEntry;
        EXPECT_EQ(Enabled(Button("&Remove...")), step.bEnabled) << "entry " << step.lEntry;
    }
}

TEST_F(MainWindowLists, TheKeyboardSelectsModsAsTheMouseDoes) {
    WriteMods();
    Open();
    SetFocus(Mods());
    PressKey(VK_DOWN);  // the first entry
    EXPECT_EQ(ListSelection(Mods()), 0);
    EXPECT_TRUE(Enabled(Button("&Remove...")));
    PressKey(VK_END);  // the folder mod
    EXPECT_EQ(ListSelection(Mods()), 2);
    EXPECT_FALSE(Enabled(Button("&Remove...")));
}

TEST_F(MainWindowLists, RemoveDeletesTheFileAndRefillsTheListWithNothingSelected) {
    WriteMods();
    Open();
    ClickListEntry(Mods(), 1);
    ClickButton(Button("&Remove..."));
    EXPECT_FALSE(Present(program / "Beta.zcf"));
    EXPECT_TRUE(Present(program / "Alpha.zcf"));
    EXPECT_EQ(ListLines(Mods()), (Lines{"Alpha", "Gamma"}));
    EXPECT_EQ(ListSelection(Mods()), LB_ERR);
    EXPECT_FALSE(Enabled(Button("&Edit...")));
    EXPECT_FALSE(Enabled(Button("&Remove...")));
    EXPECT_TRUE(boxes.shown.empty()) << "no question, no message";
}

TEST_F(MainWindowLists, ARemoveThatFailsLeavesTheFileButStillRebuildsTheList) {
    WriteMods();
    SetAttributes(program / "Beta.zcf", FILE_ATTRIBUTE_READONLY);
    Open();
    // Put there while the window is open: only a rebuild shows it.
    WriteBytes(program / "Delta.zcf", "Location=\r\n");
    ClickListEntry(Mods(), 1);
    ClickButton(Button("&Remove..."));
    EXPECT_TRUE(Present(program / "Beta.zcf"));
    EXPECT_EQ(ListLines(Mods()), (Lines{"Alpha", "Beta", "Delta", "Gamma"}));
    EXPECT_FALSE(Enabled(Button("&Remove...")));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainWindowLists, RemoveDeletesTheFileTheModWasReadFromEvenWithAFurtherDot) {
    WriteBytes(program / "My.Mod.zcf", "Location=\r\n");
    WriteBytes(program / "My.zcf", "Location=\r\n");
    Open();
    ASSERT_EQ(ListLines(Mods()), (Lines{"My", "My"}));
    ASSERT_EQ(state.ModList[0].szConfigFile, program / "My.Mod.zcf");
    ClickListEntry(Mods(), 0);
    ClickButton(Button("&Remove..."));
    EXPECT_FALSE(Present(program / "My.Mod.zcf"));
    EXPECT_TRUE(Present(program / "My.zcf")) << "the other mod of that title is left alone";
    EXPECT_EQ(ListLines(Mods()), Lines{"My"});
}

}  // namespace
}  // namespace corvane::test
