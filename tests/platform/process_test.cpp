#include <gtest/gtest.h>

#include <string>

#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_process.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using test::ScopedEnvironment;
using test::TempFolder;

ProcessState WaitUntilEnded(GameProcess& process, unsigned lTimeoutMs = 20000) {
    const ULONGLONG lDeadline = GetTickCount64() + lTimeoutMs;
    ProcessState state = process.Poll();
    while (!state.bEnded && GetTickCount64() < lDeadline) {
        Sleep(20);
        state = process.Poll();
    }
    return state;
}

std::string CurrentFolder() {
    char szFolder[MAX_PATH + 1] = {};
    return std::string(szFolder, GetCurrentDirectoryA(MAX_PATH, szFolder));
}

class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::string& szFolder) : szOld(CurrentFolder()) {
        SetCurrentDirectoryA(szFolder.c_str());
    }
    ~ScopedCurrentFolder() { SetCurrentDirectoryA(szOld.c_str()); }

private:
    std::string szOld;
};

// A game folder of its own holding the stand-in as Generals.exe.
class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::MakeFolders(szGameFolder);
        ASSERT_TRUE(CopyFileA(CORVANE_TEST_STAND_IN_GAME, szGame.c_str(), TRUE)) << szGame;
    }

    TempFolder temp;
    const std::string szGameFolder = temp / "Game";
    const std::string szGame = szGameFolder + "\\Generals.exe";
    const std::string szReport = temp / "report.txt";
    WinProcessStarter starter;
};

TEST_F(ProcessTest, TheGameGetsTheWholeCommandLineAndOurCurrentFolder) {
    test::MakeFolders(temp / "Elsewhere");
    ScopedCurrentFolder inElsewhere(temp / "Elsewhere");
    ScopedEnvironment report("STANDIN_REPORT", szReport);
    const std::string szCommandLine = szGame + " -nologo -win  -mod My Mod.big";

    const auto game = starter.Start(szCommandLine);
    const test::StandInReport seen = test::WaitForStandInReport(szReport);
    EXPECT_TRUE(WaitUntilEnded(*game).bEnded);

    EXPECT_EQ(seen.szCommandLine, szCommandLine);
    EXPECT_EQ(seen.szCurrentFolder, temp / "Elsewhere");
    EXPECT_EQ(seen.szGameFolder, szGameFolder);
}

TEST_F(ProcessTest, PollSaysRunningWithoutWaitingThenEndedWithTheExitCode) {
    const std::string szGo = temp / "go";
    ScopedEnvironment report("STANDIN_REPORT", szReport);
    ScopedEnvironment waitFor("STANDIN_WAIT_FOR", szGo);
    for (const uint32_t lExitCode : {0u, 7u, 259u}) {
        SCOPED_TRACE("exit code " + std::to_string(lExitCode));
        ScopedEnvironment exitCode("STANDIN_EXIT_CODE", std::to_string(lExitCode));
        DeleteFileA(szReport.c_str());
        DeleteFileA(szGo.c_str());

        const auto game = starter.Start(szGame);
        test::WaitForStandInReport(szReport);
        for (int i = 0; i < 3; ++i) {
            const ULONGLONG lBefore = GetTickCount64();
            EXPECT_FALSE(game->Poll().bEnded);
            EXPECT_LT(GetTickCount64() - lBefore, 1000u);
        }
        test::WriteBytes(szGo, "");
        const ProcessState ended = WaitUntilEnded(*game);
        EXPECT_TRUE(ended.bEnded);
        EXPECT_EQ(ended.lExitCode, lExitCode);
    }
}

TEST_F(ProcessTest, AGameThatCannotStartThrowsWithTheCommandLine) {
    const std::string szCommandLine = temp / "Missing\\Generals.exe -nologo";
    try {
        starter.Start(szCommandLine);
        FAIL() << "started";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.Operation(), "CreateProcessA");
        EXPECT_EQ(error.Path(), szCommandLine);
        EXPECT_NE(error.Code(), 0u);
    }
}

}  // namespace
}  // namespace corvane
