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

TEST_F(MainWindowLaunch, StartGameIsHeldFromTheClickUntilTheLaunchEnds) {
    // A mod whose source is missing: the launch stops before the game runs.
    WriteBytes(program / "Broken.zcf", "Location=\r\n[Folder]\r\nSource=" + program / "Missing\\Weapon.ini" +
                                           "\r\nDestination=Data\\INI\r\n");
    Open();
    ClickListEntry(Mods(), 0);  // listed before Classic
    ClickButton(StartGame());
    EXPECT_EQ(lLaunchesEnded, 1);
    EXPECT_TRUE(Enabled(StartGame())) << "a launch that ran no game gives Start Game back";
    EXPECT_FALSE(GameStartedAfterAWhile());

    ClickListEntry(Mods(), 1);
    ClickButton(StartGame());
    WaitForStandInReport(standIn.szReport);
    ASSERT_TRUE(launch->IsWatching());
    EXPECT_FALSE(Enabled(StartGame()));
    DeleteFileA(standIn.szReport.c_str());
    // A notification arriving anyway must not start a second game either.
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(StartGame()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(StartGame()));
    EXPECT_FALSE(GameStartedAfterAWhile()) << "a second game was started over the watched one";

    FinishGame();
    ClickButton(StartGame());
    EXPECT_EQ(WaitForStandInReport(standIn.szReport).szCommandLine, game / "Generals.exe -mod classic.big")
        << "Start Game works again once the game folder is restored";
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
