// The question about stray archives asks once: the player's answer is kept
// beside Corvane.exe, whole or not at all, and a file that is missing or
// damaged only means every archive is asked about again.
#include <gtest/gtest.h>

#include "launch/stray_answers.h"
#include "launch_world.h"

namespace corvane::test {
namespace {

const std::string G = kGameFolder, kFile = kProgramFolder + "\\Corvane.answers";
const std::string kHead = "Corvane's answers about stray archives\r\n";

TEST(StrayAnswers, TheFileIsReadWholeOrNotAtAll) {
    const struct {
        std::string szText;
        size_t lAnswers;  // npos: damaged
    } cases[] = {
        {kHead + "Yes\tC:\\Games\\Gen\\\tData\\x.big\t12\r\nNo\tC:\\Games\\Gen\\\ty.big\t0\r\n", 2},
        {kHead, 0},
        {"", std::string::npos},
        {kHead + "Yes\tC:\\Games\\Gen\\\tData\\x.big\t12", std::string::npos},  // cut short
        {"Corvane's answers\r\n", std::string::npos},
        {kHead + "Maybe\tC:\\G\\\tx.big\t12\r\n", std::string::npos},
        {kHead + "Yes\tC:\\G\\\tx.big\t12x\r\n", std::string::npos},
        {kHead + "Yes\tC:\\G\\\tx.big\t\r\n", std::string::npos},
        {kHead + "Yes\tC:\\G\\\tx.big\r\n", std::string::npos},
        {kHead + "Yes\tC:\\G\\\tx.big\t12\tmore\r\n", std::string::npos},
        {kHead + "Yes\t\tx.big\t12\r\n", std::string::npos},
    };
    for (const auto& c : cases) {
        const std::optional<std::vector<StrayAnswer>> answers = ParseAnswers(c.szText);
        ASSERT_EQ(answers ? answers->size() : std::string::npos, c.lAnswers) << c.szText;
        if (answers) {
            EXPECT_EQ(AnswersText(*answers), c.szText) << "written back as read";
        }
    }
}

// Launch after launch of one mod: the player answers, Corvane does as told
// without asking, the answer is forgotten, the archive changes, the file
// is damaged.
TEST(StrayAnswers, ALaunchAsksOnceAndDoesAsThePlayerAnswered) {
    FakePlatform fakes;
    fakes.disk.AddFile(G + "\\Generals.exe", "game");
    fakes.disk.AddFile(G + "\\Data\\x.big", "BIGF x");
    fakes.disk.AddFile("D:\\Mod\\a.ini", "mod's a");
    const auto launch = [&](std::optional<int> lAnswer, bool bAside, const std::string& szStep) {
        fakes.boxes.shown.clear();
        if (lAnswer) fakes.boxes.answers = {*lAnswer};
        ProgramRun run(fakes, {ModOf({"D:\\Mod\\a.ini", G + "\\Data\\INI"})});
        run.launcher.LaunchApplication(kGenerals, "", 0);
        ASSERT_TRUE(fakes.processes.bRunning) << szStep;
        EXPECT_EQ(fakes.boxes.shown.size(), lAnswer ? 1u : 0u) << szStep;
        EXPECT_EQ(fakes.disk.Tree(G).count("Data\\x.big.aside"), bAside ? 1u : 0u) << szStep;
        run.EndGame(fakes);
        EXPECT_EQ(fakes.disk.Tree(G).count("Data\\x.big"), 1u) << szStep;
    };
    launch(kAnswerYes, true, "asked: Yes");
    launch(std::nullopt, true, "set aside without asking");
    StrayAnswers(fakes.disk, fakes.problems, kProgramFolder).Forget(0);
    launch(kAnswerNo, false, "forgotten: asked again, No");
    launch(std::nullopt, false, "kept without asking");
    fakes.disk.WriteItem(G + "\\Data\\x.big", "BIGF another x");
    launch(kAnswerYes, true, "another size: a new archive, asked");
    fakes.problems.noted.clear();
    fakes.disk.WriteItem(kFile, "Yes\tC:\\Games\\Gen\\\tData\\x.big\t14\r\n");
    launch(kAnswerNo, false, "damaged: asked again");
    EXPECT_EQ(fakes.problems.noted.at(0),
              "No stray archive is answered yet: " + kFile + " is damaged; its answers are asked again.");
}

// Whatever call fails, or wherever the program dies, the file holds the
// answers it had or the new ones, never neither.
TEST(StrayAnswers, EveryFailureLeavesTheOldAnswersOrTheNew) {
    const StrayAnswer old{G + "\\", "a.big", 1, true}, added{G + "\\", "b.big", 2, false};
    for (const bool bCrash : {false, true}) {
        for (int lAt = 1;; ++lAt) {
            FakePlatform fakes;
            fakes.disk.AddFile(kFile, AnswersText({old}));
            StrayAnswers answers(fakes.disk, fakes.problems, kProgramFolder);
            bCrash ? fakes.disk.CrashAt(lAt) : fakes.disk.FailAt(lAt);
            try {
                answers.Remember({added});
            } catch (const SimulatedCrash&) {
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
}

}  // namespace
}  // namespace corvane::test
