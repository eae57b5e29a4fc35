#include "phase_run.h"

#include <cstdio>
#include <vector>

#include "bare_ops.h"
#include "counted_platform.h"
#include "launch/journal/journal_records.h"
#include "launch/journal/launch_journal.h"
#include "launch/recovery/recovery.h"
#include "launch/swap/swap_copies.h"
#include "launch/swap/swap_in.h"
#include "launch/undo/undo.h"
#include "platform/win_platform.h"
#include "state/app_version.h"
#include "stopwatch.h"
#include "window_prober.h"

namespace corvane::bench {

namespace {

void PrintPhase(const char* szPhase, double dfWall, double dfCpu, const Tally& tally, const CountedLog& log) {
    constexpr double kMiB = 1024.0 * 1024.0;
    std::printf("    %-8s %8.3f s, processor %.3f s, %llu log lines, %llu progress reports; working set %.1f MiB, its"
                " peak so far %.1f MiB\n",
                szPhase, dfWall, dfCpu, static_cast<unsigned long long>(log.lLines),
                static_cast<unsigned long long>(log.lProgress), WindowProber::WorkingSet() / kMiB,
                WindowProber::PeakWorkingSet() / kMiB);
    tally.Print(dfWall);
}

}  // namespace

void PrintPhases(const ScratchPaths& paths, const ModConfig& mod, const GameEntry& game,
                 const std::string& szBareSource, const std::string& szBareTarget) {
    WinPlatform win(paths.LaunchApp(), CORVANE_APP_TITLE);
    Tally checkTally, swapTally, restoreTally;
    CountedLog checkLog, swapLog, restoreLog;
    std::printf("  %s (%d entries)\n", mod.szTitle.c_str(), mod.dCount);

    double dfStart = Now(), dfCpu = ThreadCpuSeconds();
    SourceCheck check;
    {
        CountedFiles files(win.files, checkTally);
        CountedFso fso(win.fso, checkTally);
        SwapCopies archives(checkLog);
        check = CheckSources(mod, game, files, fso, archives, checkLog);
    }
    PrintPhase("check", Now() - dfStart, ThreadCpuSeconds() - dfCpu, checkTally, checkLog);

    std::vector<std::string> szCreated(1);
    CountedJournal swapJournal(win.journal, swapTally);
    LaunchJournal journal(swapJournal);
    dfStart = Now(), dfCpu = ThreadCpuSeconds();
    {
        CountedFiles files(win.files, swapTally);
        CountedFso fso(win.fso, swapTally);
        SwapCopies progress(swapLog);
        progress.Expect(check.lBytes);
        journal.Note(RecordOf(JournalStep::kBegin, game.szInstallPath, mod.szTitle));
        SwapServices services{files, fso, journal, swapLog, &progress};
        SwapIn(mod, game, check, services, szCreated);
    }
    PrintPhase("swap", Now() - dfStart, ThreadCpuSeconds() - dfCpu, swapTally, swapLog);

    dfStart = Now(), dfCpu = ThreadCpuSeconds();
    {
        CountedFiles files(win.files, restoreTally);
        CountedFso fso(win.fso, restoreTally);
        CountedJournal restoreJournal(win.journal, restoreTally);
        UndoServices services{files, fso, restoreLog, win.problems, journal};
        const FinishedSwap swap{check.targets, szCreated};
        const std::vector<JournalRecord> records = journal.ReadBack();
        const UndoResult result = UndoLaunch(records, &swap, services);
        KeepInJournal(records, result, restoreJournal, win.problems);
    }
    PrintPhase("restore", Now() - dfStart, ThreadCpuSeconds() - dfCpu, restoreTally, restoreLog);

    dfStart = Now(), dfCpu = ThreadCpuSeconds();
    BareCopy(szBareSource, szBareTarget);
    const double dfCopy = Now() - dfStart, dfCopyCpu = ThreadCpuSeconds() - dfCpu;
    dfStart = Now(), dfCpu = ThreadCpuSeconds();
    BareDelete(szBareTarget);
    std::printf("    bare copy %.3f s (processor %.3f s), bare delete %.3f s (processor %.3f s)\n", dfCopy, dfCopyCpu,
                Now() - dfStart, ThreadCpuSeconds() - dfCpu);
}

}  // namespace corvane::bench
