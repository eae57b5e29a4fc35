// Start Game: the game row, the switches and the mod handed to the launch
// window, read back from the stand-in game's own report of its command line;
// and the guard that keeps a second game from starting over a watched one.
#include <ostream>
#include <vector>

#include "support/stand_in_report.h"
#include "ui/main/main_window_fixture.h"

namespace corvane::test {
namespace {

using Lines = std::vector<std::string>;

class MainWindowLaunch : public MainWindowTest {
protected:
    void SetUp() override {
        Install({0, 2});
        WriteBytes(program / "Classic.zcf", "Location=C:\\Mods\\classic.big\r\n");
        WriteBytes(program / "HD\\Data\\INI\\Weapon.ini", "Weapon Laser\r\n");
        WriteBytes(GameFile("Data\\INI\\Weapon.ini"), "Weapon Gun\r\n");
    }
    HWND StartGame() const { return Button("Start &Game"); }
    std::string Exe(const char* szName) const { return GameFile(szName); }
    bool ReportWritten() const { return Present(szReport); }
    // Gives a wrong launch a moment to show itself.
    void Settle() const { PumpUntil([] { return false; }, 300); }
};

struct SwitchCase {
    const char* szWhat;
    Lines boxesClicked;
    int lModEntry;  // -1: nothing selected
    const char* szTail;
};

void PrintTo(const SwitchCase& c, std::ostream* os) { *os << c.szWhat; }

class StartGameSwitches : public MainWindowLaunch, public testing::WithParamInterface<SwitchCase> {};

TEST_P(StartGameSwitches, GivesTheGameTheTickedSwitchesInIndexOrderAndTheMod) {
    Open();
    for (const std::string& szBox : GetParam().boxesClicked) ClickButton(Button(szBox));
    if (GetParam().lModEntry >= 0) ClickListEntry(Mods(), GetParam().lModEntry);
    ClickButton(StartGame());
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, Exe("Generals.exe") + GetParam().szTail);
    EXPECT_EQ(SoundsOf("grenade.wav"), static_cast<int>(GetParam().boxesClicked.size()));
    EXPECT_EQ(SoundsOf("biggun.wav"), 1);
    EXPECT_TRUE(boxes.shown.empty());
    FinishGame();
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, StartGameSwitches,
    testing::Values(
        SwitchCase{"ticked_in_reverse_order", {"Run In Window", "Skip Movie Intro."}, 0,
                   " -nologo -win -mod classic.big"},
        SwitchCase{"all_six_no_mod",
                   {"Debug", "Run In Window", "No Audio", "No Music", "No Shell Anims.",
                    "Skip Movie Intro."},
                   -1,
                   " -nologo -noshellmap -nomusic -noaudio -win -constantdebug -scriptdebug"},
        SwitchCase{"none", {}, -1, ""},
        SwitchCase{"ticked_and_unticked_again", {"Debug", "No Music", "Debug"}, 0,
                   " -nomusic -mod classic.big"}),
    [](const testing::TestParamInfo<SwitchCase>& info) { return info.param.szWhat; });

TEST_F(MainWindowLaunch, TheGameEntrySelectedAtStartDecides) {
    Open();
    ClickListEntry(Games(), 1);
    ClickListEntry(Games(), 0);
    ClickListEntry(Games(), 1);
    ClickButton(StartGame());
    EXPECT_EQ(WaitForStandInReport(szReport).szCommandLine, Exe("WorldBuilder.exe"));
    FinishGame();
}

TEST_F(MainWindowLaunch, AFolderModIsSwappedInByItsListIndexAndRestoredAfter) {
    Open();
    const TreeSnapshot before = SnapshotTree(game.Path());
    ClickListEntry(Mods(), 1);
    ClickButton(StartGame());
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, Exe("Generals.exe"));
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), "Weapon Laser\r\n");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini.original"), "Weapon Gun\r\n");
    FinishGame();
    EXPECT_EQ(SnapshotTree(game.Path()), before);
}

TEST_F(MainWindowLaunch, StartGameStaysUnavailableUntilTheWatchedGameIsRestored) {
    Open();
    ClickButton(StartGame());
    WaitForStandInReport(szReport);
    ASSERT_TRUE(launch->IsWatching());
    EXPECT_FALSE(Enabled(StartGame()));
    EXPECT_FALSE(state.bLaunching) << "the hand-over itself is over";

    DeleteFileA(szReport.c_str());
    ClickButton(StartGame());  // a click on the disabled button
    // A notification arriving anyway must not start a second game either.
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(StartGame()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(StartGame()));
    Settle();
    EXPECT_FALSE(ReportWritten()) << "a second game was started over the watched one";
    EXPECT_FALSE(Enabled(StartGame()));

    FinishGame();
    EXPECT_TRUE(Enabled(StartGame()));
    ClickButton(StartGame());
    EXPECT_EQ(WaitForStandInReport(szReport).szCommandLine, Exe("Generals.exe"))
        << "Start Game works again once the game folder is restored";
    FinishGame();
}

TEST_F(MainWindowLaunch, ALaunchStoppedBeforeTheGameRanGivesStartGameBack) {
    WriteBytes(program / "Broken.zcf", "Location=C:\\Mods\\broken.big\r\n[Folder]\r\nSource=" +
                                           program / "Missing\\Weapon.ini" +
                                           "\r\nDestination=Data\\INI\r\n");
    Open();
    ASSERT_EQ(ListLines(Mods()), (Lines{"Broken", "Classic", "HD"}));
    ClickListEntry(Mods(), 0);
    ClickButton(StartGame());
    EXPECT_EQ(lLaunchesEnded, 1);
    EXPECT_FALSE(launch->IsWatching());
    EXPECT_TRUE(Enabled(StartGame()));
    EXPECT_FALSE(state.bLaunching);
    Settle();
    EXPECT_FALSE(ReportWritten());
}

TEST_F(MainWindowLaunch, ClosingTheMainWindowLeavesTheWatchAndTheRestoreGoingOn) {
    Open();
    const TreeSnapshot before = SnapshotTree(game.Path());
    ClickListEntry(Mods(), 1);
    ClickButton(StartGame());
    WaitForStandInReport(szReport);
    PostMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !main->IsLoaded(); }, 2000));
    EXPECT_TRUE(launch->IsWatching());
    FinishGame();
    EXPECT_EQ(SnapshotTree(game.Path()), before);
}

class NoGameInstalled : public MainWindowTest {};

TEST_F(NoGameInstalled, StartGameAsksForAGameAndLaunchesNothing) {
    WriteBytes(program / "Classic.zcf", "Location=C:\\Mods\\classic.big\r\n");
    Open();
    ClickListEntry(Mods(), 0);
    ClickButton(Button("Start &Game"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].first, "Please select the game to launch");
    EXPECT_EQ(boxes.shown[0].second, kMsgOkOnly) << "OK only, no icon";
    EXPECT_EQ(SoundsOf("biggun.wav"), 1);
    EXPECT_TRUE(Enabled(Button("Start &Game")));
    EXPECT_FALSE(state.bLaunching);
    EXPECT_FALSE(launch->IsLoaded()) << "the launch window was never used";
    EXPECT_EQ(lLaunchesEnded, 0);

    ClickButton(Button("Start &Game"));
    EXPECT_EQ(boxes.shown.size(), 2u) << "and it can be asked again";
}

}  // namespace
}  // namespace corvane::test
