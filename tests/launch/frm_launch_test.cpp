// The launch window with real files, real processes and its own thread:
// what only Windows shows. The rules of the launch itself are tested in
// memory (launch_faults_test, launcher_test).
#include "launch/frm_launch.h"

#include <gtest/gtest.h>

#include "launch/journal_records.h"
#include "launch/launch_timer.h"
#include "platform/win32.h"
// After the Windows header, which it needs.
#include <commctrl.h>

#include "platform/win_platform.h"
#include "state/app_version.h"
#include "support/fake_platform.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "support/window_probe.h"

namespace corvane {
namespace {

using namespace corvane::test;

class FrmLaunchTest : public ::testing::Test {
protected:
    FrmLaunchTest() {
        CopyFileA(CORVANE_TEST_STAND_IN_GAME, (game / "Generals.exe").c_str(), FALSE);
        state.GameTable[kZeroHour].szInstallPath = szGame;
        form.onLaunchEnded = [this] { ++lEnded; };
    }
    ~FrmLaunchTest() override {
        if (form.IsBusy()) EndGame();
    }

    HWND Log() const { return ChildOfClass(form.Handle(), "ListBox"); }
    void Tick() { SendMessageA(form.Handle(), WM_TIMER, kTmrRestoreId, 0); }
    bool Finished() { return PumpUntil([this] { return !form.IsWorking(); }); }
    // Lets the stand-in end and waits for the watch to see it, ticking itself
    // or leaving it to the window's own timer.
    void EndGame(bool bTick = true) {
        standIn.EndGame();
        EXPECT_TRUE(PumpUntil([&] {
            if (bTick) Tick();
            return !form.IsBusy();
        }, 20000));
    }

    TempFolder game, mods, app;
    const std::string szGame = game.Path() + "\\";
    StandInOrders standIn;
    ProgramState state;
    WinPlatform win{app.Path(), CORVANE_APP_TITLE};
    RecordingMessageBoxes boxes;
    RecordingProblems problems;
    Platform platform{win.files, win.fso, win.processes, boxes, win.sounds, win.browser,
                      win.journal, win.locks, win.rights, problems, win.shortcuts};
    frmLaunch form{state, platform, app.Path()};
    int lEnded = 0;
};

// A game started through a launcher that ends at once is still running; the
// exit code 259 is also the code a running process reports.
TEST_F(FrmLaunchTest, WatchesEveryProcessOfTheGameAndA259ExitEndsTheWatch) {
    ScopedEnvironment launcher{"STANDIN_LAUNCHER", "1"}, exitCode{"STANDIN_EXIT_CODE", "259"};
    WriteBytes(mods / "a.ini", "mod");
    ModConfig mod;
    mod.AddEntry(mods / "a.ini", game.Path());
    state.AppendMod(mod);
    form.LaunchApplication(kZeroHour, "", 0);
    WaitForStandInReport(standIn.szReport);
    for (int i = 0; i < 15; ++i) {  // the launcher has long ended
        Tick();
        Sleep(100);
    }
    EXPECT_TRUE(form.IsBusy());
    EXPECT_EQ(ReadBytes(game / "a.ini"), "mod") << "restored under the running game";
    EndGame(false);
    EXPECT_EQ(ListLines(Log()).back(), "END");
    EXPECT_FALSE(Present(game / "a.ini"));
    EXPECT_FALSE(Present(app / "Corvane.journal"));
}

TEST_F(FrmLaunchTest, KeepsOneLogUntilClosedWithTheNewestLineInViewAndAnEmptyProgressBar) {
    form.LaunchApplication(kZeroHour, " -nologo ", -1);
    ASSERT_TRUE(Finished());
    SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box and Alt+F4
    form.LaunchApplication(kZeroHour, " -win", -1);           // a second launch meanwhile
    ASSERT_TRUE(form.IsLoaded());
    EndGame();
    const Lines one = {"This is what is happening...", "", "Launching...", szGame + "Generals.exe -nologo ", "", "END"};
    EXPECT_EQ(ListLines(Log()), one);
    form.LaunchApplication(kZeroHour, " -nologo ", -1);
    ASSERT_TRUE(Finished());
    EndGame();
    const Lines both = ListLines(Log());
    EXPECT_EQ(Lines(both.begin() + 6, both.end()), one);
    EXPECT_EQ(lEnded, 2);

    for (int i = 0; i < 80; ++i) form.DisplayMsg("line " + std::to_string(i));
    RECT rcItem{}, rcList{};
    SendMessageA(Log(), LB_GETITEMRECT, 12 + 79, reinterpret_cast<LPARAM>(&rcItem));
    GetClientRect(Log(), &rcList);
    EXPECT_GE(rcItem.top, 0);
    EXPECT_LE(rcItem.bottom, rcList.bottom);
    form.DisplayMsg(std::string(400, 'W'));  // can be scrolled to its end
    EXPECT_GT(SendMessageA(Log(), LB_GETHORIZONTALEXTENT, 0, 0), rcList.right + 400);
    // Many lines that share their starts, and one longer than any the log
    // keeps together, read back whole.
    Lines added;
    for (int i = 0; i < 200; ++i) added.push_back(std::string(i % 7 * 150, 'p') + std::to_string(i) + std::string(1000, 'a' + i % 26));
    added.insert(added.begin() + 100, std::string(100000, 'x'));
    for (const std::string& szLine : added) form.DisplayMsg(szLine);
    const Lines all = ListLines(Log());
    EXPECT_EQ(Lines(all.end() - added.size(), all.end()), added);
    HWND hBar = ChildOfClass(form.Handle(), "msctls_progress32");
    ASSERT_TRUE(hBar);
    EXPECT_EQ(SendMessageA(hBar, PBM_GETPOS, 0, 0), 0);

    ClickButton(ChildWithText(form.Handle(), "Button", "&Close"));
    EXPECT_FALSE(form.IsLoaded());
    form.LaunchApplication(kZeroHour, " -nologo ", -1);  // a new window, a new log
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
    WriteBytes(app / "Corvane.journal", szJournal);
    std::optional<bool> bStopped;
    ASSERT_TRUE(form.RecoverAtStart([&](bool bWasStopped) { bStopped = bWasStopped; }));
    HWND hClose = ChildWithText(form.Handle(), "Button", "&Close");
    ASSERT_TRUE(PumpUntil([&] { return Enabled(hClose); }));
    EXPECT_EQ(ListLines(Log()).back(), "The game of that launch is still running: waiting for it to end.");
    ClickButton(hClose);
    ASSERT_TRUE(PumpUntil([&] { return bStopped.has_value(); }));
    EXPECT_TRUE(*bStopped);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(ReadBytes(app / "Corvane.journal"), szJournal);
    EXPECT_FALSE(running->Poll().bEnded);
    standIn.EndGame();
}

}  // namespace
}  // namespace corvane
