// The launch's rules around the swap, in memory: what refuses a launch and
// how, what a game that cannot start leaves, what the restore works on, and
// a launch cut short being undone before the next one.
#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "launch/folder_locks.h"
#include "launch/journal/journal_records.h"
#include "launch/journal/launch_journal.h"
#include "launch/targets/launch_rules.h"
#include "launch_world.h"
#include "platform/platform_error.h"

namespace corvane::test {
namespace {

using Lines = std::vector<std::string>;
using Boxes = std::vector<std::pair<std::string, uint32_t>>;
using Tree = std::map<std::string, std::string>;

const std::string G = kGameFolder;
const std::string kNotPatched = "You need patch 1.04 minimum in order to play mods with Generals";
const std::string kError = "An error occurred whilst trying to launch the game!";
const std::string kAnother = "Another Corvane launch is still running. Close it first.";
const std::string kNoFile = "ERROR: This file does not exist, please check configuration ZCF file with NotePad!";
const std::string kBadName =
    "ERROR: This source's name cannot be copied as it is, please check configuration ZCF file with NotePad!";
const Lines kChecked = {"This is what is happening...",
                        "Checking for existance of all source folders and files in configuration.",
                        "Checking...D:\\Mod\\a.ini", "Checking...D:\\Mod\\Art.Pack\\t.tga"};

Lines Checked(const Lines& more) {
    Lines lines = kChecked;
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

struct LauncherTest : ::testing::Test {
    LauncherTest() {
        fakes.disk.AddFile(G + "\\Generals.exe", "game");
        fakes.disk.AddFile(G + "\\Data\\a.ini", "game's a");
        fakes.disk.AddFile("D:\\Mod\\a.ini", "mod's a");
        fakes.disk.AddFile("D:\\Mod\\Art.Pack\\t.tga", "mod's t");
        fakes.disk.AddFile("D:\\Mod\\Art\\b.tga", "mod's b");
        fakes.disk.AddFile(G + "\\Data\\Art\\a.tga", "game's a");
        fakes.disk.AddFile(G + "\\Data\\Art.original\\old.tga", "another tool's backup");
        run.state.AppendMod(ModOf({"D:\\Mod\\a.ini", G + "\\Data", "D:\\Mod\\Art.Pack\\t.tga", G + "\\New\\Sub"}));
        before = fakes.disk.Tree(G);
    }
    const Lines& Log() const { return run.window.lines; }
    // Nothing of the game folder changed, no game ran, and the launch is
    // over: Close can be pressed, unless the window went.
    void ExpectNothingDone() {
        EXPECT_EQ(fakes.disk.Tree(G), before);
        EXPECT_TRUE(fakes.processes.started.empty());
        EXPECT_TRUE(run.window.bCloseEnabled || run.window.bUnloaded);
        EXPECT_EQ(run.window.lEnded, 1);
    }

    FakePlatform fakes;
    ProgramRun run{fakes};
    Tree before;
};

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

// A swap that fails half-way (a backup name taken by a file left long ago)
// stays in the game folder for the player to see until Close.
TEST_F(LauncherTest, ASwapThatFailsHalfWayIsShownUntilCloseAndThenUndone) {
    fakes.disk.AddFile(G + "\\Data\\Art\\b.tga", "game's b");
    fakes.disk.AddFile(G + "\\Data\\Art\\b.tga.original", "left by a launch long ago");
    run.state.ModList[0].AddEntry("D:\\Mod\\Art\\b.tga", G + "\\Data\\Art");
    before = fakes.disk.Tree(G);
    run.launcher.LaunchApplication(kGenerals, "", 0);
    EXPECT_EQ(fakes.boxes.shown, (Boxes{{kError, kMsgOkOnly}}));
    EXPECT_EQ(fakes.disk.Tree(G).at("Data\\a.ini"), "mod's a");
    bool bClosed = false;
    EXPECT_TRUE(run.launcher.UndoBeforeClosing([&] { bClosed = true; }));
    EXPECT_TRUE(bClosed);
    EXPECT_FALSE(fakes.disk.Read());
    ExpectNothingDone();
}

TEST_F(LauncherTest, AGameThatCannotStartHasItsSwapUndoneAtOnce) {
    fakes.processes.bRefuse = true;
    run.launcher.LaunchApplication(kGenerals, "", 0);
    EXPECT_EQ(Lines(Log().begin() + 9, Log().begin() + 15),
              (Lines{"", "Launching...", G + "\\Generals.exe -mod Test.big", "ERROR:During launch, cannot create process!",
                     "", "Cleanup, restoring original files and folders."}));
    EXPECT_EQ(Log().back(), "END");
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_FALSE(fakes.disk.Read()) << "a restore that went through removes the journal";
    ExpectNothingDone();
}

// The restore works on the mod as it was swapped in, even when the mod list
// was rebuilt meanwhile. A copy whose time reads back off is compared with
// its source; while that cannot be read (the mod's folder moved during
// play), the copy cannot be told from one the game rewrote: it stays, with
// the folders that hold it and the game's file under its backup name, and
// the window names it at every start until the source is back.
TEST_F(LauncherTest, TheRestoreUndoesWhatWasSwappedAndACopyItCannotCompareWaitsForItsSource) {
    const std::string kTryAgain = "ERROR: This could not be put back now; Corvane tries again at its next start:";
    run.launcher.LaunchApplication(kGenerals, "", 0);
    EXPECT_EQ(run.window.lDone, run.window.lTotal);
    EXPECT_EQ(run.window.lTotal, 14u) << "bytes to copy";
    EXPECT_TRUE(run.window.bTimer);
    run.state.ClearMods();
    run.state.AppendMod(ModOf({"D:\\Other\\b.ini", G}));
    fakes.disk.ShiftTimes(3600 * 10'000'000ll);
    fakes.disk.RemoveItem("D:\\Mod");
    run.EndGame(fakes);
    EXPECT_EQ(run.window.lDone, 5u) << "restore steps done: three created-folder slots, two entries";
    EXPECT_EQ(Lines(Log().end() - 6, Log().end()), (Lines{"Cleanup, restoring original files and folders.", kTryAgain,
                                                           G + "\\New\\Sub", kTryAgain, G + "\\Data\\a.ini", "END"}));
    const Tree left = fakes.disk.Tree(G);
    ProgramRun later(fakes);  // the next start, the mod still away
    EXPECT_TRUE(later.launcher.RecoverAtStart([](bool) {}));
    EXPECT_EQ(later.window.lines, (Lines{"Restoring the game folder after an unfinished launch.",
                                         "Cleanup, restoring original files and folders.", kTryAgain,
                                         G + "\\New\\Sub\\t.tga", kTryAgain, G + "\\Data\\a.ini", "END"}));
    EXPECT_EQ(fakes.disk.Tree(G), left);
    fakes.disk.AddFile("D:\\Mod\\a.ini", "mod's a");  // the mod is back
    fakes.disk.AddFile("D:\\Mod\\Art.Pack\\t.tga", "mod's t");

    ProgramRun next(fakes, {ModOf({"D:\\Mod\\Art.Pack\\t.tga", G})});
    next.launcher.LaunchApplication(kGenerals, "", 0);
    EXPECT_EQ(Lines(next.window.lines.begin(), next.window.lines.begin() + 13),
              (Lines{"Restoring the game folder after an unfinished launch.",
                     "Cleanup, restoring original files and folders.", "Deleting swapped file:", G + "\\New\\Sub\\t.tga",
                     "Deleting swapped folder:", G + "\\New\\Sub", "Deleting swapped folder:", G + "\\New",
                     "Deleting swapped file:", G + "\\Data\\a.ini", "Restoring original folder:", G + "\\Data\\a.ini",
                     "END"}));
    EXPECT_EQ(next.window.lines.at(13), "This is what is happening...");
    next.EndGame(fakes);
    EXPECT_EQ(fakes.disk.Tree(G), before);
}

// BIG archives are linked where their source and target share a drive that
// holds links; every other file, and an archive that cannot be linked, is
// copied, and Corvane.log tells which and why.
TEST_F(LauncherTest, ArchivesAreLinkedWhereTheDriveAllowsAndEverythingElseIsCopied) {
    fakes.disk.NoLinksOn("e:");
    const struct {
        const char* szSource;
        const char* szTarget;  // below the game folder
        bool bLinked;
    } files[] = {
        {"C:\\Mods\\Tanks.big", "Data\\Tanks.big", true},
        {"C:\\Mods\\Skins.BIG", "Data\\Skins.BIG", true},
        {"C:\\Mods\\Tanks.ini", "Data\\Tanks.ini", false},
        {"D:\\Mod\\Other.big", "Data\\Other.big", false},                // another drive
        {"C:\\Mods\\Pack\\Inner.big", "Data\\Pack\\Inner.big", true},  // in a folder entry
        {"C:\\Mods\\Pack\\Inner.ini", "Data\\Pack\\Inner.ini", false},
    };
    ModConfig mod = ModOf({"C:\\Mods\\Pack", G + "\\Data"});
    for (const auto& file : files) {
        fakes.disk.AddFile(file.szSource, std::string("mod's ") + file.szSource);
        if (std::string(file.szSource).find("Pack") == std::string::npos) mod.AddEntry(file.szSource, G + "\\Data");
    }
    fakes.disk.AddFile("E:\\Mods\\Far.big", "far");
    fakes.disk.AddFolder("E:\\Game");
    mod.AddEntry("E:\\Mods\\Far.big", "E:\\Game");
    run.state.ModList[0] = mod;
    fakes.boxes.answers = {kAnswerYes};  // E:\\Game lies outside the game's folders
    const Tree sources = fakes.disk.Tree("C:\\Mods");
    run.launcher.LaunchApplication(kGenerals, "", 0);
    for (const auto& file : files) {
        EXPECT_EQ(fakes.disk.IsLinked(G + "\\" + file.szTarget), file.bLinked) << file.szSource;
        EXPECT_EQ(fakes.disk.Tree(G).at(file.szTarget), std::string("mod's ") + file.szSource);
    }
    EXPECT_FALSE(fakes.disk.IsLinked("E:\\Game\\Far.big"));
    std::vector<std::string> noted = fakes.problems.noted;  // the swap's, not the loose files'
    std::erase_if(noted, [](const std::string& szNote) { return szNote.rfind("Test: ", 0) != 0; });
    ASSERT_EQ(noted.size(), 3u);
    EXPECT_EQ(noted[0], "Test: The swap linked 3 files and copied 4.");
    EXPECT_EQ(noted[1].rfind("Test: Copied instead of linked: " + G + "\\Data\\Other.big: CreateHardLinkA(", 0), 0u);
    EXPECT_EQ(noted[2].rfind("Test: Copied instead of linked: E:\\Game\\Far.big: CreateHardLinkA(", 0), 0u);
    run.EndGame(fakes);
    EXPECT_EQ(fakes.disk.Tree(G), before);
    EXPECT_EQ(fakes.disk.Tree("C:\\Mods"), sources);
}

// A copy the game rewrote makes way for the game's own file under the first
// ".changed" name that is free, or that holds the same bytes already.
TEST_F(LauncherTest, ACopyTheGameRewroteIsKeptBesideTheGamesFile) {
    const struct {
        const char* szEarlier;  // an earlier .changed file, if any
        const char* szKeptAs;
    } cases[] = {{nullptr, "a.ini.changed"}, {"an older rewrite", "a.ini.changed2"}, {"game's rewrite", "a.ini.changed"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szKeptAs);
        FakePlatform world;
        world.disk.AddFile(G + "\\Data\\a.ini", "game's a");
        world.disk.AddFile("D:\\Mod\\a.ini", "mod's a");
        if (c.szEarlier) world.disk.AddFile(G + "\\Data\\a.ini.changed", c.szEarlier);
        ProgramRun launch(world, {ModOf({"D:\\Mod\\a.ini", G + "\\Data"})});
        launch.launcher.LaunchApplication(kGenerals, "", 0);
        world.disk.WriteItem(G + "\\Data\\a.ini", "game's rewrite");
        launch.EndGame(world);
        const Tree after = world.disk.Tree(G);
        EXPECT_EQ(after.at("Data\\a.ini"), "game's a");
        EXPECT_EQ(after.at(std::string("Data\\") + c.szKeptAs), "game's rewrite");
        EXPECT_EQ(after.size(), c.szEarlier && c.szEarlier != std::string("game's rewrite") ? 4u : 3u);
        EXPECT_EQ(Lines(launch.window.lines.end() - 6, launch.window.lines.end()),
                  (Lines{"Cleanup, restoring original files and folders.", "Restoring original folder:", G + "\\Data\\a.ini",
                         "Kept what was made or changed during play:", G + "\\Data\\" + c.szKeptAs, "END"}));
        EXPECT_EQ(world.problems.noted.back(), "Kept what was made or changed during play: " + G + "\\Data\\" + c.szKeptAs);
        EXPECT_FALSE(world.disk.Read()) << "nothing of it is tried again";
    }
}

TEST_F(LauncherTest, AJournalThatCannotBeHadNowIsLeftAsItIs) {
    run.launcher.LaunchApplication(kGenerals, "", 0);
    for (const bool bUnreadable : {false, true}) {
        SCOPED_TRACE(bUnreadable ? "unreadable" : "another copy runs its launch");
        ProgramRun other(fakes);
        if (bUnreadable) {
            fakes.locks.held.clear();  // the launch's program died
            fakes.disk.FailAt(2);      // reading the journal
        }
        EXPECT_FALSE(other.launcher.RecoverAtStart([](bool) {}));
        fakes.disk.FailAt(-1);
        EXPECT_TRUE(fakes.disk.Read());
        EXPECT_TRUE(other.window.lines.empty());
    }
}

TEST(LaunchJournal, AWriteCutShortIsCutBackBeforeTheNextOne) {
    MemoryDisk disk;
    LaunchJournal journal(disk);
    const std::vector<JournalRecord> records = {RecordOf(JournalStep::kBegin, "C:\\G\\", "x"), GameRecord({42, 7, "Generals.exe"}),
                                                GameRecord({43, 8, "game.dat"})};
    journal.WriteNow(records[0]);
    journal.Note(records[1]);
    disk.FailAt(2, Fault::kShortWrite);
    EXPECT_THROW(journal.Write(), PlatformError);
    journal.WriteNow(records[2]);
    EXPECT_EQ(DecodeJournal(*disk.Read()), records);
}

TEST(LaunchJournal, ReadsBackUpToTheFirstTornOrDamagedRecord) {
    JournalRecord copy = RecordOf(JournalStep::kCopy, "C:\\G\\a", "D:\\a");
    copy.szBackup = "C:\\G\\a.original";
    copy.bWasThere = true;
    copy.stamp = {true, 12, 1234567890123};
    copy.dEntry = 3;
    const std::vector<JournalRecord> records = {RecordOf(JournalStep::kBegin, "C:\\G\\", "x"), copy,
                                                GameRecord({42, 1234567890123, "Generals.exe"})};
    std::string szAll;
    for (const JournalRecord& record : records) szAll += EncodeRecord(record);
    const size_t lSecond = EncodeRecord(records[0]).size();
    std::string szDamaged = szAll;
    szDamaged[lSecond + 12] ^= 1;
    std::string szUnknown = szAll;
    szUnknown[lSecond + 8] = 9;
    const std::pair<std::string, size_t> cases[] = {
        {szAll, 3}, {szAll.substr(0, szAll.size() - 1), 2}, {szAll.substr(0, lSecond + 3), 1},
        {szDamaged, 1}, {szUnknown, 1}, {"", 0},
    };
    for (const auto& [szBytes, lKept] : cases)
        EXPECT_EQ(DecodeJournal(szBytes), std::vector(records.begin(), records.begin() + lKept)) << szBytes.size();
}

// The journal's bytes as this release writes them and as the one before did
// (without the mark of the format): both are read back, and a record read
// from the older journal is written back as it was.
TEST(LaunchJournal, RecordsOfThisAndThePreviousReleaseReadBackFromTheirBytes) {
    using namespace std::string_literals;
    const std::string szFields =  // step, was there, process, start time, then the three paths
        "\x04\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00\x00\x00\x00\x00"
        "\x0a\x00\x00\x00" "C:\\G\\a.ini" "\x0a\x00\x00\x00" "D:\\M\\a.ini"
        "\x13\x00\x00\x00" "C:\\G\\a.ini.original"
        // the stamp (known, size, last write), the entry
        "\x01" "\x07\x00\x00\x00\x00\x00\x00\x00" "\x01\x00\x00\x00\x00\x00\xd0\x01" "\x02\x00"s;
    const struct {
        std::string szBytes;  // the frame (length, checksum), the fields
        uint16_t dFormat;
    } cases[] = {
        {std::string("\x56\x00\x00\x00" "\x53\x96\xf4\xa7", 8) + szFields + std::string("\x03\x00", 2), 3},
        {std::string("\x54\x00\x00\x00" "\xe1\x1b\x2e\xdc", 8) + szFields, 2},
    };
    JournalRecord copy = RecordOf(JournalStep::kCopy, "C:\\G\\a.ini", "D:\\M\\a.ini");
    copy.szBackup = "C:\\G\\a.ini.original";
    copy.stamp = {true, 7, 0x01D0000000000001ull};
    copy.dEntry = 2;
    for (const auto& c : cases) {
        copy.dFormat = c.dFormat;
        EXPECT_EQ(DecodeJournal(c.szBytes), std::vector{copy}) << c.dFormat;
        EXPECT_EQ(EncodeRecord(copy), c.szBytes) << c.dFormat;
    }
}

}  // namespace
}  // namespace corvane::test
