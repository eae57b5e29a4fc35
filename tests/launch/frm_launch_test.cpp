// The launch window driven through its messages, with real files in scratch
// folders and the stand-in game started for real.
#include "launch/frm_launch.h"

#include <gtest/gtest.h>

#include "launch/launch_timer.h"
#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "platform/win_file_system_object.h"
#include "platform/win_process.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "ui/message_loop.h"

namespace corvane {
namespace {

using namespace corvane::test;
using Lines = std::vector<std::string>;

struct RecordingBoxes : MessageBoxes {
    std::vector<std::pair<std::string, uint32_t>> shown;
    int Show(const std::string& szPrompt, uint32_t lStyle) override {
        shown.emplace_back(szPrompt, lStyle);
        return kAnswerOk;
    }
};
struct NoSound : SoundPlayer {
    void Play(const std::string&) override {}
};
struct NoBrowser : Browser {
    void Open(const std::string&) override {}
};

// The real file system, except that testing whether szBroken exists fails,
// as it does on a drive that went away.
struct FlakyFiles : WinFileSystem {
    std::string szBroken;
    bool Exists(const std::string& szPath) override {
        if (szPath == szBroken) throw PlatformError("GetFileAttributesA", szPath, ERROR_DEV_NOT_EXIST);
        return WinFileSystem::Exists(szPath);
    }
};

Lines Join(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class FrmLaunchTest : public ::testing::Test {
protected:
    FrmLaunchTest() {
        CopyFileA(CORVANE_TEST_STAND_IN_GAME, (game / "Generals.exe").c_str(), FALSE);
        for (int16_t dRow : {kGenerals, kZeroHour}) {
            state.GameTable[dRow].szInstallPath = szGame;
            state.GameTable[dRow].dVerMinor = 8;
        }
        form.onLaunchEnded = [this] { ++lEnded; };
    }
    ~FrmLaunchTest() override {
        if (form.IsWatching()) EndGame();
    }

    int16_t AddMod(const Lines& szPairs, bool bFolderMod = false, const std::string& szModFile = "Mod.big") {
        ModConfig mod;
        mod.bFolderMod = bFolderMod;
        mod.szModFile = szModFile;
        for (size_t i = 0; i + 1 < szPairs.size(); i += 2) mod.AddEntry(szPairs[i], szPairs[i + 1]);
        state.AppendMod(mod);
        return static_cast<int16_t>(state.dModCount - 1);
    }
    HWND Child(const char* szClass) const { return FindWindowExA(form.Handle(), nullptr, szClass, nullptr); }
    Lines Log() const {
        Lines szLines;
        HWND hList = Child("LISTBOX");
        const int lCount = static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < lCount; ++i) {
            char szItem[1024] = {};
            SendMessageA(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(szItem));
            szLines.push_back(szItem);
        }
        return szLines;
    }
    bool CloseEnabled() const { return IsWindowEnabled(Child("BUTTON")) != FALSE; }
    void Tick() { SendMessageA(form.Handle(), WM_TIMER, kTmrRestoreId, 0); }
    // Lets the stand-in end and ticks until the watch sees it.
    void EndGame() {
        WriteBytes(szEndFlag, "");
        for (int i = 0; i < 1000 && form.IsWatching(); ++i) {
            Sleep(20);
            Tick();
        }
        ASSERT_FALSE(form.IsWatching());
    }
    // The game folder without the game itself, whose bytes make unreadable messages.
    TreeSnapshot GameTree() const {
        TreeSnapshot tree = SnapshotTree(game.Path());
        tree.erase("Generals.exe");
        return tree;
    }
    Lines LaunchLines(const std::string& szArgs) const {
        return {"", "Launching...", szGame + "Generals.exe" + szArgs};
    }

    TempFolder game, mods, scratch;
    const std::string szGame = game.Path() + "\\";
    const std::string szEndFlag = scratch / "end";
    const std::string szReport = scratch / "report";
    ScopedEnvironment waitFor{"STANDIN_WAIT_FOR", szEndFlag};
    ScopedEnvironment report{"STANDIN_REPORT", szReport};
    ProgramState state;
    FlakyFiles files;
    WinFileSystemObject fso;
    WinProcessStarter processes;
    RecordingBoxes boxes;
    NoSound sounds;
    NoBrowser browser;
    frmLaunch form{state, Platform{files, fso, processes, boxes, sounds, browser}};
    int lEnded = 0;
};

TEST_F(FrmLaunchTest, OneFileLaunchSwapsWatchesAndRestoresTheGameFolderExactly) {
    WriteBytes(game / "Data\\a.ini", "game");
    WriteBytes(mods / "a.ini", "mod");
    const int16_t dMod = AddMod({mods / "a.ini", szGame + "Data"});
    const TreeSnapshot before = GameTree();

    form.LaunchApplication(kZeroHour, " -win", dMod);
    ASSERT_TRUE(form.IsWatching());
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(CloseEnabled());
    const StandInReport seen = WaitForStandInReport(szReport);
    EXPECT_EQ(seen.gameFolder.at("Data\\a.ini"), "mod");
    EXPECT_EQ(seen.gameFolder.at("Data\\a.ini.original"), "game");
    EXPECT_NE(seen.szCommandLine.find("Generals.exe -win -mod Mod.big"), std::string::npos) << seen.szCommandLine;
    Tick();  // still running: no trace
    EXPECT_EQ(Log().size(), 10u);
    EXPECT_EQ(lEnded, 0);
    EndGame();

    const std::string szTarget = szGame + "Data\\a.ini";
    EXPECT_EQ(Log(), Join(Join({"This is what is happening...",
                                "Checking for existance of all source folders and files in configuration.",
                                "Checking..." + mods / "a.ini", "", "Swap MOD files and folders with originals.",
                                szTarget + ".original", szTarget},
                               LaunchLines(" -win -mod Mod.big")),
                          {"", "Cleanup, restoring original files and folders.", "Deleting swapped file:",
                           szTarget, "Restoring original folder:", szTarget, "END"}));
    EXPECT_EQ(GameTree(), before);
    EXPECT_TRUE(CloseEnabled());
    EXPECT_EQ(lEnded, 1);
}

TEST_F(FrmLaunchTest, ExistingBackupsKeepTheirPlaceAndCreatedFoldersGoInnermostFirst) {
    WriteBytes(game / "Data\\Art\\t.tga", "game");
    WriteBytes(game / "Data\\Art.original\\t.tga", "older");
    WriteBytes(mods / "Art\\t.tga", "mod");
    WriteBytes(mods / "Art\\x.tga", "mod x");
    WriteBytes(mods / "b.ini", "b");
    const int16_t dMod = AddMod({mods / "Art", szGame + "Data", mods / "b.ini", szGame + "New\\Sub"});
    form.LaunchApplication(kZeroHour, "", dMod);

    const StandInReport seen = WaitForStandInReport(szReport);
    EXPECT_EQ(seen.gameFolder.at("Data\\Art\\t.tga"), "mod");  // merged into the game's own folder
    EXPECT_EQ(seen.gameFolder.at("Data\\Art\\x.tga"), "mod x");
    EXPECT_EQ(seen.gameFolder.at("New\\Sub\\b.ini"), "b");
    EndGame();

    const std::string szArt = szGame + "Data\\Art";
    const Lines log = Log();
    EXPECT_EQ(Lines(log.begin() + 5, log.begin() + 9),
              (Lines{"Swap MOD files and folders with originals.", szArt + ".original", szArt,
                     szGame + "New\\Sub\\b.ini"}));
    EXPECT_EQ(Lines(log.begin() + 12, log.end()),
              (Lines{"", "Cleanup, restoring original files and folders.", "Deleting swapped folder:",
                     szGame + "New\\Sub", "Deleting swapped folder:", szGame + "New",
                     "Deleting swapped folder:", szArt, "Restoring original folder:", szArt, "END"}));
    // The older backup was the game's true original: it is what comes back.
    EXPECT_EQ(GameTree(),
              (TreeSnapshot{{"Data", "<folder>"}, {"Data\\Art", "<folder>"}, {"Data\\Art\\t.tga", "older"}}));
}

TEST_F(FrmLaunchTest, FolderModPlacesItemsAtTheirOwnPathsInTheGameFolder) {
    WriteBytes(game / "Data\\INI\\w.ini", "game");
    WriteBytes(mods / "Data\\INI\\w.ini", "mod");
    WriteBytes(mods / "Maps\\m.map", "map");
    const int16_t dMod = AddMod({mods / "Data\\INI\\w.ini", "Data\\INI\\w.ini", mods / "Maps", "Maps"}, true, "");
    const TreeSnapshot before = GameTree();
    form.LaunchApplication(kZeroHour, "", dMod);

    const StandInReport seen = WaitForStandInReport(szReport);
    EXPECT_EQ(seen.gameFolder.at("Data\\INI\\w.ini"), "mod");
    EXPECT_EQ(seen.gameFolder.at("Maps\\m.map"), "map");
    EndGame();
    const Lines log = Log();
    EXPECT_EQ(Lines(log.begin() + 9, log.begin() + 12), LaunchLines(""));  // no " -mod "
    const std::string szIni = szGame + "Data\\INI\\w.ini";
    EXPECT_EQ(Lines(log.end() - 7, log.end()),
              (Lines{"Deleting swapped file:", szIni, "Restoring original folder:", szIni,
                     "Deleting swapped folder:", szGame + "Maps", "END"}));
    EXPECT_EQ(GameTree(), before);
}

TEST_F(FrmLaunchTest, ReadOnlyCopyStaysAndTheOriginalKeepsItsBackupName) {
    WriteBytes(game / "r.ini", "game");
    WriteBytes(mods / "r.ini", "mod");
    SetAttributes(mods / "r.ini", FILE_ATTRIBUTE_READONLY);
    form.LaunchApplication(kZeroHour, "", AddMod({mods / "r.ini", game.Path()}));
    EndGame();
    const std::string szTarget = game / "r.ini";
    const Lines log = Log();
    EXPECT_EQ(Lines(log.end() - 6, log.end()), (Lines{"Cleanup, restoring original files and folders.",
                                                      "Deleting swapped file:", szTarget,
                                                      "Restoring original folder:", szTarget, "END"}));
    EXPECT_EQ(ReadBytes(szTarget), "mod");
    EXPECT_EQ(ReadBytes(szTarget + ".original"), "game");
    EXPECT_TRUE(CloseEnabled());
}

TEST_F(FrmLaunchTest, MissingSourcesAreAllReportedAndNothingIsTouched) {
    WriteBytes(mods / "here.ini", "x");
    MakeFolders(mods / "Here");
    MakeFolders(mods / "Art.Pack\\Textures");
    const std::string szFileError = "ERROR: This file does not exist, please check configuration ZCF file with NotePad!";
    const std::string szFolderError =
        "ERROR: This folder does not exist, please check configuration ZCF file with NotePad!";
    const Lines szSources = {mods / "here.ini", mods / "gone.ini", mods / "Here", mods / "Gone",
                             mods / "Art.Pack\\Textures"};
    Lines szPairs;
    for (const std::string& szSrc : szSources) szPairs.insert(szPairs.end(), {szSrc, szGame + "Data"});
    const TreeSnapshot before = GameTree();
    form.LaunchApplication(kZeroHour, "", AddMod(szPairs));

    EXPECT_EQ(Log(), (Lines{"This is what is happening...",
                            "Checking for existance of all source folders and files in configuration.",
                            "Checking..." + szSources[0], "Checking..." + szSources[1], szFileError,
                            "Checking..." + szSources[2], "Checking..." + szSources[3], szFolderError,
                            "Checking..." + szSources[4], szFileError}));
    EXPECT_FALSE(form.IsWatching());
    EXPECT_TRUE(CloseEnabled());
    EXPECT_EQ(lEnded, 1);
    EXPECT_FALSE(Present(szReport));
    EXPECT_EQ(GameTree(), before);
}

TEST_F(FrmLaunchTest, GeneralsBelowPatch104IsRefusedWithoutAWindow) {
    state.GameTable[kGenerals].dVerMinor = 3;
    form.LaunchApplication(kGenerals, "", -1);
    EXPECT_EQ(boxes.shown, (std::vector<std::pair<std::string, uint32_t>>{
                               {"You need patch 1.04 minimum in order to play mods with Generals",
                                kMsgOkOnly | kMsgCritical}}));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(lEnded, 1);
    EXPECT_FALSE(Present(szReport));
}

TEST_F(FrmLaunchTest, LaunchesWithoutModAppendToTheLogAndA259ExitEndsTheWatch) {
    WriteBytes(szEndFlag, "");
    ScopedEnvironment exitCode{"STANDIN_EXIT_CODE", "259"};
    const Lines one = Join(Join({"This is what is happening..."}, LaunchLines(" -nologo ")), {"", "END"});
    for (int lRun = 1; lRun <= 2; ++lRun) {
        form.LaunchApplication(kGenerals, " -nologo ", -1);
        EndGame();
        EXPECT_EQ(lEnded, lRun);
    }
    EXPECT_EQ(Log(), Join(one, one));
}

TEST_F(FrmLaunchTest, CloseRequestsAreRefusedWhileTheGameIsWatched) {
    form.LaunchApplication(kZeroHour, "", -1);
    const size_t lLines = Log().size();
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box and Alt+F4
    form.LaunchApplication(kZeroHour, " -win", -1);           // a second launch meanwhile
    ASSERT_TRUE(form.IsLoaded());
    EXPECT_EQ(Log().size(), lLines);
    EndGame();

    SendMessageA(Child("BUTTON"), BM_CLICK, 0, 0);
    EXPECT_FALSE(form.IsLoaded());
    WriteBytes(szEndFlag, "");
    form.LaunchApplication(kZeroHour, "", -1);  // a new window, a new log
    EXPECT_EQ(Log(), Join({"This is what is happening..."}, LaunchLines("")));
    EndGame();
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.IsLoaded());
}

TEST_F(FrmLaunchTest, GameThatCannotStartHasItsSwapUndoneAtOnce) {
    DeleteFileA((game / "Generals.exe").c_str());
    WriteBytes(game / "a.ini", "game");
    WriteBytes(mods / "a.ini", "mod");
    const TreeSnapshot before = GameTree();
    form.LaunchApplication(kZeroHour, "", AddMod({mods / "a.ini", game.Path()}));

    const Lines log = Log();
    EXPECT_EQ(Lines(log.begin() + 10, log.end()),
              (Lines{"ERROR:During launch, cannot create process!", "",
                     "Cleanup, restoring original files and folders.", "Deleting swapped file:", game / "a.ini",
                     "Restoring original folder:", game / "a.ini", "END"}));
    EXPECT_EQ(GameTree(), before);
    EXPECT_TRUE(CloseEnabled());
    EXPECT_FALSE(form.IsWatching());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FrmLaunchTest, FailedCopyShowsTheErrorAndLeavesTheSwapAsItIs) {
    WriteBytes(game / "a.ini", "game");
    WriteBytes(game / "a.ini.original", "older");
    WriteBytes(mods / "a.ini", "mod");
    WriteBytes(mods / "b.ini", "b");
    form.LaunchApplication(kZeroHour, "", AddMod({mods / "b.ini", game.Path(), mods / "a.ini", game.Path()}));

    const Lines log = Log();
    EXPECT_EQ(Lines(log.end() - 3, log.end()), (Lines{game / "b.ini", game / "a.ini.original", game / "a.ini"}));
    EXPECT_EQ(boxes.shown, (std::vector<std::pair<std::string, uint32_t>>{
                               {"An error occurred whilst trying to launch the game!", kMsgOkOnly}}));
    EXPECT_TRUE(CloseEnabled());
    EXPECT_FALSE(form.IsWatching());
    EXPECT_EQ(lEnded, 1);
    EXPECT_EQ(ReadBytes(game / "b.ini"), "b");  // what was done stays
    EXPECT_EQ(ReadBytes(game / "a.ini"), "game");
}

TEST_F(FrmLaunchTest, FailingExistenceTestStopsTheSwapButNotTheRestore) {
    WriteBytes(game / "a.ini", "game");
    WriteBytes(mods / "a.ini", "mod");
    WriteBytes(mods / "b.ini", "b");
    const int16_t dMod = AddMod({mods / "a.ini", game.Path(), mods / "b.ini", szGame + "New\\Sub"});
    const TreeSnapshot before = GameTree();
    files.szBroken = szGame + "New";
    form.LaunchApplication(kZeroHour, "", dMod);
    EXPECT_EQ(Log().back(), game / "a.ini");  // nothing logged for the failure itself
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(form.IsWatching());
    EXPECT_TRUE(CloseEnabled());

    RemoveTree(game / "a.ini");
    MoveFileA((game / "a.ini.original").c_str(), (game / "a.ini").c_str());
    files.szBroken.clear();
    form.LaunchApplication(kZeroHour, "", dMod);
    files.szBroken = szGame + "New\\Sub";
    EndGame();
    const Lines log = Log();
    EXPECT_EQ(Lines(log.end() - 7, log.end()),
              (Lines{"Deleting swapped folder:", szGame + "New", "Deleting swapped file:", game / "a.ini",
                     "Restoring original folder:", game / "a.ini", "END"}));
    EXPECT_EQ(GameTree(), before);
}

TEST_F(FrmLaunchTest, RestoreUndoesTheModAsSwappedInAfterTheListWasRebuilt) {
    WriteBytes(game / "a.ini", "game");
    WriteBytes(game / "Keep\\k.ini", "keep");
    WriteBytes(mods / "a.ini", "mod");
    const TreeSnapshot before = GameTree();
    form.LaunchApplication(kZeroHour, "", AddMod({mods / "a.ini", game.Path()}));
    state.ClearMods();
    AddMod({mods / "Keep", game.Path()});  // a rescan found another mod at the same index
    EndGame();
    EXPECT_EQ(GameTree(), before);
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
        EXPECT_EQ(boxes.shown, (std::vector<std::pair<std::string, uint32_t>>{
                                   {"An error occurred whilst trying to launch the game!", kMsgOkOnly}}));
        EXPECT_TRUE(CloseEnabled());
        SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(Present(szReport));
}

TEST_F(FrmLaunchTest, RealTimerWatchesTheGameThroughTheMessageLoop) {
    ScopedEnvironment runFor{"STANDIN_RUN_MS", "300"};
    WriteBytes(game / "a.ini", "game");
    WriteBytes(mods / "a.ini", "mod");
    const TreeSnapshot before = GameTree();
    form.LaunchApplication(kZeroHour, "", AddMod({mods / "a.ini", game.Path()}));
    WaitForStandInReport(szReport);
    WriteBytes(szEndFlag, "");
    for (int i = 0; i < 500 && form.IsWatching(); ++i) {
        Sleep(20);
        ui::PumpPendingMessages();
    }
    EXPECT_FALSE(form.IsWatching());
    EXPECT_EQ(Log().back(), "END");
    EXPECT_EQ(GameTree(), before);
}

TEST_F(FrmLaunchTest, WindowIsLaidOutInTwipsAndKeepsTheNewestLineInView) {
    WriteBytes(szEndFlag, "");
    form.LaunchApplication(kZeroHour, "", -1);
    EndGame();
    for (int i = 0; i < 80; ++i) form.DisplayMsg("line " + std::to_string(i));
    form.DisplayMsg("");

    HWND hForm = form.Handle();
    char szCaption[64] = {};
    GetWindowTextA(hForm, szCaption, sizeof(szCaption));
    EXPECT_STREQ(szCaption, "Launching...");
    const LONG_PTR lStyle = GetWindowLongPtrA(hForm, GWL_STYLE);
    EXPECT_TRUE(lStyle & WS_SYSMENU);
    EXPECT_FALSE(lStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongPtrA(hForm, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);  // no caption icon
    RECT rcClient{};
    GetClientRect(hForm, &rcClient);
    EXPECT_EQ(rcClient.right, form.Px(8700));
    EXPECT_EQ(rcClient.bottom, form.Px(4185));

    HWND hList = Child("LISTBOX");
    EXPECT_EQ(GetWindow(hForm, GW_CHILD), hList);  // first in tab order
    EXPECT_FALSE(GetWindowLongPtrA(hList, GWL_STYLE) & LBS_SORT);
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hList, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfHeight, -MulDiv(11, static_cast<int>(form.Dpi()), 96));

    const int lCount = static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(lCount, 6 + 81);
    RECT rcItem{}, rcList{};
    SendMessageA(hList, LB_GETITEMRECT, lCount - 1, reinterpret_cast<LPARAM>(&rcItem));
    GetClientRect(hList, &rcList);
    EXPECT_GE(rcItem.top, 0);
    EXPECT_LE(rcItem.bottom, rcList.bottom);
    char szButton[16] = {};
    GetWindowTextA(Child("BUTTON"), szButton, sizeof(szButton));
    EXPECT_STREQ(szButton, "&Close");
}

}  // namespace
}  // namespace corvane
