// Nothing a player owns is lost when a launch goes wrong. At every single
// disk call of a launch of a mod whose entries nest, repeat and replace one
// another, the call fails, or writes half of its bytes, or loses its drive,
// or the program dies there; the game deletes one of the copies while it
// runs. The player then closes the launch window and starts the program
// again (with the drive back, if it went): the game folder is what it was,
// byte for byte, and no journal is left.
#include <gtest/gtest.h>

#include <algorithm>

#include "launch_world.h"

namespace corvane::test {
namespace {

using Tree = std::map<std::string, std::string>;

const std::string G = kGameFolder, M = "D:\\Mod", L = "C:\\Mods";

void SetUpDisks(MemoryDisk& disk) {
    for (const char* szFile : {"Generals.exe", "Data\\INI\\GameData.ini", "Data\\INI\\Weapon.ini",
                               "Data\\INI\\Armor.ini", "Data\\Art\\a.tga", "Data\\Art\\b.tga", "Maps\\m.map",
                               "Maps\\old.map"})
        disk.AddFile(G + "\\" + szFile, std::string("game's own ") + szFile);
    disk.AddFile(G + "\\Data\\INI\\Armor.ini.original", "left by a launch long ago");
    disk.AddFile(G + "\\Maps\\old.map.original", "left by a launch long ago");
    for (const char* szFile : {"INI\\GameData.ini", "INI\\New.ini", "INI\\Weapon.ini", "INI\\Armor.ini",
                               "Art\\a.tga", "Art\\c.tga", "Skins\\s1.dds", "Skins\\Sub\\s2.dds", "readme.txt",
                               "m.map", "old.map", "x.ini", "Sounds\\boom.wav"})
        disk.AddFile(M + "\\" + szFile, std::string("mod's ") + szFile);
    // Archives on the game's drive, which the swap links rather than copies.
    for (const char* szFile : {"Tanks.big", "Pack\\Skins.big", "Pack\\Skins.ini"})
        disk.AddFile(L + "\\" + szFile, std::string("mod's ") + szFile);
}

// File entries that replace game files or are new, folder entries that
// replace a game folder or are new, entries inside folders the swap
// creates, one inside a folder an earlier entry copied, a file entry inside
// a folder an earlier entry replaced, one folder entry twice, a folder entry
// that replaces the folder the first entries wrote into, archives that are
// linked, and (last) a file entry whose backup name is already taken, on
// which the swap fails.
ModConfig SweepMod(bool bWithTakenBackup) {
    ModConfig mod = ModOf({M + "\\INI\\GameData.ini", G + "\\Data\\INI",  M + "\\INI\\New.ini", G + "\\Data\\INI",
                           M + "\\Art", G + "\\Data",                     M + "\\Skins", G + "\\Mods\\Deep",
                           M + "\\readme.txt", G + "\\Docs\\Mod",          M + "\\m.map", G + "\\Maps",
                           M + "\\x.ini", G + "\\Mods\\Deep\\Skins",       M + "\\Sounds", G + "\\Data",
                           M + "\\INI\\Weapon.ini", G + "\\Data\\INI",     M + "\\Art\\c.tga", G + "\\Data\\Art",
                           M + "\\Art", G + "\\Data",                     L + "\\Tanks.big", G + "\\Data",
                           L + "\\Pack", G + "\\Mods",                    M + "\\INI", G + "\\Data"});
    if (bWithTakenBackup) mod.AddEntry(M + "\\old.map", G + "\\Maps");
    return mod;
}

enum class Way { kFail, kShortWrite, kDriveGone, kCrash };

// The launch runs to its end, and the player closes its window, unless the
// program dies at call lAt; false when fewer calls were made.
bool LaunchGoingWrongAt(FakePlatform& fakes, const ModConfig& mod, Way way, int lAt) {
    ProgramRun run(fakes, {mod});
    if (way == Way::kCrash)
        fakes.disk.CrashAt(lAt);
    else
        fakes.disk.FailAt(lAt, way == Way::kFail ? Fault::kError : way == Way::kShortWrite ? Fault::kShortWrite
                                                                                           : Fault::kDriveGone);
    try {
        run.launcher.LaunchApplication(kGenerals, "", 0);
        if (fakes.processes.bRunning) {
            fakes.disk.RemoveItem(G + "\\Maps\\m.map");  // the game deletes a copy
            run.EndGame(fakes);
        }
        run.launcher.UndoBeforeClosing([] {});
    } catch (const SimulatedCrash&) {
        fakes.disk.AfterCrash();
        return true;
    }
    const bool bReached = fakes.disk.Calls() >= lAt;
    fakes.disk.FailAt(-1);
    return bReached;
}

void StartAgain(FakePlatform& fakes) {
    ProgramRun run(fakes);
    run.launcher.RecoverAtStart([](bool) {});
}

TEST(LaunchFaults, EveryFailureAndEveryCrashIsUndoneByTheNextStart) {
    for (const bool bTaken : {false, true}) {
        for (const Way way : {Way::kFail, Way::kShortWrite, Way::kDriveGone, Way::kCrash}) {
            int lAt = 1;
            for (bool bReached = true; bReached; ++lAt) {
                FakePlatform fakes;
                SetUpDisks(fakes.disk);
                const Tree before = fakes.disk.Tree(G), sources = fakes.disk.Tree(L);
                bReached = LaunchGoingWrongAt(fakes, SweepMod(bTaken), way, lAt);
                StartAgain(fakes);
                if (fakes.disk.AnyDriveGone()) {
                    fakes.disk.BringDrivesBack();
                    if (fakes.disk.Tree(G) != before) {
                        ASSERT_TRUE(fakes.disk.Read()) << "what a missing drive kept back stays noted: " << lAt;
                    }
                    StartAgain(fakes);
                }
                ASSERT_EQ(fakes.disk.Tree(G), before) << static_cast<int>(way) << " at call " << lAt
                                                       << (bTaken ? " with the taken backup" : "");
                ASSERT_FALSE(fakes.disk.Read()) << "journal left after call " << lAt;
                ASSERT_EQ(fakes.disk.Tree(L), sources) << "a linked archive's source is the mod's own";
            }
            EXPECT_GT(lAt, 100) << "the sweep covered too few calls";
        }
    }
}

// What a restore could not undo (a file in use) it names and leaves in the
// journal; what it did before it died it need not do again.
TEST(LaunchFaults, ARestoreThatFailsOrDiesAnywhereIsTakenUpAgain) {
    for (const bool bCrash : {true, false}) {
        for (int lAt = 1;; ++lAt) {
            FakePlatform fakes;
            SetUpDisks(fakes.disk);
            const Tree before = fakes.disk.Tree(G);
            {
                ProgramRun first(fakes, {SweepMod(false)});
                first.launcher.LaunchApplication(kGenerals, "", 0);
                ASSERT_TRUE(fakes.processes.bRunning);
            }  // dies while its game runs on
            bCrash ? fakes.disk.CrashAt(lAt) : fakes.disk.FailAt(lAt);
            std::vector<std::string> lines;
            try {
                ProgramRun second(fakes);
                second.launcher.RecoverAtStart([](bool) {});
                lines = second.window.lines;
            } catch (const SimulatedCrash&) {
                fakes.disk.AfterCrash();
            }
            const bool bReached = fakes.disk.Calls() >= lAt;
            fakes.disk.FailAt(-1);
            const bool bNamed = std::count(lines.begin(), lines.end(),
                                           "ERROR: This could not be put back now; Corvane tries again at its next start:");
            if (bNamed) {
                EXPECT_TRUE(fakes.disk.Read()) << "what was named is tried again: call " << lAt;
            }
            StartAgain(fakes);
            ASSERT_EQ(fakes.disk.Tree(G), before) << (bCrash ? "died" : "failed") << " at call " << lAt;
            if (bReached || lines.empty()) continue;
            // The restore that ran whole waited for the game before it began.
            EXPECT_EQ(std::vector(lines.begin(), lines.begin() + 3),
                      (std::vector<std::string>{"Restoring the game folder after an unfinished launch.",
                                                "The game of that launch is still running: waiting for it to end.",
                                                "Cleanup, restoring original files and folders."}));
            EXPECT_EQ(lines.back(), "END");
            break;
        }
    }
}

}  // namespace
}  // namespace corvane::test
