// The question about stray archives asks once: the player's answer is kept
// beside Corvane.exe, whole or not at all, and a file that is missing or
// damaged only means every archive is asked about again.
#include <gtest/gtest.h>

#include "launch/checks/stray_archives.h"
#include "launch/launch_world.h"

namespace corvane::test {
namespace {

const std::string G = kGameFolder, kFile = kProgramFolder + "\\Corvane.answers";
const std::string kHead = "Corvane's answers about stray archives\r\n";

// An archive is asked about until the player answered about it: at this
// size, in this game folder, letter case aside. A file that is missing or
// not whole answers nothing, and Corvane.log says so.
TEST(StrayAnswers, AnArchiveIsAskedAboutUntilItIsAnswered) {
    const std::string kYes = "Yes\tC:\\Games\\Gen\\\tData\\x.big\t6\r\n";
    const struct {
        std::string szFile;  // "" for none
        int lAsked, lAside;
    } cases[] = {
        {"", 1, 0},
        {kHead + kYes, 0, 1},
        {kHead + "No\tC:\\Games\\Gen\\\tData\\x.big\t6\r\n", 0, 0},
        {kHead + "Yes\tc:\\GAMES\\gen\\\tDATA\\X.BIG\t6\r\n", 0, 1},
        {kHead + "Yes\tC:\\Games\\Gen\\\tData\\x.big\t7\r\n", 1, 0},
        {kHead + "Yes\tC:\\Games\\ZH\\\tData\\x.big\t6\r\n", 1, 0},
        {kYes, 1, 0},  // damaged from here on
        {kHead + "Yes\tC:\\Games\\Gen\\\tData\\x.big\t6", 1, 0},
        {kHead + "Maybe\tC:\\Games\\Gen\\\tData\\x.big\t6\r\n", 1, 0},
        {kHead + "Yes\tC:\\Games\\Gen\\\tData\\x.big\t6x\r\n", 1, 0},
        {kHead + "Yes\tC:\\Games\\Gen\\\tData\\x.big\r\n", 1, 0},
        {kHead + "Yes\tC:\\Games\\Gen\\\tData\\x.big\t6\tmore\r\n", 1, 0},
    };
    for (const bool bForgotten : {false, true}) {
        for (const auto& c : cases) {
            FakePlatform fakes;
            ProgramRun run(fakes);
            fakes.disk.AddFile(G + "\\Data\\x.big", "BIGF x");
            if (!c.szFile.empty()) fakes.disk.AddFile(kFile, c.szFile);
            if (bForgotten) StrayAnswers(fakes.disk, fakes.problems, kProgramFolder).Forget(0);
            fakes.problems.noted.clear();
            const StrayOffer offer = StrayArchivesFor(run.state.GameTable, kGenerals, ModConfig{}, {}, fakes.disk,
                                                      fakes.problems, kProgramFolder);
            const bool bAnswered = c.lAsked == 0 && !bForgotten;
            EXPECT_EQ(offer.asked.size(), bAnswered ? 0u : 1u) << c.szFile;
            EXPECT_EQ(offer.szAsideAgain.size(), bAnswered ? static_cast<size_t>(c.lAside) : 0u) << c.szFile;
            std::vector<std::string> szNotes;  // in Corvane.log
            if (c.szFile.empty() || &c >= &cases[6])
                szNotes.push_back("No stray archive is answered yet: " + kFile +
                                  (c.szFile.empty() ? " is not there." : " is damaged; its answers are asked again."));
            EXPECT_EQ(fakes.problems.noted, szNotes);
        }
    }
}

// Whatever call fails, the file holds the answers it had or the new ones,
// never neither, and so does the program.
TEST(StrayAnswers, EveryFailureLeavesTheOldAnswersOrTheNew) {
    const StrayAnswer old{G + "\\", "a.big", 1, true}, added{G + "\\", "b.big", 2, false};
    for (int lAt = 1;; ++lAt) {
        FakePlatform fakes;
        fakes.disk.AddFile(kFile, AnswersText({old}));
        StrayAnswers answers(fakes.disk, fakes.problems, kProgramFolder);
        fakes.disk.FailAt(lAt);
        try {
            answers.Remember({added});
        } catch (const std::exception&) {
        }
        const bool bReached = fakes.disk.Calls() >= lAt;
        fakes.disk.FailAt(-1);
        ASSERT_EQ(answers.All().size(), bReached ? 1u : 2u) << "as the file holds them, at call " << lAt;
        const std::vector<StrayAnswer> after = StrayAnswers(fakes.disk, fakes.problems, kProgramFolder).All();
        ASSERT_EQ(after.size(), bReached ? 1u : 2u) << "at call " << lAt;
        EXPECT_EQ(after[0].szArchive, "a.big");
        if (!bReached) break;
    }
}

}  // namespace
}  // namespace corvane::test
