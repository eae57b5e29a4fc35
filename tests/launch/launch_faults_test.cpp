// Nothing a player owns is lost when a launch goes wrong: a disk call that
// fails, or the program dying, at every single point of a launch of a
// ten-entry mod, and then at every point of the restore that the next start
// runs. The game folder is back to what it was, byte for byte, once the
// program has started again.
#include <gtest/gtest.h>

#include <algorithm>

#include "launch_world.h"

namespace corvane::test {
namespace {

using Tree = std::map<std::string, std::string>;

const std::string G = kGameFolder, M = "D:\\Mod";

void SetUpDisks(MemoryDisk& disk) {
    for (const char* szFile : {"Generals.exe", "Data\\INI\\GameData.ini", "Data\\INI\\Weapon.ini",
                               "Data\\INI\\Armor.ini", "Data\\Art\\a.tga", "Data\\Art\\b.tga", "Maps\\m.map"})
        disk.AddFile(G + "\\" + szFile, std::string("game's own ") + szFile);
    disk.AddFile(G + "\\Data\\INI\\Armor.ini.original", "left by a launch long ago");
    for (const char* szFile : {"INI\\GameData.ini", "INI\\New.ini", "INI\\Weapon.ini", "INI\\Armor.ini",
                               "Art\\a.tga", "Art\\c.tga", "Skins\\s1.dds", "Skins\\Sub\\s2.dds", "readme.txt",
                               "m.map", "x.ini", "Sounds\\boom.wav"})
        disk.AddFile(M + "\\" + szFile, std::string("mod's ") + szFile);
}

// File entries that replace game files or are new, folder entries that
// replace a game folder or are new, entries inside folders the swap creates,
// one inside a folder an earlier entry copied, and (last) a file entry whose
// backup name is already taken, on which the swap fails.
ModConfig TenEntryMod(bool bWithTakenBackup) {
    ModConfig mod = ModOf({M + "\\INI\\GameData.ini", G + "\\Data\\INI",  M + "\\INI\\New.ini", G + "\\Data\\INI",
                           M + "\\Art", G + "\\Data",                     M + "\\Skins", G + "\\Mods\\Deep",
                           M + "\\readme.txt", G + "\\Docs\\Mod",          M + "\\m.map", G + "\\Maps",
                           M + "\\x.ini", G + "\\Mods\\Deep\\Skins",       M + "\\Sounds", G + "\\Data",
                           M + "\\INI\\Weapon.ini", G + "\\Data\\INI"});
    if (bWithTakenBackup) mod.AddEntry(M + "\\INI\\Armor.ini", G + "\\Data\\INI");
    return mod;
}

// The launch runs to its end, the game ending at once, unless the disk
// fails or the program dies at call lAt; false when it made fewer calls.
bool LaunchDyingAt(FakePlatform& fakes, const ModConfig& mod, bool bCrash, int lAt) {
    ProgramRun run(fakes, {mod});
    bCrash ? fakes.disk.CrashAt(lAt) : fakes.disk.FailAt(lAt);
    try {
        run.launcher.LaunchApplication(kGenerals, "", 0);
        run.EndGame(fakes);
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
    run.launcher.RecoverAtStart([] {});
}

TEST(LaunchFaults, EveryFailureAndEveryCrashIsUndoneByTheNextStart) {
    for (const bool bTaken : {false, true}) {
        for (const bool bCrash : {false, true}) {
            int lAt = 1;
            for (bool bReached = true; bReached; ++lAt) {
                FakePlatform fakes;
                SetUpDisks(fakes.disk);
                const Tree before = fakes.disk.Tree(G);
                bReached = LaunchDyingAt(fakes, TenEntryMod(bTaken), bCrash, lAt);
                StartAgain(fakes);
                ASSERT_EQ(fakes.disk.Tree(G), before) << (bCrash ? "crash" : "failure") << " at call " << lAt
                                                       << (bTaken ? " with the taken backup" : "");
                ASSERT_FALSE(fakes.disk.Read()) << "journal left after call " << lAt;
            }
            EXPECT_GT(lAt, 60) << "the sweep covered too few calls";
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
                ProgramRun first(fakes, {TenEntryMod(false)});
                first.launcher.LaunchApplication(kGenerals, "", 0);
                ASSERT_TRUE(fakes.processes.bRunning);
            }  // dies while its game runs on
            bCrash ? fakes.disk.CrashAt(lAt) : fakes.disk.FailAt(lAt);
            std::vector<std::string> lines;
            try {
                ProgramRun second(fakes);
                second.launcher.RecoverAtStart([] {});
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
