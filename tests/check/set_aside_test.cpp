// Set Aside and Put Back of a game folder's stray archives and loose files,
// on their own and as part of a launch: whatever call fails, or wherever
// the program dies, the next start leaves every file under exactly one of
// its two names with its bytes, and a name that is taken is never
// overwritten.
#include <gtest/gtest.h>

#include "check/folder/folder_check.h"
#include "launch/folder_locks.h"
#include "launch/journal/journal_records.h"
#include "check/set_aside.h"
#include "launch/launch_world.h"

namespace corvane::test {
namespace {

using Tree = std::map<std::string, std::string>;
const std::string G = kGameFolder;

// Stray archives and a loose file; y.big's set-aside name is someone else's.
const Tree kItems = {{"!Extra.big", "BIGF extra"}, {"Data\\Sub\\x.big", "BIG4 x"}, {"Data\\INI\\a.ini", "loose a"}};

void SetUpGame(MemoryDisk& disk) {
    disk.AddFile(G + "\\Generals.exe", "game");
    disk.AddFile(G + "\\INI.big", "BIGF the game's own");
    for (const auto& [szPath, szContent] : kItems) disk.AddFile(G + "\\" + szPath, szContent);
    disk.AddFile(G + "\\Data\\y.big", "BIGF y");
    disk.AddFile(G + "\\Data\\y.big.aside", "someone's");
}

std::vector<AsideMove> Moves(MemoryDisk& disk, bool bBack) {
    const FolderCheck check = CheckGameFolders({{G + "\\", false}}, disk, {});
    return AsideMoves(bBack ? ToPutBack(check) : ToSetAside(check), bBack);
}

AsideOutcome MoveAll(FakePlatform& fakes, const std::vector<AsideMove>& moves, RecordingWindow& log) {
    AsideServices services{fakes.disk, fakes.disk, fakes.locks, fakes.problems};
    return MoveAsideAlone(services, kProgramFolder, {G + "\\"}, moves, log);
}

void StartAgain(FakePlatform& fakes) {
    ProgramRun run(fakes);
    run.launcher.RecoverAtStart([](bool) {});
}

void ExpectEachUnderOneName(const Tree& tree, const std::string& szWhen) {
    for (const auto& [szPath, szContent] : kItems) {
        const bool bHere = tree.count(szPath), bAside = tree.count(szPath + ".aside");
        ASSERT_NE(bHere, bAside) << szPath << szWhen;
        ASSERT_EQ(tree.at(bHere ? szPath : szPath + ".aside"), szContent) << szPath << szWhen;
    }
    ASSERT_EQ(tree.at("Data\\y.big"), "BIGF y") << szWhen;
    ASSERT_EQ(tree.at("Data\\y.big.aside"), "someone's") << szWhen;
}

TEST(SetAside, EveryFailureAndCrashLeavesEachFileUnderOneOfItsNames) {
    for (const bool bBack : {false, true}) {
        for (const bool bCrash : {false, true}) {
            for (int lAt = 1;; ++lAt) {
                const std::string szWhen = std::string(bBack ? " (Put Back" : " (Set Aside") +
                                           (bCrash ? " died" : " failed") + " at call " + std::to_string(lAt) + ")";
                FakePlatform fakes;
                SetUpGame(fakes.disk);
                RecordingWindow log;
                if (bBack) {
                    ASSERT_EQ(MoveAll(fakes, Moves(fakes.disk, false), log), AsideOutcome::kDone);
                }
                const std::vector<AsideMove> moves = Moves(fakes.disk, bBack);
                log.lines.clear();
                bCrash ? fakes.disk.CrashAt(lAt) : fakes.disk.FailAt(lAt);
                bool bReached = true;
                try {
                    MoveAll(fakes, moves, log);
                    bReached = fakes.disk.Calls() >= lAt;
                } catch (const SimulatedCrash&) {
                    fakes.disk.AfterCrash();
                } catch (const std::exception&) {  // the window names it
                }
                fakes.disk.FailAt(-1);
                StartAgain(fakes);
                const Tree after = fakes.disk.Tree(G);
                ExpectEachUnderOneName(after, szWhen);
                ASSERT_FALSE(fakes.disk.Read()) << "journal left" << szWhen;
                if (bReached) continue;
                for (const auto& [szPath, szContent] : kItems) EXPECT_EQ(after.count(szPath), bBack ? 1u : 0u) << szPath;
                if (!bBack) {
                    EXPECT_EQ(log.lines, (std::vector<std::string>{"Left as it is: " + G + "\\Data\\y.big (y.big.aside is taken)",
                                                                   "Set aside: " + G + "\\!Extra.big",
                                                                   "Set aside: " + G + "\\Data\\Sub\\x.big",
                                                                   "Set aside: " + G + "\\Data\\INI\\a.ini"}));
                }
                break;
            }
        }
    }
}

// Nothing is touched while a launch of the folder runs, or while one cut
// short is not undone: its journal is left as it is.
TEST(SetAside, WaitsForALaunchOfTheFolder) {
    for (const bool bRunning : {true, false}) {
        FakePlatform fakes;
        SetUpGame(fakes.disk);
        const Tree before = fakes.disk.Tree(G);
        const std::string szJournal = EncodeRecord(RecordOf(JournalStep::kBegin, G)) +
                                      EncodeRecord(RecordOf(JournalStep::kCreateFolder, G + "\\Mods"));
        if (bRunning)
            fakes.locks.held.insert(FolderLockName(fakes.disk, fakes.problems, G + "\\"));
        else
            fakes.disk.Replace(szJournal);
        RecordingWindow log;
        EXPECT_EQ(MoveAll(fakes, Moves(fakes.disk, false), log),
                  bRunning ? AsideOutcome::kLaunchRuns : AsideOutcome::kUnfinishedLaunch);
        EXPECT_EQ(fakes.disk.Tree(G), before);
        EXPECT_EQ(fakes.disk.Read().value_or(""), bRunning ? "" : szJournal);
    }
}

// Asked once, before anything is touched, naming the archives that are
// neither the game's nor the mod's (the mod's own targets, files and
// folders, are swapped as they always were), and not again at the next
// launch, which does as the player answered; what is set aside comes back
// with the undo, after the game or at the next start.
TEST(SetAside, ALaunchAsksAndPutsBackWhatItSetAsideWithItsUndo) {
    const std::string szQuestion =
        G + "\\Data\\Sub\\x.big\r" + G + "\\Data\\y.big\r\rThese archives are neither the game's nor the mod's, and the game "
        "would load them with the mod. Set them aside while you play? They come back when the game ends.\r\rCorvane "
        "remembers your answer for them; Check Game Folder lets you forget it.";
    for (const int lAnswer : {kAnswerYes, kAnswerNo}) {
        for (const bool bCrash : {false, true}) {
            FakePlatform fakes;
            SetUpGame(fakes.disk);
            fakes.disk.AddFile("D:\\Mod\\a.ini", "mod's a");
            fakes.disk.AddFile("D:\\Mod\\!Extra.big", "BIGF the mod's");
            fakes.disk.AddFile("D:\\Mod\\Sub2\\b.ini", "mod's b");  // replaces a folder with a stray in it
            fakes.disk.AddFile(G + "\\Data\\Sub2\\z.big", "BIGF z");
            const Tree before = fakes.disk.Tree(G);
            for (const bool bAgain : {false, true}) {  // the answer is remembered
                fakes.boxes.shown.clear();
                fakes.boxes.answers = {lAnswer};
                {
                    ProgramRun run(fakes, {ModOf({"D:\\Mod\\a.ini", G + "\\Data\\INI", "D:\\Mod\\!Extra.big", G,
                                                  "D:\\Mod\\Sub2", G + "\\Data"})});
                    run.launcher.LaunchApplication(kGenerals, "", 0);
                    ASSERT_TRUE(fakes.processes.bRunning);
                    using Shown = std::vector<std::pair<std::string, uint32_t>>;
                    EXPECT_EQ(fakes.boxes.shown, (bAgain ? Shown{} : Shown{{szQuestion, kMsgYesNo | kMsgQuestion}}));
                    EXPECT_EQ(fakes.disk.Tree(G).count("Data\\Sub\\x.big.aside"), lAnswer == kAnswerYes ? 1u : 0u);
                    if (!bCrash) run.EndGame(fakes);
                }  // else dies while the game runs
                if (bCrash) StartAgain(fakes);
                EXPECT_EQ(fakes.disk.Tree(G), before);
                EXPECT_FALSE(fakes.disk.Read());
            }
        }
    }
}

// A mod unpacked into the game folder is played from there: nothing at or
// below a source, a file's or a folder's, is asked about or set aside, and
// the game finds the mod's archive where the swap put it.
TEST(SetAside, AModsOwnSourceInTheGameFolderIsNeverAStray) {
    FakePlatform fakes;
    fakes.disk.AddFile(G + "\\Generals.exe", "game");
    fakes.disk.AddFile(G + "\\Mods\\Tanks\\Tanks.big", "BIGF the mod's");
    fakes.disk.AddFile(G + "\\Mods\\Tanks\\Art\\Tanks2.big", "BIGF the mod's too");
    ProgramRun run(fakes, {ModOf({G + "\\Mods\\Tanks\\Tanks.big", G, G + "\\Mods\\Tanks\\Art", G})});
    run.launcher.LaunchApplication(kGenerals, "", 0);
    ASSERT_TRUE(fakes.processes.bRunning);
    EXPECT_TRUE(fakes.boxes.shown.empty());
    for (const char* szPath : {"Tanks.big", "Art\\Tanks2.big", "Mods\\Tanks\\Tanks.big", "Mods\\Tanks\\Art\\Tanks2.big"})
        EXPECT_EQ(fakes.disk.Tree(G).count(szPath), 1u) << szPath;
}

// Each rename is in the journal before it is made, so an undo after a
// crash finds every file that was renamed.
TEST(SetAside, EachRenameIsNotedBeforeItIsMade) {
    struct NotedFirstDisk : MemoryDisk {
        void Rename(const std::string& szOld, const std::string& szNew) override {
            bNotedFirst = bNotedFirst && Read().value_or("").find(szNew) != std::string::npos;
            MemoryDisk::Rename(szOld, szNew);
        }
        bool bNotedFirst = true;
    };
    NotedFirstDisk disk;
    SetUpGame(disk);
    RecordingWindow log;
    LaunchJournal journal(disk);
    ASSERT_EQ(MoveNoted(Moves(disk, false), journal, disk, log), 3u);
    EXPECT_TRUE(disk.bNotedFirst);
}

}  // namespace
}  // namespace corvane::test
