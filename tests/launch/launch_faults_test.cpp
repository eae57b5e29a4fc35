// Nothing a player owns is lost when a launch goes wrong. At every single
// disk call of a launch of a mod whose entries nest, repeat, replace and lay
// linked archives over one another, into a game folder with a hidden and a
// system folder, the call fails, or writes half of its bytes, or loses its
// drive, or the program dies there; while the game runs it deletes one copy,
// rewrites others and saves new files into folders the swap created or
// copied (one inside a copy laid over a copy). A swap that died is followed
// by the game started from its store, which writes too. The player then
// closes the launch window and starts the program again (with the drive
// back, if it went): the game's own files are back, byte for byte, under
// their names, everything the game wrote is still there, nothing else of
// the mod is left, the mod's sources are untouched, no journal is left, and
// the next launch of the mod plays. Some runs read the disk as FAT may:
// folders listed last name first, times an hour off. Some of the mod's
// files are read-only, as from a CD: after a game that ran whole, the game
// folder is back at once, and whatever a launch leaves for the next start
// is named in its window.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "launch/journal/journal_records.h"
#include "launch_world.h"

namespace corvane::test {
namespace {

using Tree = std::map<std::string, std::string>;

const std::string G = kGameFolder, M = "D:\\Mod", L = "C:\\Mods";

const std::string kTryAgain = "ERROR: This could not be put back now; Corvane tries again at its next start:";
const std::set<std::string> kReadOnly = {"INI\\Weapon.ini", "readme.txt", "Sounds\\boom.wav"};

void SetUpDisks(MemoryDisk& disk) {
    for (const char* szFile : {"Generals.exe", "Data\\INI\\GameData.ini", "Data\\INI\\Weapon.ini",
                               "Data\\INI\\Armor.ini", "Data\\INI\\Object\\o.ini", "Data\\Art\\a.tga",
                               "Data\\Art\\b.tga", "Maps\\m.map", "Maps\\old.map"})
        disk.AddFile(G + "\\" + szFile, std::string("game's own ") + szFile);
    disk.AddFolder(G + "\\Data\\Art", kAttrHidden);
    disk.AddFile(G + "\\Data\\Stray.big", "BIGF another tool's archive");  // set aside while the game runs
    disk.AddFile(G + "\\Data\\INI\\Armor.ini.original", "left by a launch long ago");
    disk.AddFile(G + "\\Maps\\old.map.original", "left by a launch long ago");
    for (const char* szFile : {"INI\\GameData.ini", "INI\\New.ini", "INI\\Weapon.ini", "INI\\Armor.ini",
                               "INI\\Object\\o.ini", "INI\\Object\\p.ini", "Art\\a.tga", "Art\\c.tga",
                               "Skins\\s1.dds", "Skins\\Sub\\s2.dds", "readme.txt", "m.map", "old.map", "x.ini",
                               "Sounds\\boom.wav"})
        disk.AddFile(M + "\\" + szFile, std::string("mod's ") + szFile, kReadOnly.count(szFile) ? kAttrReadOnly : 0);
    // Archives on the game's drive, which the swap links rather than copies;
    // a base mod and its patch, laid over the same game folder.
    disk.AddFile(G + "\\Data\\Textures\\t.dds", "game's own Data\\Textures\\t.dds");
    disk.AddFolder(G + "\\Data\\Textures", kAttrSystem);
    for (const char* szFile : {"Tanks.big", "Pack\\Skins.big", "Pack\\Skins.ini", "Base\\Textures\\Units.big",
                               "Base\\Textures\\b.ini", "Patch\\Textures\\Units.big", "Patch\\Textures\\p.ini"})
        disk.AddFile(L + "\\" + szFile, std::string("mod's ") + szFile);
}

// What the game writes while it runs: new files in a folder the swap
// created, in a folder it copied over the game's own, in the layered one
// and in a copy laid over a copy, and a rewrite of copies that stand in for
// game files or lie in a created folder. One copy it deletes. Started from
// its store after a swap that died, it rewrites only what is a copy.
const Tree kPlay = {{"Docs\\Mod\\replay.rep", "game's replay"},
                    {"Data\\Art\\new.tga", "game's new texture"},
                    {"Data\\Textures\\shot.dds", "game's screenshot"},
                    {"Data\\INI\\Object\\new.ini", "game's new object"},
                    {"Data\\INI\\GameData.ini", "game's rewritten settings"},
                    {"Mods\\Deep\\Skins\\x.ini", "game's rewritten x"}};

std::set<std::string> GamePlays(MemoryDisk& disk, bool bFromStore = false) {
    if (!bFromStore) disk.RemoveItem(G + "\\Maps\\m.map");
    std::set<std::string> written;
    for (const auto& [szPath, szContent] : kPlay) {
        const Tree now = disk.Tree(G);
        const auto it = now.find(szPath);
        if (bFromStore && it != now.end() && it->second.rfind("mod's", 0) != 0) continue;
        disk.WriteItem(G + "\\" + szPath, szContent);
        written.insert(szContent);
    }
    return written;
}

// The game's own files are where they were; everything the game wrote is
// somewhere; nothing else is there but the folders that hold what it wrote.
void ExpectNothingLost(const Tree& after, const Tree& before, const std::set<std::string>& written,
                       const std::string& szWhen) {
    for (const auto& [szPath, szContent] : before) ASSERT_EQ(after.count(szPath) ? after.at(szPath) : "(gone)", szContent) << szPath << szWhen;
    std::set<std::string> kept;
    for (const auto& [szPath, szContent] : after) {
        if (before.count(szPath)) continue;
        kept.insert(szContent);
        const bool bHoldsWrites = std::any_of(after.begin(), after.end(), [&](const auto& item) {
            return item.first.rfind(szPath + "\\", 0) == 0 && written.count(item.second);
        });
        ASSERT_TRUE(written.count(szContent) || (szContent == "<folder>" && bHoldsWrites)) << szPath << szWhen;
    }
    ASSERT_EQ(kept.size() - kept.count("<folder>"), written.size()) << "what the game wrote" << szWhen;
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
                           L + "\\Pack", G + "\\Mods",                    M + "\\INI", G + "\\Data",
                           M + "\\INI\\Object", G + "\\Data\\INI",
                           L + "\\Base\\Textures", G + "\\Data",            L + "\\Patch\\Textures", G + "\\Data"});
    if (bWithTakenBackup) mod.AddEntry(M + "\\old.map", G + "\\Maps");
    return mod;
}

// Entries that share no path (one replaces the game's hidden folder): the
// restore after the game takes them in the order it always has.
ModConfig SimpleMod() {
    return ModOf({M + "\\INI\\GameData.ini", G + "\\Data\\INI", M + "\\INI\\Weapon.ini", G + "\\Data\\INI",
                  M + "\\readme.txt", G + "\\Docs\\Mod",       M + "\\m.map", G + "\\Maps",  M + "\\Art", G + "\\Data",
                  M + "\\Sounds", G + "\\Data",                L + "\\Tanks.big", G + "\\Data"});
}

// After a game that ran whole the game folder is back at once; after a
// failure too, unless the window names what is left for the next start.
// Only a game item whose copy the game deleted waits under its backup name
// without a word, as it always has.
void ExpectBackOrNamed(MemoryDisk& disk, const std::vector<std::string>& lines, const Tree& before,
                       const std::set<std::string>& written, bool bWhole, const std::string& szWhen) {
    const bool bNamed = std::count(lines.begin(), lines.end(), kTryAgain) > 0;
    ASSERT_FALSE(bNamed && bWhole) << "a launch that ran whole" << szWhen;
    if (bNamed) return;
    Tree now = disk.Tree(G);
    if (auto node = now.extract("Maps\\m.map.original"); node && !now.count("Maps\\m.map"))
        now.emplace("Maps\\m.map", node.mapped());
    ExpectNothingLost(now, before, written, " before the next start" + szWhen);
}

enum class Way { kFail, kShortWrite, kDriveGone, kCrash };

// The launch runs to its end, and the player closes its window, unless the
// program dies at call lAt; false when fewer calls were made. written: what
// the game wrote.
bool LaunchGoingWrongAt(FakePlatform& fakes, const ModConfig& mod, Way way, int lAt, std::set<std::string>& written) {
    const Tree before = fakes.disk.Tree(G);
    ProgramRun run(fakes, {mod});
    fakes.boxes.answers = {kAnswerYes};
    if (way == Way::kCrash)
        fakes.disk.CrashAt(lAt);
    else
        fakes.disk.FailAt(lAt, way == Way::kFail ? Fault::kError : way == Way::kShortWrite ? Fault::kShortWrite
                                                                                           : Fault::kDriveGone);
    try {
        run.launcher.LaunchApplication(kGenerals, "", 0);
        if (fakes.processes.bRunning) {
            written = GamePlays(fakes.disk);
            run.EndGame(fakes);
        }
        run.launcher.UndoBeforeClosing([] {});
    } catch (const SimulatedCrash&) {
        fakes.disk.AfterCrash();
        if (fakes.processes.started.empty()) written = GamePlays(fakes.disk, true);
        return true;
    }
    const bool bReached = fakes.disk.Calls() >= lAt;
    fakes.disk.FailAt(-1);
    ExpectBackOrNamed(fakes.disk, run.window.lines, before, written, !bReached, " at call " + std::to_string(lAt));
    return bReached;
}

void StartAgain(FakePlatform& fakes) {
    ProgramRun run(fakes);
    run.launcher.RecoverAtStart([](bool) {});
}

// The same mod plays again and leaves the game folder as it found it.
void ExpectTheNextLaunchPlays(FakePlatform& fakes, const std::string& szWhen) {
    const Tree before = fakes.disk.Tree(G);
    ProgramRun run(fakes, {SweepMod(false)});
    fakes.processes.started.clear();
    run.launcher.LaunchApplication(kGenerals, "", 0);
    ASSERT_TRUE(fakes.processes.bRunning) << "the next launch" << szWhen;
    run.EndGame(fakes);
    ASSERT_EQ(fakes.disk.Tree(G), before) << "after the next launch" << szWhen;
}

TEST(LaunchFaults, EveryFailureAndEveryCrashIsUndoneByTheNextStart) {
    const struct {
        const char* szWhat;
        ModConfig mod;
        bool bFat;
        std::vector<Way> ways;
    } kRuns[] = {{"", SweepMod(false), false, {Way::kFail, Way::kShortWrite, Way::kDriveGone, Way::kCrash}},
                 {" with the taken backup", SweepMod(true), false, {Way::kFail, Way::kCrash}},
                 {" as FAT reads", SweepMod(false), true, {Way::kFail, Way::kCrash}},
                 {" of entries that share no path", SimpleMod(), false, {Way::kFail, Way::kCrash}}};
    for (const auto& [szWhat, mod, bFat, ways] : kRuns) {
        for (const Way way : ways) {
            int lAt = 1;
            for (bool bReached = true; bReached; ++lAt) {
                FakePlatform fakes;
                SetUpDisks(fakes.disk);
                if (bFat) fakes.disk.ListBackwards();
                const Tree before = fakes.disk.Tree(G), sources = fakes.disk.Tree(L);
                std::set<std::string> written;
                bReached = LaunchGoingWrongAt(fakes, mod, way, lAt, written);
                if (bFat) fakes.disk.ShiftTimes(3600 * 10'000'000ll);
                StartAgain(fakes);
                if (fakes.disk.AnyDriveGone()) {
                    fakes.disk.BringDrivesBack();
                    if (fakes.disk.Tree(G) != before) {
                        ASSERT_TRUE(fakes.disk.Read()) << "what a missing drive kept back stays noted: " << lAt;
                    }
                    StartAgain(fakes);
                }
                const std::string szWhen =
                    " (" + std::to_string(static_cast<int>(way)) + " at call " + std::to_string(lAt) + szWhat + ")";
                ExpectNothingLost(fakes.disk.Tree(G), before, written, szWhen);
                ASSERT_FALSE(fakes.disk.Read()) << "journal left" << szWhen;
                ASSERT_EQ(fakes.disk.Tree(L), sources) << "a linked archive's source is the mod's own";
                ExpectTheNextLaunchPlays(fakes, szWhen);
            }
            EXPECT_GT(lAt, 100) << "the sweep covered too few calls";
            std::printf("calls %d\n", lAt);
        }
    }
}

// What a restore could not undo (a file in use) it names and leaves in the
// journal; what it did before it died it need not do again.
// A journal the release before this one left (without the mark of its
// format) is taken up the same way.
TEST(LaunchFaults, ARestoreThatFailsOrDiesAnywhereIsTakenUpAgain) {
    for (const auto& [bCrash, dFormat] : {std::pair{true, kJournalFormat}, {false, kJournalFormat}, {true, uint16_t{2}}}) {
        for (int lAt = 1;; ++lAt) {
            FakePlatform fakes;
            SetUpDisks(fakes.disk);
            const Tree before = fakes.disk.Tree(G);
            std::set<std::string> written;
            {
                ProgramRun first(fakes, {SweepMod(false)});
                fakes.boxes.answers = {kAnswerYes};
                first.launcher.LaunchApplication(kGenerals, "", 0);
                ASSERT_TRUE(fakes.processes.bRunning);
                written = GamePlays(fakes.disk);
            }  // dies while its game runs on
            std::string szJournal;
            for (JournalRecord record : DecodeJournal(*fakes.disk.Read())) {
                record.dFormat = dFormat;
                AppendRecord(szJournal, record);
            }
            fakes.disk.Replace(szJournal);
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
            const bool bNamed = std::count(lines.begin(), lines.end(), kTryAgain);
            if (bNamed) {
                EXPECT_TRUE(fakes.disk.Read()) << "what was named is tried again: call " << lAt;
            }
            StartAgain(fakes);
            ExpectNothingLost(fakes.disk.Tree(G), before, written,
                              std::string(bCrash ? " (died" : " (failed") + " at call " + std::to_string(lAt) +
                                  " in a journal of format " + std::to_string(dFormat) + ")");
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
