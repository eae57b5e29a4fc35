// The main window as the message loop runs it: its lists under selection and
// Remove, its Tab order, Start Game with the game row, the switches and the
// mod handed to the launch window (read back from the stand-in game's report
// of its command line), the guard against a second launch, and the picture link.
#include "platform/app_info.h"
#include "state/app_version.h"
#include "ui/dpi.h"
#include "app/main_window/main_window_fixture.h"
// After the Windows header, which it needs.
#include <commctrl.h>
#include <shlobj.h>

namespace corvane::test {
namespace {

TEST_F(MainWindowTest, ListsTheGamesAndModsAndEditAndRemoveAndTabFollowTheSelectedKind) {
    Install({3, 1});
    WriteMods({"Beta.zcf", "My.Mod.zcf", "My.zcf"});
    SetAttributes(program / "Beta.zcf", FILE_ATTRIBUTE_READONLY);
    WriteBytes(program / "Gamma\\Data\\INI\\Weapon.ini", "Weapon\r\n");
    Open();
    EXPECT_EQ(shell.played, Lines{program / "13gun.wav"});
    EXPECT_EQ(ListLines(Games()), (Lines{"Zero Hour Generals Expansion Version 1.08",
                                         "Zero Hour WorldBuilder Version 1.08"}));
    EXPECT_EQ(ListSelection(Games()), 0);
    ASSERT_EQ(ListLines(Mods()), (Lines{"Beta", "My", "My", "Gamma"}));
    EXPECT_EQ(ListSelection(Mods()), LB_ERR);
    std::vector<HWND> tabOrder = {Mods()};
    for (const char* szButton : {"Skip Movie Intro.", "No Shell Anims.", "No Music", "No Audio", "Run In Window",
                                 "Debug", "Start &Game", "&Add..."})
        tabOrder.push_back(Button(szButton));
    tabOrder.insert(tabOrder.end(), {Link(), Games()});
    const auto expectTabOrder = [&] {
        SetFocus(Games());
        for (HWND hNext : tabOrder) {
            PressKey(VK_TAB);
            EXPECT_EQ(GetFocus(), hNext) << WindowText(hNext);
        }
    };
    expectTabOrder();  // Edit and Remove are disabled and skipped
    for (const auto& [lEntry, bConfigFile] : {std::pair{3, false}, {0, true}, {3, false}, {1, true}}) {
        ClickListEntry(Mods(), lEntry);
        EXPECT_EQ(ListSelection(Mods()), lEntry);
        EXPECT_EQ(std::pair(Enabled(Button("&Edit...")), Enabled(Button("&Remove..."))), std::pair(bConfigFile, bConfigFile))
            << "entry " << lEntry;
    }
    tabOrder.insert(tabOrder.end() - 2, {Button("&Edit..."), Button("&Remove...")});
    expectTabOrder();
    SetFocus(Mods());
    PressKey(VK_END);  // from a configuration file to the folder mod
    EXPECT_FALSE(Enabled(Button("&Remove...")));

    const struct {
        int lEntry;
        const char* szAddedMeanwhile;  // listed only if the list is rebuilt
        Lines after;
    } removes[] = {
        {1, "Delta.zcf", {"Beta", "Delta", "My", "Gamma"}},  // My.Mod.zcf
        {0, "Echo.zcf", {"Beta", "Delta", "Echo", "My", "Gamma"}},  // read-only: stays
    };
    for (const auto& r : removes) {
        WriteMods({r.szAddedMeanwhile});
        ClickListEntry(Mods(), r.lEntry);
        ClickButton(Button("&Remove..."));
        EXPECT_EQ(ListLines(Mods()), r.after);
        EXPECT_EQ(ListSelection(Mods()), LB_ERR);
        EXPECT_FALSE(Enabled(Button("&Edit...")) || Enabled(Button("&Remove...")));
    }
    EXPECT_FALSE(Present(program / "My.Mod.zcf"));
    EXPECT_TRUE(Present(program / "My.zcf")) << "the other mod of that title is left alone";
    EXPECT_TRUE(boxes.shown.empty()) << "no question, no message";
}

// While the launch copies, nothing can change the mod list or start a second
// launch, and its window cannot be closed; it still shows the lines so far.
TEST_F(MainWindowTest, StartGameHandsOnTheSelectedRowBoxesAndModAndIsHeldWhileTheLaunchWorks) {
    Install({0, 2});
    WriteBytes(program / "Broken.zcf", "Location=\r\n[Folder]\r\nSource=" + program / "Missing\\Weapon.ini" +
                                           "\r\nDestination=Data\\INI\r\n");
    WriteBytes(program / "Classic.zcf", "Location=C:\\Mods\\classic.big\r\n");
    WriteBytes(program / "Copy\\Data\\a.ini", "mod");
    Open();
    for (int lEntry : {1, 0, 1}) ClickListEntry(Games(), lEntry);
    for (const char* szBox : {"Run In Window", "Debug", "No Music", "Debug"}) ClickButton(Button(szBox));
    ClickListEntry(Mods(), 1);
    PostMessageA(GetFocus(), WM_SYSCHAR, 'g', static_cast<LPARAM>(1 | (1 << 29)));  // Alt+G
    ui::PumpPendingMessages();
    EXPECT_EQ(WaitForStandInReport(standIn.szReport).szCommandLine, game / "WorldBuilder.exe -nomusic -win -mod classic.big");
    EXPECT_EQ(SoundsOf("grenade.wav"), 4);
    EXPECT_EQ(SoundsOf("biggun.wav"), 1);
    FinishGame();
    HWND hStartGame = Button("Start &Game");
    ClickListEntry(Mods(), 0);  // Broken: the launch stops before the game runs
    ClickButton(hStartGame);
    ASSERT_TRUE(PumpUntil([&] { return lLaunchesEnded == 2; }));
    EXPECT_TRUE(Enabled(hStartGame)) << "a launch that ran no game gives Start Game back";

    ResetEvent(copies.hOpen);
    HWND hLog = ChildOfClass(launch->Handle(), "ListBox");
    const size_t lBefore = ListLines(hLog).size();
    ClickListEntry(Mods(), 2);  // the folder mod Copy
    ClickButton(hStartGame);
    ASSERT_TRUE(PumpUntil([&] { return ListLines(hLog).size() > lBefore; }));
    for (const char* szButton : {"Start &Game", "&Add...", "&Edit...", "&Remove..."})
        EXPECT_FALSE(Enabled(Button(szButton))) << szButton;
    SendMessageA(launch->Handle(), WM_CLOSE, 0, 0);
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hStartGame), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hStartGame));  // a click arriving anyway
    EXPECT_TRUE(launch->IsLoaded() && launch->IsWorking());
    SetEvent(copies.hOpen);
    WaitForStandInReport(standIn.szReport);
    ASSERT_TRUE(PumpUntil([&] { return !launch->IsWorking(); }));
    const Lines log = ListLines(hLog);
    EXPECT_EQ(std::count(log.begin() + lBefore, log.end(), "Launching..."), 1);
    EXPECT_TRUE(Enabled(Button("&Add...")));
    EXPECT_FALSE(Enabled(hStartGame)) << "no second game over a watched one";
    FinishGame();
    EXPECT_TRUE(Enabled(hStartGame));
}

// Opens a context menu by open(), notes the caption of its first item and
// whether it can be chosen, and then chooses item lItem (-1: dismisses it).
std::pair<std::string, bool> AnswerMenu(const std::function<void()>& open, int lItem) {
    std::pair<std::string, bool> seen;
    std::jthread player = PlayModal([&] {
        HWND hMenu = WaitForPopupMenu();
        if (!hMenu) return;
        HMENU h = reinterpret_cast<HMENU>(SendMessageA(hMenu, MN_GETHMENU, 0, 0));
        char szCaption[128] = {};
        GetMenuStringA(h, 0, szCaption, sizeof(szCaption), MF_BYPOSITION);
        seen = {szCaption, (GetMenuState(h, 0, MF_BYPOSITION) & MF_GRAYED) == 0};
        ChooseMenuItem(hMenu, lItem);
    });
    open();
    player.join();
    return seen;
}

// With no game selected (as with none installed) Start Game asks for one
// each time. The link's own fields are read back from a real one in the
// end-to-end run.
TEST_F(MainWindowTest, AModsMenuMakesADesktopShortcutAndStartGameLaunchesOnlyWithAGameSelected) {
    Install({1});
    WriteMods({"Alpha.zcf", "Contra.zcf"});
    TempFolder desktop;
    shortcuts.szDesktop = desktop.Path();
    Open();
    SendMessageA(Games(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(AnswerMenu([&] { RightClickListEntry(Mods(), 1); }, -1),
              std::pair(std::string("Create Desktop Shortcut (no game selected)"), false));
    EXPECT_EQ(ListSelection(Mods()), 1) << "the right click picks the mod";
    EXPECT_TRUE(Enabled(Button("&Edit...")));
    for (int i = 0; i < 2; ++i) ClickButton(Button("Start &Game"));
    EXPECT_EQ(boxes.shown, decltype(boxes.shown)(2, {"Please select the game to launch", kMsgOkOnly}));  // no icon
    EXPECT_EQ(SoundsOf("biggun.wav"), 2);
    EXPECT_FALSE(launch->IsLoaded()) << "the launch window was never used";
    boxes.shown.clear();

    ClickListEntry(Games(), 0);
    for (const char* szBox : {"Run In Window", "No Music"}) ClickButton(Button(szBox));
    SetFocus(Mods());
    WriteBytes(desktop / "Contra (Zero Hour).lnk", "made before");
    boxes.answers = {kAnswerNo, kAnswerYes};
    for (int i = 0; i < 2; ++i) {  // the menu key, then Shift+F10
        const auto press = [&] { i == 0 ? PressKey(VK_APPS) : PressKey(VK_F10, nullptr, true); };
        EXPECT_EQ(AnswerMenu(press, 0), std::pair(std::string("Create Desktop Shortcut"), true));
        EXPECT_EQ(shortcuts.saved.size(), static_cast<size_t>(i)) << "No keeps the one there, Yes replaces it";
    }
    const std::pair<std::string, uint32_t> asked("There is a shortcut \"Contra (Zero Hour)\" on the desktop already. Replace it?",
                                                 kMsgYesNo | kMsgQuestion);
    EXPECT_EQ(boxes.shown, decltype(boxes.shown)(2, asked));
    ASSERT_EQ(shortcuts.saved.size(), 1u);
    EXPECT_EQ(shortcuts.saved[0].first, desktop / "Contra (Zero Hour).lnk");
    const ShortcutLink& link = shortcuts.saved[0].second;
    EXPECT_EQ(std::tie(link.szTarget, link.szArguments, link.szWorkingFolder, link.szIconFile),
              std::tuple(ProgramFile(), std::string("-PLAY ZeroHour \"Contra\" -- -nomusic -win"), program.Path(), ProgramFile()));
}

// A game's menu opens the check of its folder, modal over the main window.
TEST_F(MainWindowTest, AGamesMenuOpensTheCheckOfItsFolder) {
    Install({0});
    Open();
    bool bModal = false;
    std::jthread player = PlayModal([&] {
        ChooseMenuItem(WaitForPopupMenu(), 0);
        const HWND hCheck = WaitForTopLevel("Check Game Folder");
        bModal = hCheck && !Enabled(Main());
        PostMessageA(hCheck, WM_CLOSE, 0, 0);
    });
    RightClickListEntry(Games(), 0);
    player.join();
    EXPECT_TRUE(bModal);
    EXPECT_TRUE(Enabled(Main()));
}

int Px(int lTwips) { return ui::TwipsToPixels(lTwips, ui::DpiOf(nullptr)); }

TEST_F(MainWindowTest, ThePictureLinkOpensItsAddressOnAClickOnItOrBesideItOrByKeyAndShowsItAsTooltip) {
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
        shell.opened.clear();
        ClickAt(Link(), c.x, c.y, c.xUp, c.y);
        EXPECT_EQ(shell.opened, Lines(c.lOpened, CORVANE_LINK_ADDRESS)) << c.szWhere;
    }
    SetFocus(Link());
    PressKey(VK_RETURN);
    PressKey(VK_SPACE);
    EXPECT_EQ(shell.opened, Lines(2, CORVANE_LINK_ADDRESS)) << "Enter and Space, as a click";
    shell.bFail = true;
    ClickAt(Link(), 10, 10);
    ClickAt(Link(), 10, 10);
    EXPECT_EQ(shell.opened.size(), 4u) << "a failing browser is ignored, the next click tries again";
    EXPECT_TRUE(boxes.shown.empty()) << "the link shows no message of its own";

    EXPECT_EQ(WindowText(Link()), CORVANE_LINK_ADDRESS) << "named by its address";
    HWND hToolTip = nullptr;
    do hToolTip = FindWindowExA(nullptr, hToolTip, TOOLTIPS_CLASSA, nullptr);
    while (hToolTip && GetWindow(hToolTip, GW_OWNER) != Main());
    ASSERT_TRUE(hToolTip);
    char szText[256] = {};
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.lpszText = szText;
    ASSERT_TRUE(SendMessageA(hToolTip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ(szText, CORVANE_LINK_ADDRESS);
    EXPECT_EQ(reinterpret_cast<HWND>(ti.uId), Link()) << "the tool is the whole control";
}

// A download dropped on the window, and one picked through a mod's menu, go
// through the "Install Mod" window; the new mod is then listed and selected.
TEST_F(MainWindowTest, ADroppedOrPickedDownloadIsInstalledListedAndSelected) {
    WriteMods({"Alpha.zcf", "Zulu.zcf"});
    Open();
    const std::string szFixtures = CORVANE_TEST_INSTALL_FIXTURES;
    const auto install = [](const std::string& szTitle) {
        const HWND hWindow = WaitForTopLevel("Install Mod");
        const HWND hInstall = ChildWithText(hWindow, "Button", "&Install");
        if (!hWindow || !PumpUntil([&] { return Enabled(hInstall); })) return;
        if (!szTitle.empty()) SetWindowTextA(ChildOfClass(hWindow, "Edit", 0), szTitle.c_str());
        ClickButton(hInstall);
        PumpUntil([&] { return !IsWindow(hWindow); }, 20000);  // the player's script closes what is left
    };
    {
        std::jthread player = PlayModal([&] {
            ChooseMenuItem(WaitForPopupMenu(), 1);
            EXPECT_EQ(AnswerFileDialog(szFixtures + "\\test_read_format_rar5_solid.rar"),
                      "Mod downloads (*.zip;*.7z;*.rar;*.exe)");
            install("Bravo");
        });
        RightClickListEntry(Mods(), 0);
    }
    EXPECT_EQ(ListLines(Mods()), (Lines{"Alpha", "Zulu", "Bravo"}));
    EXPECT_EQ(ListSelection(Mods()), 2);
    EXPECT_TRUE(Present(program / "Bravo\\test6.bin"));

    const std::wstring szDropped = std::wstring(szFixtures.begin(), szFixtures.end()) + L"\\wrapper.zip";
    HGLOBAL hDrop = GlobalAlloc(GHND, sizeof(DROPFILES) + (szDropped.size() + 2) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(hDrop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    wcscpy(reinterpret_cast<wchar_t*>(files + 1), szDropped.c_str());
    GlobalUnlock(hDrop);
    {
        std::jthread player = PlayModal([&] { install(""); });
        SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    }
    EXPECT_EQ(ListLines(Mods()), (Lines{"Alpha", "Zulu", "Bravo", "wrapper"}));
    EXPECT_EQ(ListSelection(Mods()), 3);
}

}  // namespace
}  // namespace corvane::test
