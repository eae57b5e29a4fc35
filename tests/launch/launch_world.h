// One run of the program's launch over a disk in memory: the launcher with a
// window that only records what it is told, and disk work run on the spot.
// Several runs over one FakePlatform are the program started again.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "launch/launcher.h"
#include "support/fake_platform.h"

namespace corvane::test {

inline const std::string kGameFolder = "C:\\Games\\Gen";
inline const std::string kProgramFolder = "C:\\Corvane";

struct InlineRunner : WorkRunner {
    bool bRunning = false;
    void Run(std::function<void()> work, std::function<void()> then) override {
        bRunning = true;
        work();
        bRunning = false;
        then();
    }
    bool Running() const override { return bRunning; }
};

struct RecordingWindow : LaunchView, LaunchLog {
    std::vector<std::string> lines;
    bool bCloseEnabled = false, bTimer = false, bUnloaded = false, bProgramEnded = false;
    int lEnded = 0;
    uint64_t lDone = 0, lTotal = 0;

    void Line(const std::string& szMsg) override { lines.push_back(szMsg); }
    void Progress(uint64_t lNowDone, uint64_t lNowTotal) override {
        if (lNowTotal) lDone = lNowDone, lTotal = lNowTotal;
    }
    void SetCloseEnabled(bool bEnabled) override { bCloseEnabled = bEnabled; }
    void ShowLaunchWindow() override {}
    void SetWatchTimerEnabled(bool bEnabled) override { bTimer = bEnabled; }
    void UnloadLaunchWindow() override { bUnloaded = true; }
    void SetWorking(bool) override {}
    void LaunchEnded() override { ++lEnded; }
    void EndProgram() override { bProgramEnded = true; }
};

// Generals 1.08 installed in kGameFolder, and the mods given.
struct ProgramRun {
    explicit ProgramRun(FakePlatform& fakes, const std::vector<ModConfig>& mods = {}) : platform(fakes.Get()) {
        fakes.disk.AddFolder(kProgramFolder);
        state.GameTable[kGenerals] = {"Generals.exe", kGameFolder + "\\", "Generals", 1, 8};
        for (const ModConfig& mod : mods) state.AppendMod(mod);
    }
    // Lets the watched game end and the window's timer notice it.
    void EndGame(FakePlatform& fakes) {
        fakes.processes.bRunning = false;
        launcher.tmrRestore_Timer();
    }

    ProgramState state;
    Platform platform;
    RecordingWindow window;
    InlineRunner runner;
    Launcher launcher{state, platform, kProgramFolder, window, window, runner};
};

// A mod of configuration-file entries: source, destination, source, ...
inline ModConfig ModOf(const std::vector<std::string>& szPairs) {
    ModConfig mod;
    mod.szTitle = "Test";
    mod.szModFile = "Test.big";
    for (size_t i = 0; i + 1 < szPairs.size(); i += 2) mod.AddEntry(szPairs[i], szPairs[i + 1]);
    return mod;
}

}  // namespace corvane::test
