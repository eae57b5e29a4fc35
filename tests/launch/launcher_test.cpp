// The launch's rules before the swap, in memory: what refuses a launch and
// how, and what stands in a launch's way, in its order.
#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "launch/folder_locks.h"
#include "launch/launcher_fixture.h"

namespace corvane::test {
namespace {

TEST_F(LauncherTest, RefusalsTouchNothing) {
    const struct {
        const char* szWhat;
        std::function<void(LauncherTest&)> arrange;
        int16_t dGame, dMod;
        Boxes boxes;
        Lines log;
        bool bUnloaded;
    } cases[] = {
        {"unpatched Generals", [](LauncherTest& t) { t.run.state.GameTable[kGenerals].dVerMinor = 3; },
         kGenerals, 0, {{kNotPatched, kMsgOkOnly | kMsgCritical}}, {}, true},
        {"a launch from this program folder",
         [](LauncherTest& t) { t.fakes.locks.held.insert(ProgramLockName(t.fakes.disk, t.fakes.problems, kProgramFolder + "\\")); },
         kGenerals, 0, {{kAnother, kMsgOkOnly}}, {}, true},
        {"a launch from another folder into the same game folder",
         [](LauncherTest& t) { t.fakes.locks.held.insert(FolderLockName(t.fakes.disk, t.fakes.problems, "c:\\GAMES\\gen\\")); },
         kGenerals, 0, {{kAnother, kMsgOkOnly}}, {}, true},
        // Every folder the mod writes is locked: the game installation it
        // lies in, or the folder itself outside every installation.
        {"a launch into the other game's folder the mod writes into", [](LauncherTest& t) {
             t.run.state.GameTable[kZeroHour].szInstallPath = "C:\\Games\\ZH\\";
             t.run.state.ModList[0].AddEntry("D:\\Mod\\a.ini", "C:\\Games\\ZH\\Data\\INI");
             t.fakes.locks.held.insert(FolderLockName(t.fakes.disk, t.fakes.problems, "c:\\games\\zh"));
         }, kGenerals, 0, {{kAnother, kMsgOkOnly}}, {}, true},
        {"a launch into a folder outside the games the mod writes into", [](LauncherTest& t) {
             t.run.state.ModList[0].AddEntry("D:\\Mod\\a.ini", "E:\\Tools\\Maps");
             t.fakes.locks.held.insert(VolumeLockName(t.fakes.disk, t.fakes.problems, "e:\\other\\"));
         }, kGenerals, 0, {{kAnother, kMsgOkOnly}}, {}, true},
        // The copies would fill the game's drive: stopped before the swap.
        {"a mod larger than the free space", [](LauncherTest& t) { t.fakes.disk.SetFree("c:", 13); }, kGenerals, 0,
         {{kError, kMsgOkOnly}},
         Checked({"ERROR: There is not enough free space on c:\\ for this mod: it needs 14 bytes and 13 bytes are free."}),
         false},
        {"no such game row", [](LauncherTest&) {}, 4, -1, {{kError, kMsgOkOnly}}, {}, false},
        {"no such mod", [](LauncherTest&) {}, kGenerals, 1, {{kError, kMsgOkOnly}}, {"This is what is happening..."}, false},
        // Merged into, the game's current folder would have no backup.
        {"an older backup in the way of a folder entry",
         [](LauncherTest& t) { t.run.state.ModList[0].AddEntry("D:\\Mod\\Art", G + "\\Data"); }, kGenerals, 0, {},
         Checked({"Checking...D:\\Mod\\Art", "ERROR: An older backup is in the way, please move it away first:",
                  G + "\\Data\\Art.original"}),
         false},
        // However it is spelt, a folder copied into one inside itself would never end.
        {"a folder entry into a folder inside its source",
         [](LauncherTest& t) { t.run.state.ModList[0].AddEntry("c:\\games\\GEN\\Data", G + "\\Data\\INI"); },
         kGenerals, 0, {},
         Checked({"Checking...c:\\games\\GEN\\Data",
                  "ERROR: This folder would be copied into itself, please check configuration ZCF file with NotePad!"}),
         false},
        // A source folder with a dot in its name is looked for as a file,
        // which it is not; Windows reads a "/" in a name as a backslash, and
        // the copy would climb out of its destination. Both are refused
        // before anything is swapped.
        {"a source folder with a dot in its name", [](LauncherTest& t) { t.run.state.ModList[0].AddEntry("D:\\Mod\\Art.Pack", G); },
         kGenerals, 0, {}, Checked({"Checking...D:\\Mod\\Art.Pack", kNoFile}), false},
        {"a source's name", [](LauncherTest& t) { t.run.state.ModList[0].AddEntry("D:\\Mod\\Art\\x/../b.tga", G); }, kGenerals, 0,
         {}, Checked({"Checking...D:\\Mod\\Art\\x/../b.tga", kBadName}), false},
        {"missing sources", [](LauncherTest& t) { t.fakes.disk.DeleteFile("D:\\Mod\\a.ini", true); }, kGenerals, 0, {},
         {"This is what is happening...", "Checking for existance of all source folders and files in configuration.",
          "Checking...D:\\Mod\\a.ini", kNoFile,
          "Checking...D:\\Mod\\Art.Pack\\t.tga"}, false},
    };
    const ModConfig mod = run.state.ModList[0];
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szWhat);
        run.state.ModList[0] = mod;
        fakes.disk.SetFree("c:", 1 << 30);
        fakes.locks.held.clear();
        fakes.boxes.shown.clear();
        run.window = RecordingWindow{};
        run.state.GameTable[kGenerals].dVerMinor = 8;
        c.arrange(*this);
        run.launcher.LaunchApplication(c.dGame, "", c.dMod);
        EXPECT_EQ(fakes.boxes.shown, c.boxes);
        EXPECT_EQ(Log(), c.log);
        EXPECT_EQ(run.window.bUnloaded, c.bUnloaded);
        ExpectNothingDone();
    }
}

// Before anything is touched, in this order: the entries' refusals, a
// folder outside the game's that Windows will not let Corvane write, the
// offer of administrator rights (for the game's folders only), and the
// question whether to write outside the game's folders.
TEST_F(LauncherTest, WhatStandsInALaunchsWayComesInItsOrder) {
    const std::string kNoRights = "ERROR: Windows does not let Corvane write here, and Corvane asks for administrator "
                                  "rights only for the game's folders:";
    const std::string kStopped =
        "ERROR: The launch was stopped before anything was touched: the mod writes outside the game's folders.";
    const std::string kAsk = "This mod writes outside the game's folders:\r";
    const std::string kAskEnd = "\r\rOnly go on if you trust where the mod came from. Go on?";
    const uint32_t kAskStyle = kMsgYesNo | kMsgExclamation | kMsgDefaultButton2;
    const struct {
        const char* szWhat;
        std::string szDestination;  // of one more entry
        std::set<std::string> szRefused;
        bool bAdministrator;
        std::deque<int> answers;
        Lines lastLines;
        Boxes boxes;
        bool bPlays;
        bool bRestarts = false;
        std::string szGameFolder = G + "\\";
    } cases[] = {
        {"a destination that is no full path", "Data\\INI", {G}, false, {},
         {"Checking...D:\\Mod\\a.ini", "ERROR: This destination is not a full path, please check configuration ZCF file with NotePad!"},
         {}, false},
        {"outside, where Windows will not let Corvane write", "E:\\Locked", {"E:\\Locked", G}, false, {},
         {kNoRights, "E:\\Locked"}, {}, false},
        {"the game's folder is Windows', a restart answered Yes", "E:\\Open", {G}, false, {kAnswerYes},
         {"ERROR: Windows does not let Corvane change " + G + "\\ without administrator rights."},
         {{"Windows does not let Corvane change the game folder:\r" + G + "\\\r\rRestart Corvane as administrator?",
           kMsgYesNo | kMsgQuestion}}, false, true},
        {"climbing out of the game's folder, answered No", G + "\\..\\Out", {}, false, {kAnswerNo}, {kStopped},
         {{kAsk + "C:\\Games\\Out" + kAskEnd, kAskStyle}}, false},
        {"outside, as administrator, answered Yes", "E:\\Open", {G}, true, {kAnswerYes}, {},
         {{kAsk + "E:\\Open" + kAskEnd, kAskStyle}}, true},
        // Nothing of a drive counts as the folder of a game in its root: what
        // the mod writes there is asked about, and no rights are offered.
        {"a game in a drive's root", "E:\\Open", {"C:\\"}, false, {kAnswerNo}, {kStopped},
         {{kAsk + G + "\\Data\rE:\\Open" + kAskEnd, kAskStyle}}, false, false, "C:\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szWhat);
        FakePlatform world;
        world.disk.AddFile(G + "\\Generals.exe", "game");
        world.disk.AddFile("D:\\Mod\\a.ini", "mod's a");
        world.disk.AddFolder("E:\\Locked");
        world.rights.szRefused = c.szRefused;
        world.rights.bAdministrator = c.bAdministrator;
        world.boxes.answers = c.answers;
        ProgramRun launch(world, {ModOf({"D:\\Mod\\a.ini", G + "\\Data", "D:\\Mod\\a.ini", c.szDestination})});
        launch.state.GameTable[kGenerals].szInstallPath = c.szGameFolder;
        const Tree before = world.disk.Tree("C:\\"), outside = world.disk.Tree("E:\\");
        launch.launcher.LaunchApplication(kGenerals, "", 0);
        EXPECT_EQ(world.boxes.shown, c.boxes);
        EXPECT_EQ(!world.processes.started.empty(), c.bPlays);
        if (c.bPlays) {
            EXPECT_EQ(world.disk.Tree("E:\\Open").at("a.ini"), "mod's a");
            launch.EndGame(world);
            EXPECT_EQ(world.disk.Tree("E:\\"), outside) << "what it made outside goes too";
            continue;
        }
        const Lines& lines = launch.window.lines;
        EXPECT_EQ(Lines(lines.end() - static_cast<long>(c.lastLines.size()), lines.end()), c.lastLines);
        EXPECT_EQ(world.disk.Tree("C:\\"), before);
        // A copy with administrator rights takes over, free to launch.
        EXPECT_EQ(world.rights.lRestarts, c.bRestarts ? 1 : 0);
        EXPECT_EQ(launch.window.bProgramEnded, c.bRestarts);
        EXPECT_TRUE(c.bRestarts ? world.locks.held.empty() : launch.window.bCloseEnabled);
    }
}

}  // namespace
}  // namespace corvane::test
