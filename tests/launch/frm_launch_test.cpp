// The launch window driven through its messages, with real files in scratch
// folders and the stand-in game started for real: the cases a whole run of
// Corvane.exe cannot stage (leftovers from earlier runs, failing copies,
// starts and existence tests, a mod list rebuilt under a running game).
#include "launch/frm_launch.h"

#include <gtest/gtest.h>

#include "launch/launch_timer.h"
#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_platform.h"
#include "support/recording_message_boxes.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "ui/message_loop.h"

namespace corvane {
namespace {

using namespace corvane::test;
using Lines = std::vector<std::string>;
using Boxes = std::vector<std::pair<std::string, uint32_t>>;
const Boxes kLaunchErrorBox = {{"An error occurred whilst trying to launch the game!", kMsgOkOnly}};

// The real file system, except that testing whether szBroken exists fails,
// as it does on a drive that went away.
struct FlakyFiles : WinFileSystem {
    std::string szBroken;
    bool Exists(const std::string& szPath) override {
        if (szPath == szBroken) throw PlatformError("GetFileAttributesA", szPath, ERROR_DEV_NOT_EXIST);
        return WinFileSystem::Exists(szPath);
    }
};

class FrmLaunchTest : public ::testing::Test {
protected:
    FrmLaunchTest() {
        CopyFileA(CORVANE_TEST_STAND_IN_GAME, (game / "Generals.exe").c_str(), FALSE);
        state.GameTable[kZeroHour].szInstallPath = szGame;
        form.onLaunchEnded = [this] { ++lEnded; };
    }
    ~FrmLaunchTest() override {
        if (form.IsWatching()) EndGame();
    }

    // Source, destination, source, destination...
    int16_t AddMod(const Lines& szPairs) {
        ModConfig mod;
        mod.szModFile = "Mod.big";
        for (size_t i = 0; i + 1 < szPairs.size(); i += 2) mod.AddEntry(szPairs[i], szPairs[i + 1]);
        state.AppendMod(mod);
        return static_cast<int16_t>(state.dModCount - 1);
    }
    HWND Child(const char* szClass) const { return FindWindowExA(form.Handle(), nullptr, szClass, nullptr); }
    Lines Log(size_t lFirst = 0) const {
        Lines szLines;
        char szItem[1024];
        for (LRESULT i = lFirst; i < SendMessageA(Child("LISTBOX"), LB_GETCOUNT, 0, 0); ++i) {
            SendMessageA(Child("LISTBOX"), LB_GETTEXT, i, reinterpret_cast<LPARAM>(szItem));
            szLines.push_back(szItem);
        }
        return szLines;
    }
    bool CloseEnabled() const { return IsWindowEnabled(Child("BUTTON")) != FALSE; }
    void Tick() { SendMessageA(form.Handle(), WM_TIMER, kTmrRestoreId, 0); }
    // Lets the stand-in end and waits for the watch to see it, ticking itself
    // or leaving it to the window's own timer.
    void EndGame(bool bTick = true) {
        standIn.EndGame();
        for (int i = 0; i < 1000 && form.IsWatching(); ++i) {
            Sleep(20);
            bTick ? Tick() : ui::PumpPendingMessages();
        }
        ASSERT_FALSE(form.IsWatching());
    }
    // The game folder without the game itself, whose bytes make unreadable messages.
    TreeSnapshot GameTree() const {
        TreeSnapshot tree = SnapshotTree(game.Path());
        tree.erase("Generals.exe");
        return tree;
    }

    TempFolder game, mods;
    const std::string szGame = game.Path() + "\\";
    StandInOrders standIn;
    ProgramState state;
    FlakyFiles files;
    RecordingMessageBoxes boxes;
    WinPlatform win;
    frmLaunch form{state, Platform{files, win.fso, win.processes, boxes, win.sounds, win.browser}};
    int lEnded = 0;
};

// Leftovers of a launch that was never restored: the older backup is the
// game's true original and is what comes back; a read-only copy cannot be
// deleted, so the original keeps its backup name rather than be lost. The
// restore undoes what was swapped in even when a rescan rebuilt the mod list.
TEST_F(FrmLaunchTest, LeftoverBackupWinsAndAReadOnlyCopyStays) {
    WriteBytes(game / "Data\\Art\\t.tga", "game");
    WriteBytes(game / "Data\\Art.original\\t.tga", "older");
    WriteBytes(game / "r.ini", "game");
    WriteBytes(mods / "Art\\t.tga", "mod");
    WriteBytes(mods / "Art\\x.tga", "mod x");
    WriteBytes(mods / "r.ini", "mod");
    SetAttributes(mods / "r.ini", FILE_ATTRIBUTE_READONLY);
    WriteBytes(mods / "b.ini", "b");
    form.LaunchApplication(kZeroHour, "", AddMod({mods / "Art", szGame + "Data", mods / "r.ini", game.Path(),
                                                  mods / "b.ini", szGame + "New\\Sub"}));

    const StandInReport seen = WaitForStandInReport(standIn.szReport);
    EXPECT_EQ(seen.gameFolder.at("Data\\Art\\t.tga"), "mod");  // merged into the game's own folder
    EXPECT_EQ(seen.gameFolder.at("Data\\Art\\x.tga"), "mod x");
    EXPECT_EQ(seen.gameFolder.at("r.ini"), "mod");
    Tick();  // still running: no trace
    EXPECT_EQ(Log().size(), 15u);
    EXPECT_EQ(lEnded, 0);
    state.ClearMods();
    AddMod({mods / "r.ini", szGame + "Data"});  // another mod at the same index
    EndGame(false);

    const std::string szArt = szGame + "Data\\Art", szIni = game / "r.ini";
    EXPECT_EQ(Log(6), (Lines{"Swap MOD files and folders with originals.", szArt + ".original", szArt,
                             szIni + ".original", szIni, szGame + "New\\Sub\\b.ini", "", "Launching...",
                             szGame + "Generals.exe -mod Mod.big", "",
                             "Cleanup, restoring original files and folders.", "Deleting swapped folder:",
                             szGame + "New\\Sub", "Deleting swapped folder:", szGame + "New",
                             "Deleting swapped folder:", szArt, "Restoring original folder:", szArt,
                             "Deleting swapped file:", szIni, "Restoring original folder:", szIni, "END"}));
    EXPECT_EQ(GameTree(), (TreeSnapshot{{"Data", "<folder>"}, {"Data\\Art", "<folder>"},
                                        {"Data\\Art\\t.tga", "older"}, {"r.ini", "mod"},
                                        {"r.ini.original", "game"}}));
    EXPECT_TRUE(CloseEnabled());
    EXPECT_EQ(lEnded, 1);
}

TEST_F(FrmLaunchTest, SourcesWithADotAreLookedForAsFiles) {
    MakeFolders(mods / "Art.Pack\\Textures");
    const std::string szFileError = "ERROR: This file does not exist, please check configuration ZCF file with NotePad!";
    form.LaunchApplication(kZeroHour, "", AddMod({mods / "gone.ini", game.Path(), mods / "Art.Pack\\Textures", szGame}));

    EXPECT_EQ(Log(2), (Lines{"Checking..." + mods / "gone.ini", szFileError,
                             "Checking..." + mods / "Art.Pack\\Textures", szFileError}));
    EXPECT_TRUE(CloseEnabled());
    EXPECT_EQ(lEnded, 1);
    EXPECT_FALSE(Present(standIn.szReport));
}

// 259 is also the code a process that is still running reports.
TEST_F(FrmLaunchTest, LaunchesAppendToOneLogUntilClosedAndA259ExitEndsTheWatch) {
    ScopedEnvironment exitCode{"STANDIN_EXIT_CODE", "259"};
    form.LaunchApplication(kZeroHour, " -nologo ", -1);
    SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box and Alt+F4
    form.LaunchApplication(kZeroHour, " -win", -1);           // a second launch meanwhile
    ASSERT_TRUE(form.IsLoaded());
    EndGame();
    const Lines one = {"This is what is happening...", "", "Launching...", szGame + "Generals.exe -nologo ", "", "END"};
    EXPECT_EQ(Log(), one);
    form.LaunchApplication(kZeroHour, " -nologo ", -1);
    EndGame();
    EXPECT_EQ(Log(6), one);
    EXPECT_EQ(lEnded, 2);

    // The newest line stays in view however long the log grows.
    for (int i = 0; i < 80; ++i) form.DisplayMsg("line " + std::to_string(i));
    RECT rcItem{}, rcList{};
    SendMessageA(Child("LISTBOX"), LB_GETITEMRECT, 12 + 79, reinterpret_cast<LPARAM>(&rcItem));
    GetClientRect(Child("LISTBOX"), &rcList);
    EXPECT_GE(rcItem.top, 0);
    EXPECT_LE(rcItem.bottom, rcList.bottom);
    // A line wider than the list can be scrolled to its end.
    form.DisplayMsg(std::string(400, 'W'));
    EXPECT_GT(SendMessageA(Child("LISTBOX"), LB_GETHORIZONTALEXTENT, 0, 0), rcList.right + 400);

    SendMessageA(Child("BUTTON"), BM_CLICK, 0, 0);
    EXPECT_FALSE(form.IsLoaded());
    form.LaunchApplication(kZeroHour, " -nologo ", -1);  // a new window, a new log
    EndGame();
    EXPECT_EQ(Log(), one);
}

TEST_F(FrmLaunchTest, GameThatCannotStartHasItsSwapUndoneAtOnce) {
    DeleteFileA((game / "Generals.exe").c_str());
    WriteBytes(game / "a.ini", "game");
    WriteBytes(mods / "a.ini", "mod");
    const TreeSnapshot before = GameTree();
    form.LaunchApplication(kZeroHour, "", AddMod({mods / "a.ini", game.Path()}));

    EXPECT_EQ(Log(10), (Lines{"ERROR:During launch, cannot create process!", "",
                              "Cleanup, restoring original files and folders.", "Deleting swapped file:",
                              game / "a.ini", "Restoring original folder:", game / "a.ini", "END"}));
    EXPECT_EQ(GameTree(), before);
    EXPECT_TRUE(CloseEnabled());
    EXPECT_TRUE(boxes.shown.empty());
}

// The second copy fails because a leftover backup kept the target in place.
TEST_F(FrmLaunchTest, FailedCopyShowsTheErrorAndLeavesTheSwapAsItIs) {
    WriteBytes(game / "a.ini", "game");
    WriteBytes(game / "a.ini.original", "older");
    WriteBytes(mods / "a.ini", "mod");
    WriteBytes(mods / "b.ini", "b");
    form.LaunchApplication(kZeroHour, "", AddMod({mods / "b.ini", game.Path(), mods / "a.ini", game.Path()}));

    EXPECT_EQ(Log(6), (Lines{game / "b.ini", game / "a.ini.original", game / "a.ini"}));
    EXPECT_EQ(boxes.shown, kLaunchErrorBox);
    EXPECT_TRUE(CloseEnabled());
    EXPECT_FALSE(form.IsWatching());
    EXPECT_EQ(lEnded, 1);
    EXPECT_EQ(ReadBytes(game / "b.ini"), "b");  // what was done stays
    EXPECT_EQ(ReadBytes(game / "a.ini"), "game");
}

// A drive that goes away: the restore still does every step it can; the swap
// stops at the first failure.
TEST_F(FrmLaunchTest, FailingExistenceTestStopsTheSwapButNotTheRestore) {
    WriteBytes(game / "a.ini", "game");
    WriteBytes(mods / "a.ini", "mod");
    WriteBytes(mods / "b.ini", "b");
    const int16_t dMod = AddMod({mods / "a.ini", game.Path(), mods / "b.ini", szGame + "New\\Sub"});
    const TreeSnapshot before = GameTree();
    form.LaunchApplication(kZeroHour, "", dMod);
    files.szBroken = szGame + "New\\Sub";
    EndGame();
    EXPECT_EQ(Log(Log().size() - 7),
              (Lines{"Deleting swapped folder:", szGame + "New", "Deleting swapped file:", game / "a.ini",
                     "Restoring original folder:", game / "a.ini", "END"}));
    EXPECT_EQ(GameTree(), before);

    files.szBroken = szGame + "New";
    form.LaunchApplication(kZeroHour, "", dMod);
    EXPECT_EQ(Log().back(), game / "a.ini");  // nothing logged for the failure itself
    EXPECT_EQ(boxes.shown, kLaunchErrorBox);
}

TEST_F(FrmLaunchTest, RowsAndModsOutOfRangeEndInTheErrorHandling) {
    const struct {
        int16_t dGame, dMod;
        Lines log;
    } cases[] = {{4, -1, {}}, {-1, -1, {}}, {kZeroHour, 1, {"This is what is happening..."}}};
    for (const auto& c : cases) {
        boxes.shown.clear();
        form.LaunchApplication(c.dGame, "", c.dMod);
        EXPECT_EQ(Log(), c.log) << c.dGame << " " << c.dMod;
        EXPECT_EQ(boxes.shown, kLaunchErrorBox);
        EXPECT_TRUE(CloseEnabled());
        SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(Present(standIn.szReport));
}

}  // namespace
}  // namespace corvane
