// The launch window with real files, real processes and its own thread:
// what only Windows shows. The rules of the launch itself are tested in
// memory (launch_faults_test, launcher_test).
#include <optional>

#include "launch/journal/journal_records.h"
#include "launch/launch_timer.h"
#include "app/main_window/main_window_fixture.h"
// After the Windows header, which it needs.
#include <commctrl.h>

namespace corvane::test {
namespace {

class FrmLaunchTest : public MainWindowTest {
protected:
    FrmLaunchTest() {
        Install({kZeroHour});
        OpenLaunch();
    }

    HWND Log() const { return ChildOfClass(launch->Handle(), "ListBox"); }
    void Tick() { SendMessageA(launch->Handle(), WM_TIMER, kTmrRestoreId, 0); }
    bool Finished() { return PumpUntil([this] { return !launch->IsWorking(); }); }
    // Lets the stand-in end and waits for the watch to see it, ticking itself
    // or leaving it to the window's own timer.
    void EndGame(bool bTick = true) {
        standIn.EndGame();
        EXPECT_TRUE(PumpUntil([&] {
            if (bTick) Tick();
            return !launch->IsBusy();
        }, 20000));
    }

    const std::string szGame = game.Path() + "\\";
};

// A game another program starts is still running when that program has
// ended: a launcher that starts it and ends with 259, also the code of a
// running process; or a store edition's stub that asks the store's client,
// which is no child of the launch, to start it.
TEST_F(FrmLaunchTest, WatchesTheGameALauncherOrAStoresClientStarts) {
    CopyFileA(CORVANE_TEST_STAND_IN_GAME, (game / "game.dat").c_str(), FALSE);
    const std::string szAsked = standIn.folder / "asked.flag";
    for (const bool bStore : {false, true}) {
        SCOPED_TRACE(bStore ? "a store's client" : "a launcher");
        std::optional<ScopedEnvironment> launcher, exitCode, stub;
        if (bStore) {
            ScopedEnvironment client{"STANDIN_STORE_CLIENT", szAsked}, real{"STANDIN_STORE_GAME", game / "game.dat"};
            win.processes.Start(CORVANE_TEST_STAND_IN_GAME, CORVANE_TEST_STAND_IN_GAME, standIn.folder.Path());
            stub.emplace("STANDIN_ASK_STORE", szAsked);
        } else {
            launcher.emplace("STANDIN_LAUNCHER", "1");
            exitCode.emplace("STANDIN_EXIT_CODE", "259");
        }
        standIn.Rearm();
        launch->LaunchApplication(kZeroHour, "", -1);
        EXPECT_EQ(WaitForStandInReport(standIn.szReport).szGameFolder, game.Path());
        for (int i = 0; i < 15; ++i) {  // the program that started it has long ended
            Tick();
            Sleep(100);
        }
        EXPECT_TRUE(launch->IsBusy()) << "the watch goes on";
        EndGame(false);
        EXPECT_EQ(ListLines(Log()).back(), "END");
    }
}

TEST_F(FrmLaunchTest, KeepsOneLogUntilClosedWithTheNewestLineInViewAndAnEmptyProgressBar) {
    launch->LaunchApplication(kZeroHour, " -nologo ", -1);
    ASSERT_TRUE(Finished());
    SendMessageA(launch->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box and Alt+F4
    launch->LaunchApplication(kZeroHour, " -win", -1);           // a second launch meanwhile
    ASSERT_TRUE(launch->IsLoaded());
    EndGame();
    const Lines one = {"This is what is happening...", "", "Launching...", szGame + "Generals.exe -nologo ", "", "END"};
    EXPECT_EQ(ListLines(Log()), one);
    launch->LaunchApplication(kZeroHour, " -nologo ", -1);
    ASSERT_TRUE(Finished());
    EndGame();
    const Lines both = ListLines(Log());
    EXPECT_EQ(Lines(both.begin() + 6, both.end()), one);
    EXPECT_EQ(lLaunchesEnded, 2);

    for (int i = 0; i < 80; ++i) launch->DisplayMsg("line " + std::to_string(i));
    RECT rcItem{}, rcList{};
    SendMessageA(Log(), LB_GETITEMRECT, 12 + 79, reinterpret_cast<LPARAM>(&rcItem));
    GetClientRect(Log(), &rcList);
    EXPECT_GE(rcItem.top, 0);
    EXPECT_LE(rcItem.bottom, rcList.bottom);
    launch->DisplayMsg(std::string(400, 'W'));  // can be scrolled to its end
    EXPECT_GT(SendMessageA(Log(), LB_GETHORIZONTALEXTENT, 0, 0), rcList.right + 400);
    // A line longer than any the log keeps together is read back whole.
    launch->DisplayMsg(std::string(100000, 'x'));
    EXPECT_EQ(ListLines(Log()).back(), std::string(100000, 'x'));
    HWND hBar = ChildOfClass(launch->Handle(), "msctls_progress32");
    ASSERT_TRUE(hBar);
    EXPECT_EQ(SendMessageA(hBar, PBM_GETPOS, 0, 0), 0);

    ClickButton(ChildWithText(launch->Handle(), "Button", "&Close"));
    EXPECT_FALSE(launch->IsLoaded());
    launch->LaunchApplication(kZeroHour, " -nologo ", -1);  // a new window, a new log
    ASSERT_TRUE(Finished());
    EndGame();
    EXPECT_EQ(ListLines(Log()), one);
}

// The game of a launch cut short still runs when the program starts again;
// Close gives the wait up: the window goes, the journal stays, and the
// program goes on.
TEST_F(FrmLaunchTest, CloseEndsTheWaitForAGameStillRunning) {
    const std::unique_ptr<GameProcess> running =
        win.processes.Start(szGame + "Generals.exe", szGame + "Generals.exe", szGame);
    std::string szJournal = EncodeRecord(RecordOf(JournalStep::kBegin, szGame, "a launch cut short"));
    szJournal += EncodeRecord(RecordOf(JournalStep::kCreateFolder, game / "Mods"));
    szJournal += EncodeRecord(GameRecord(running->Id()));
    WriteBytes(program / "Corvane.journal", szJournal);
    std::optional<bool> bStopped;
    ASSERT_TRUE(launch->RecoverAtStart([&](bool bWasStopped) { bStopped = bWasStopped; }));
    HWND hClose = ChildWithText(launch->Handle(), "Button", "&Close");
    ASSERT_TRUE(PumpUntil([&] { return Enabled(hClose); }));
    EXPECT_EQ(ListLines(Log()).back(), "The game of that launch is still running: waiting for it to end.");
    ClickButton(hClose);
    ASSERT_TRUE(PumpUntil([&] { return bStopped.has_value(); }));
    EXPECT_TRUE(*bStopped);
    EXPECT_FALSE(launch->IsLoaded());
    EXPECT_EQ(ReadBytes(program / "Corvane.journal"), szJournal);
    EXPECT_FALSE(running->Poll().bEnded);
    standIn.EndGame();
}

}  // namespace
}  // namespace corvane::test
