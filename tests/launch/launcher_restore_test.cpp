// The launcher's way back, in memory: a swap that failed, a game that
// cannot start, the restore after the game and what it keeps, and a
// journal that cannot be had.
#include <gtest/gtest.h>

#include "launch/launcher_fixture.h"

namespace corvane::test {
namespace {

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

}  // namespace
}  // namespace corvane::test
