// Start Game: the game row, the switches and the mod handed to the launch
// window, read back from the stand-in game's own report of its command line;
// and the guard that keeps a second game from starting over a watched one.
#include "ui/main/main_window_fixture.h"

namespace corvane::test {
namespace {

class MainWindowLaunch : public MainWindowTest {
protected:
    void SetUp() override {
        Install({0, 2});
        WriteBytes(program / "Classic.zcf", "Location=C:\\Mods\\classic.big\r\n");
    }
    HWND StartGame() const { return Button("Start &Game"); }
    // Gives a wrong launch a moment to show itself.
    bool GameStartedAfterAWhile() const {
        return PumpUntil([this] { return Present(standIn.szReport); }, 300);
    }
};

TEST_F(MainWindowLaunch, AltGStartsTheSelectedGameWithTheBoxesTickedThenAndTheModsBigFile) {
    Open();
    for (int lEntry : {1, 0, 1}) ClickListEntry(Games(), lEntry);
    for (const char* szBox : {"Debug", "No Music", "Debug"}) ClickButton(Button(szBox));
    ClickListEntry(Mods(), 0);
    PostMessageA(GetFocus(), WM_SYSCHAR, 'g', static_cast<LPARAM>(1 | (1 << 29)));
    ui::PumpPendingMessages();
    EXPECT_EQ(WaitForStandInReport(standIn.szReport).szCommandLine, game / "WorldBuilder.exe -nomusic -mod classic.big");
    EXPECT_EQ(SoundsOf("grenade.wav"), 3);
    EXPECT_EQ(SoundsOf("biggun.wav"), 1);
}

// While the launch copies, nothing can change the mod list or start a second
// launch, and its window cannot be closed; it still shows the lines so far.
TEST_F(MainWindowLaunch, StartGameAndTheModButtonsAreHeldWhileTheLaunchWorksAndStartGameUntilItEnds) {
    WriteBytes(program / "Broken.zcf", "Location=\r\n[Folder]\r\nSource=" + program / "Missing\\Weapon.ini" +
                                           "\r\nDestination=Data\\INI\r\n");
    WriteBytes(program / "Copy\\Data\\a.ini", "mod");
    Open();
    ClickListEntry(Mods(), 0);  // Broken: the launch stops before the game runs
    ClickButton(StartGame());
    ASSERT_TRUE(PumpUntil([&] { return lLaunchesEnded == 1; }));
    EXPECT_TRUE(Enabled(StartGame())) << "a launch that ran no game gives Start Game back";

    ResetEvent(copies.hOpen);
    ClickListEntry(Mods(), 2);  // the folder mod Copy
    ClickButton(StartGame());
    HWND hLaunch = launch->Handle();
    ASSERT_TRUE(PumpUntil([&] { return !ListLines(ChildOfClass(hLaunch, "ListBox")).empty(); }));
    for (const char* szButton : {"Start &Game", "&Add...", "&Edit...", "&Remove..."})
        EXPECT_FALSE(Enabled(Button(szButton))) << szButton;
    SendMessageA(hLaunch, WM_CLOSE, 0, 0);
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(StartGame()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(StartGame()));  // a click arriving anyway
    EXPECT_TRUE(launch->IsLoaded() && launch->IsWorking());
    SetEvent(copies.hOpen);
    WaitForStandInReport(standIn.szReport);
    ASSERT_TRUE(PumpUntil([&] { return !launch->IsWorking(); }));
    const Lines log = ListLines(ChildOfClass(hLaunch, "ListBox"));
    EXPECT_EQ(std::count(log.begin(), log.end(), "Launching..."), 1);
    EXPECT_TRUE(Enabled(Button("&Add...")));
    EXPECT_FALSE(Enabled(StartGame())) << "no second game over a watched one";
    FinishGame();
    EXPECT_TRUE(Enabled(StartGame()));

    // An error in the copies still shows the one message.
    DeleteFileA(standIn.szReport.c_str());
    WriteBytes(game / "Data\\a.ini", "game");
    WriteBytes(game / "Data\\a.ini.original", "left by a launch long ago");
    ClickListEntry(Mods(), 2);
    ClickButton(StartGame());
    ASSERT_TRUE(PumpUntil([&] { return !boxes.shown.empty(); }));
    EXPECT_EQ(boxes.shown.back().first, "An error occurred whilst trying to launch the game!");
    EXPECT_TRUE(Enabled(StartGame()));
    EXPECT_FALSE(Present(standIn.szReport)) << "the game was started";
}

using NoGameInstalled = MainWindowTest;

TEST_F(NoGameInstalled, StartGameAsksForAGameEachTimeAndLaunchesNothing) {
    WriteBytes(program / "Classic.zcf", "Location=\r\n");
    Open();
    ClickListEntry(Mods(), 0);
    for (int i = 0; i < 2; ++i) ClickButton(Button("Start &Game"));
    const std::pair<std::string, uint32_t> asked("Please select the game to launch", kMsgOkOnly);  // no icon
    EXPECT_EQ(boxes.shown, decltype(boxes.shown)(2, asked)) << "asked each time";
    EXPECT_EQ(SoundsOf("biggun.wav"), 2);
    EXPECT_FALSE(launch->IsLoaded()) << "the launch window was never used";
}

}  // namespace
}  // namespace corvane::test
