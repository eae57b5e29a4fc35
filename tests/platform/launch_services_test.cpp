// The Windows services the launch keeps the player's game folder safe with:
// the journal beside the program and the problem log. The launch locks are
// seen at work between two copies of Corvane.exe (game_folder_test, and the
// shell test of two Wine prefixes).
#include <gtest/gtest.h>

#include "platform/win_journal_store.h"
#include "platform/win_problem_log.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using namespace corvane::test;

TEST(LaunchServices, TheJournalIsOneFileThatCanBeReadWhileItIsWritten) {
    TempFolder temp;
    WinJournalStore journal(temp / "Corvane.journal");
    EXPECT_FALSE(journal.Read());
    journal.Append("one ");
    journal.Append("two");
    journal.Flush();
    EXPECT_EQ(journal.Read(), "one two");
    journal.Replace("three");
    journal.Append(" four");
    EXPECT_EQ(ReadBytes(temp / "Corvane.journal"), "three four");
    journal.CutTo(5);
    journal.Append("!");
    EXPECT_EQ(ReadBytes(temp / "Corvane.journal"), "three!");
    EXPECT_FALSE(Present(temp / "Corvane.journal.new"));
    journal.Remove();
    journal.Remove();  // gone already: nothing to do
    EXPECT_FALSE(journal.Read());
}

TEST(LaunchServices, TheProblemLogKeepsItsNewestLinesWithinAQuarterMegabyte) {
    TempFolder temp;
    WinProblemLog problems(temp / "Corvane.log");
    problems.Note("CopyFileExA(C:\\a -> C:\\b): error 5: Access is denied");
    const std::string szFirst = ReadBytes(temp / "Corvane.log");
    EXPECT_EQ(szFirst.substr(19), " CopyFileExA(C:\\a -> C:\\b): error 5: Access is denied\r\n") << szFirst;
    for (int i = 0; i < 3000; ++i) problems.Note("problem " + std::to_string(i) + std::string(100, '.'));
    const std::string szLog = ReadBytes(temp / "Corvane.log");
    EXPECT_LE(szLog.size(), 256u * 1024);
    EXPECT_GT(szLog.size(), 128u * 1024);
    EXPECT_EQ(szLog.find("problem 0."), std::string::npos);
    EXPECT_EQ(szLog.compare(szLog.size() - 6, 6, "....\r\n"), 0);
    EXPECT_EQ(szLog.find("problem 2999."), szLog.size() - 114) << "whole lines, the newest last";
}

}  // namespace
}  // namespace corvane
