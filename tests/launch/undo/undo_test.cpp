// The undo, one layout of the game folder at a time, in memory: the game's
// items back under their names, what the game made during play kept and
// named where it lies, the lines of the restore, its progress bar at its end,
// and what is left for the next start.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "launch/journal/journal_records.h"
#include "launch/launch_world.h"

namespace corvane::test {
namespace {

using Lines = std::vector<std::string>;
using Tree = std::map<std::string, std::string>;

const std::string G = kGameFolder, M = "D:\\Mod";
const std::string kKept = "Kept what was made or changed during play:";

struct Layout {
    const char* szWhat;
    std::function<void(MemoryDisk&)> arrange;  // the game folder and the mod
    std::vector<std::string> szEntries;        // source, destination, ...
    std::function<void(MemoryDisk&)> play;     // what the game does while it runs
    Tree added;                                // beside (or over) the game's own items afterwards
    Lines tail;                                // the restore's last lines, "END" aside
};

void Nothing(MemoryDisk&) {}

TEST(Undo, EveryLayoutComesBackWithWhatThePlayerMadeKept) {
    const Layout layouts[] = {
        // The folders the swap made go first, the last made first; a folder
        // whose name begins another's takes nothing of the other with it.
        {"a new folder beside a game folder whose name begins the same",
         [](MemoryDisk& d) {
             d.AddFile(G + "\\Data\\Artwork\\w.tga", "game's w");
             d.AddFile(M + "\\f.ini", "mod's f");
             d.AddFile(M + "\\Artwork\\w.tga", "mod's w");
         },
         {M + "\\f.ini", G + "\\Data\\Art", M + "\\Artwork", G + "\\Data"}, Nothing, {},
         {"Deleting swapped folder:", G + "\\Data\\Art", "Deleting swapped folder:", G + "\\Data\\Artwork",
          "Restoring original folder:", G + "\\Data\\Artwork"}},
        {"a file saved in a folder that stood in for the game's",
         [](MemoryDisk& d) {
             d.AddFile(G + "\\Data\\Art\\a.tga", "game's a");
             d.AddFile(M + "\\Art\\a.tga", "mod's a");
         },
         {M + "\\Art", G + "\\Data"}, [](MemoryDisk& d) { d.WriteItem(G + "\\Data\\Art\\new.tga", "saved"); },
         {{"Data\\Art\\new.tga", "saved"}},
         {"Deleting swapped folder:", G + "\\Data\\Art", "Restoring original folder:", G + "\\Data\\Art", kKept,
          G + "\\Data\\Art\\new.tga"}},
        // A copy laid over a copy is undone newest first.
        {"a folder copied over the game's, and a folder over the copy's, written into",
         [](MemoryDisk& d) {
             d.AddFile(G + "\\Data\\INI\\Object\\o.ini", "game's o");
             d.AddFile(M + "\\INI\\Object\\o.ini", "mod's o");
             d.AddFile(M + "\\Object\\o.ini", "patch's o");
         },
         {M + "\\INI", G + "\\Data", M + "\\Object", G + "\\Data\\INI"},
         [](MemoryDisk& d) { d.WriteItem(G + "\\Data\\INI\\Object\\replay.rep", "replay"); },
         {{"Data\\INI\\Object\\replay.rep", "replay"}},
         {"Deleting swapped folder:", G + "\\Data\\INI", "Restoring original folder:", G + "\\Data\\INI"}},
        // An archive set aside for the launch is left where its name was taken.
        {"an archive set aside whose name the game took meanwhile",
         [](MemoryDisk& d) {
             d.AddFile(G + "\\Data\\Stray.big", "BIGF another tool's");
             d.AddFile(M + "\\a.ini", "mod's a");
         },
         {M + "\\a.ini", G + "\\Data"}, [](MemoryDisk& d) { d.WriteItem(G + "\\Data\\Stray.big", "BIGF new"); },
         {{"Data\\Stray.big", "BIGF new"}, {"Data\\Stray.big.aside", "BIGF another tool's"}},
         {"Deleting swapped file:", G + "\\Data\\a.ini", "Left as it is: " + G + "\\Data\\Stray.big.aside (Stray.big is taken)"}},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.szWhat);
        FakePlatform fakes;
        layout.arrange(fakes.disk);
        Tree expected = fakes.disk.Tree(G);
        for (const auto& [szPath, szContent] : layout.added) expected[szPath] = szContent;
        fakes.boxes.answers = {kAnswerYes};  // to setting a stray archive aside
        ProgramRun run(fakes, {ModOf(layout.szEntries)});
        run.launcher.LaunchApplication(kGenerals, "", 0);
        ASSERT_TRUE(fakes.processes.bRunning);
        layout.play(fakes.disk);
        run.window.lDone = run.window.lTotal = 0;
        run.EndGame(fakes);
        fakes.disk.ShiftTimes(0);
        EXPECT_EQ(fakes.disk.Tree(G), expected);
        Lines tail = layout.tail;
        tail.push_back("END");
        const Lines& lines = run.window.lines;
        EXPECT_EQ(Lines(lines.end() - static_cast<long>(std::min(tail.size(), lines.size())), lines.end()), tail);
        EXPECT_GT(run.window.lTotal, 0u);
        EXPECT_EQ(run.window.lDone, run.window.lTotal) << "the progress bar reaches its end";
        EXPECT_FALSE(fakes.disk.Read()) << "nothing is left for the next start";
        const std::vector<std::string>& noted = fakes.problems.noted;
        EXPECT_EQ(std::set<std::string>(noted.begin(), noted.end()).size(), noted.size()) << "each told once";
    }
}

// A copy the game deleted leaves the game's item under its backup name, as
// the restore always has, until the next start. Where something new has
// taken the name by then, it tells once, in plain words.
TEST(Undo, AGameItemLeftUnderItsBackupNameIsNotPutOverSomethingNew) {
    FakePlatform fakes;
    fakes.disk.AddFile(G + "\\Data\\a.ini", "game's a");
    fakes.disk.AddFile(M + "\\a.ini", "mod's a");
    {
        ProgramRun run(fakes, {ModOf({M + "\\a.ini", G + "\\Data"})});
        run.launcher.LaunchApplication(kGenerals, "", 0);
        fakes.disk.RemoveItem(G + "\\Data\\a.ini");
        run.EndGame(fakes);
        EXPECT_EQ(run.window.lines.back(), "END");
        EXPECT_EQ(run.window.lines.end()[-2], "Cleanup, restoring original files and folders.");
    }
    EXPECT_EQ(fakes.disk.Tree(G), (Tree{{"Data", "<folder>"}, {"Data\\a.ini.original", "game's a"}}));
    fakes.disk.AddFile(G + "\\Data\\a.ini", "player's a");
    ProgramRun next(fakes);
    EXPECT_TRUE(next.launcher.RecoverAtStart([](bool) {}));
    const std::string szTold = "Something new now has the name of an item of the game, which waits under another "
                               "name. Move the new item away, then rename " + G + "\\Data\\a.ini.original to " +
                               G + "\\Data\\a.ini.";
    EXPECT_EQ(fakes.disk.Tree(G).at("Data\\a.ini.original"), "game's a");
    EXPECT_EQ(next.window.lines.at(2), szTold);
    EXPECT_EQ(fakes.problems.noted.back(), szTold);
    EXPECT_FALSE(fakes.disk.Read()) << "told once, then no longer in any launch's way";
}

// A journal an earlier release left, before each file placed was noted,
// is undone by the rule it was written under: a copied folder goes whole,
// as the restore then did.
TEST(Undo, AJournalOfAnEarlierReleaseIsUndoneByItsOwnRule) {
    FakePlatform fakes;
    fakes.disk.AddFile(G + "\\Data\\Art\\a.tga", "game's a");
    fakes.disk.AddFile(M + "\\Art\\a.tga", "mod's a");
    {
        ProgramRun run(fakes, {ModOf({M + "\\Art", G + "\\Data"})});
        run.launcher.LaunchApplication(kGenerals, "", 0);
        fakes.disk.WriteItem(G + "\\Data\\Art\\new.tga", "saved");
    }  // dies while its game runs
    fakes.processes.bRunning = false;
    std::string szOld;
    for (JournalRecord& record : DecodeJournal(*fakes.disk.Read())) {
        if (record.step == JournalStep::kPlace) continue;  // not noted then
        record.dFormat = 1;
        AppendRecord(szOld, record);
    }
    fakes.disk.Replace(szOld);
    ProgramRun next(fakes);
    EXPECT_TRUE(next.launcher.RecoverAtStart([](bool) {}));
    EXPECT_EQ(fakes.disk.Tree(G), (Tree{{"Data", "<folder>"}, {"Data\\Art", "<folder>"}, {"Data\\Art\\a.tga", "game's a"}}));
    EXPECT_FALSE(fakes.disk.Read());
}

}  // namespace
}  // namespace corvane::test
