// The program's own launch and scan, timed: a launch window on the Windows
// platform layer runs one whole launch of a mod into the stand-in game
// folder, driven through its messages as the program drives it.
#pragma once

#include <cstdint>
#include <string>

#include "launch/frm_launch.h"
#include "counted_platform.h"
#include "platform/win_platform.h"
#include "state/app_version.h"
#include "scratch_layout.h"
#include "state/program_state.h"
#include "timed_parts.h"
#include "window_prober.h"

namespace corvane::bench {

struct LaunchResult {
    double dfSwap = 0;         // seconds from LaunchApplication to the call that starts the game
    double dfSwapWorkEnd = 0;  // ...to onWorkingChanged(false): the game started, the log shown
    double dfRestore = 0;      // onWorkingChanged(true) after the game to onWorkingChanged(false)
    double dfCallReturned = 0;  // seconds LaunchApplication took: the window loaded, the work begun
    double dfGameStarted = 0;  // seconds from LaunchApplication to the return of the game's start
    double dfProcessCpu = 0;   // processor seconds of the whole process, launch to END
    double dfWindowCpu = 0;    // ...of the window's thread alone
    WindowProber::Result probe;
    uint64_t lWorkingSetBefore = 0;
    uint64_t lLogLines = 0;
    uint64_t lLogBytes = 0;
    uint64_t lFilesWhileRunning = 0;  // in the game folder, while the game ran
    std::string szProblem;            // the first sign of a failure; empty when all went well
    std::string szCopies;             // what Corvane.log says the swap linked and copied
};

class EngineBench {
public:
    // With a tally, every file, copy and journal call of the launches is
    // counted and timed in it.
    EngineBench(const ScratchPaths& paths, WindowProber& prober, Tally* tally = nullptr);

    // The mod of that title in the launch program folder; throws when absent.
    int16_t ModIndex(const std::string& szTitle) const;
    const ModConfig& Mod(int16_t dMod) const { return state.ModList.at(dMod); }
    const GameEntry& Game() const { return state.GameTable[kGenerals]; }

    // One launch of ModList(dMod) into Generals, from Start Game to END;
    // onStart runs as the launch starts the game.
    LaunchResult Launch(int16_t dMod, std::function<void()> onStart = {});

    // One ScanMods of the scan program folder: seconds; the mods and the
    // entries it found.
    double Scan(uint64_t& lMods, uint64_t& lEntries);

    // The lines of the launch with the longest log so far.
    const std::vector<std::string>& LongestLog() const { return longestLog; }

private:
    std::string LogProblem(HWND hList, LaunchResult& result);
    std::string ReportedProblem(LaunchResult& result);

    ScratchPaths paths;
    WindowProber& prober;
    ProgramState state;
    WinPlatform win;
    QuietMessageBoxes boxes;
    TimedStarter starter{win.processes};
    Tally unused;
    CountedFiles countedFiles;
    CountedFso countedFso;
    CountedJournal countedJournal;
    Platform platform;
    frmLaunch form{state, platform, paths.LaunchApp()};
    std::vector<std::string> longestLog;
};

}  // namespace corvane::bench
