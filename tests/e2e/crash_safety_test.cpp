// Corvane.exe ended at any moment of a launch, as Task Manager, a crash or a
// power cut would end it, and started again: the game folder comes back
// byte for byte.
#include <algorithm>
#include <cstdio>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

using Clock = std::chrono::steady_clock;

class CrashSafety : public CorvaneRunTest {
protected:
    // A mod that replaces the game's Data folder with a tree of many small
    // files, adds a folder of large ones and replaces one file.
    void SetUp() override {
        InstallGenerals();
        for (int i = 0; i < 400; ++i)
            WriteBytes(mods / ("Data\\F" + std::to_string(i % 12) + "\\" + std::to_string(i) + ".ini"), "mod " + std::to_string(i));
        for (int i = 0; i < 6; ++i) WriteBytes(mods / ("Big\\" + std::to_string(i) + ".big"), std::string(8 << 20, 'a' + i));
        WriteBytes(mods / "Generals.ini", "mod");
        WriteBytes(game / "Generals.ini", "game");
        WriteBytes(program / "Mod.zcf", ZcfText({{mods / "Data", game.Path()}, {mods / "Big", game / "Mods\\Deep"},
                                                 {mods / "Generals.ini", game.Path()}}));
    }

    std::unique_ptr<CorvaneProcess> StartSilent() {
        return std::make_unique<CorvaneProcess>(program.Path(), "-SILENT Mod", work.Path());
    }
    // Starts the program again as a player would, lets it restore the game
    // folder and go on as it was asked, and ends it.
    void StartAgainAfterCrash() {
        CorvaneProcess again(program.Path(), "", work.Path());
        if (!again.WaitForWindow("Generals Corvane", 60000)) ADD_FAILURE() << "no main window; " << again.Said();
        EXPECT_FALSE(Present(program / "Corvane.journal"));
    }

    ScopedEnvironment noReport{"STANDIN_REPORT", ""};
};

TEST_F(CrashSafety, KilledAnywhereInALaunchTheNextStartPutsTheGameFolderBack) {
    const TreeSnapshot before = SnapshotTree(game.Path());
    // One whole launch first, to time its swap.
    const auto tStart = Clock::now();
    auto corvane = StartSilent();
    ASSERT_TRUE(corvane->WaitForLogLine("Launching..."));
    const auto tSwap = Clock::now() - tStart;
    ReleaseGame();
    ASSERT_TRUE(corvane->WaitForLogLine("END"));
    corvane.reset();
    ASSERT_EQ(SnapshotTree(game.Path()), before);

    const auto Check = [&](const std::string& szWhen) {
        std::printf("killed %s\n", szWhen.c_str());  // where a run that hangs got to
        std::fflush(stdout);
        EXPECT_EQ(SnapshotTree(game.Path()), before) << "killed " << szWhen;
    };
    for (const double dShare : {0.05, 0.2, 0.35, 0.5, 0.65, 0.8, 0.95}) {
        standIn.Rearm();
        corvane = StartSilent();
        std::this_thread::sleep_for(std::chrono::duration_cast<Clock::duration>(tSwap * dShare));
        corvane->Kill();
        ReleaseGame();  // in case it had started the game already
        StartAgainAfterCrash();
        Check("at " + std::to_string(dShare) + " of the swap");
    }
    standIn.Rearm();
    corvane = StartSilent();
    ASSERT_TRUE(corvane->WaitForLogLine("Launching..."));
    Sleep(500);
    corvane->Kill();
    // Started again silently: the game of the killed launch is waited for,
    // the game folder restored (one END), and then the launch asked for runs
    // (the other).
    corvane = StartSilent();
    ASSERT_TRUE(corvane->WaitForLogLine("The game of that launch is still running: waiting for it to end."));
    ReleaseGame();
    EXPECT_TRUE(PumpUntil([&] { return std::ranges::count(corvane->LaunchLog(), "END") == 2; }, 30000));
    Check("while the game ran");
    for (const unsigned lAfterMs : {0u, 10u, 30u, 60u, 100u}) {
        standIn.Rearm();
        corvane = StartSilent();
        ASSERT_TRUE(corvane->WaitForLogLine("Launching..."));
        ReleaseGame();
        ASSERT_TRUE(corvane->WaitForLogLine("Cleanup, restoring original files and folders.", 5000));
        Sleep(lAfterMs);
        corvane->Kill();
        StartAgainAfterCrash();
        Check(std::to_string(lAfterMs) + " ms into the restore");
    }
}

}  // namespace
}  // namespace corvane::test
