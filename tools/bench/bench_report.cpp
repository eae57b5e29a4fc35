#include "bench_report.h"

#include <algorithm>
#include <cstdio>

namespace corvane::bench {

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

// The targets beside the mods' own.
constexpr double kScanTarget = 1.0;
constexpr double kAnswerTargetSeconds = 0.100;
// Twice the files may take a little more than twice as long (sorted
// lookups, a larger working set), never four times.
constexpr double kUndoScalingTarget = 2.5;

const char* Verdict(bool bMet) { return bMet ? "met" : "MISSED"; }

void PrintTree(const char* szWhat, const TreeSize& tree) {
    std::printf("  %-44s %7llu files %6llu folders %9.1f MiB\n", szWhat, static_cast<unsigned long long>(tree.lFiles),
                static_cast<unsigned long long>(tree.lFolders), tree.lBytes / kMiB);
}

void PrintMod(const char* szWhat, const ModSize& mod) {
    PrintTree(szWhat, mod.tree);
    std::printf("  %-44s %7llu replace game files (backed up and restored), %llu are new files in the game's own\n"
                "  %-44s folders, the rest are in %s\n",
                "", static_cast<unsigned long long>(mod.lReplaced), static_cast<unsigned long long>(mod.lNewInExisting), "",
                "new folders");
}

bool PrintUndoLine(const char* szTitle, const UndoScaling& undo, const Samples& small, const Samples& large,
                   const char* szWhich) {
    const double dfRatio = small.Median() > 0 ? large.Median() / small.Median() : 0;
    const bool bMet = dfRatio > 0 && dfRatio <= kUndoScalingTarget;
    std::printf("%-16s | %d files %.3f s, %d files %.3f s, ratio %.2f (target <= %.2f) %s; %s\n", szTitle,
                static_cast<int>(undo.lSmall), small.Median(), static_cast<int>(undo.lLarge), large.Median(), dfRatio,
                kUndoScalingTarget, Verdict(bMet), szWhich);
    return bMet;
}

}  // namespace

bool PrintUndoScaling(const UndoScaling& undo) {
    const bool bRestoreMet = PrintUndoLine("undo, drive gone", undo, undo.restoreSmall, undo.restoreLarge,
                                           "the restore after the game (in memory, medians)");
    const bool bNextStartMet = PrintUndoLine("", undo, undo.recoverySmall, undo.recoveryLarge,
                                             "the next start, the drive still gone");
    return bRestoreMet && bNextStartMet;
}

void ModFigures::Add(const LaunchResult& result) {
    swap.Add(result.dfSwap);
    swapWorkEnd.Add(result.dfSwapWorkEnd);
    restore.Add(result.dfRestore);
    launchCpu.Add(result.dfProcessCpu);
    windowCpu.Add(result.dfWindowCpu);
    dfLongestWhileCopying = std::max(dfLongestWhileCopying, result.probe.dfLongestWhileCopying);
    dfLongest = std::max(dfLongest, result.probe.dfLongest);
    if (result.probe.lLargestWorkingSet > result.lWorkingSetBefore)
        lLargestGrowth = std::max(lLargestGrowth, result.probe.lLargestWorkingSet - result.lWorkingSetBefore);
    lLogLines = result.lLogLines;
    lLogBytes = result.lLogBytes;
}

void PrintSetup(const ScratchSummary& summary) {
    PrintTree("stand-in game folder (Generals.exe, Data\\...)", summary.game);
    PrintMod("BigFiles: folder mod", summary.big);
    PrintMod("SmallFiles: folder mod", summary.small);
    PrintMod("BigArchives: folder mod, 4 BIG archives", summary.archives);
    PrintTree("ArchivesAlone: folder mod, 4 BIG archives", summary.archivesAlone.tree);
    std::printf("  %-44s the SmallFiles tree (SmallFiles\\Data) as one folder entry\n"
                "  %-44s whose destination is the game folder: the game's Data is\n"
                "  %-44s moved aside whole and the tree copied in its place\n",
                "SmallFilesZcf: configuration file", "", "");
    std::printf("  %-44s the BigArchives tree on drive H:, another file system, as\n"
                "  %-44s a configuration file that puts it at the same places\n",
                "FarArchivesZcf: configuration file", "");
    std::printf("  %-44s %7llu mods\n", "scan program folder", static_cast<unsigned long long>(summary.lScanMods));
    PrintTree("", summary.scan);
}

bool PrintTable(const std::vector<std::pair<std::string, ModFigures>>& mods, const ScanFigures& scan,
                const LogAlone& log, const UndoScaling& undo, uint64_t lWorkingSetBefore, uint64_t lPeakWorkingSet) {
    bool bAllMet = true;
    std::printf("\nRatios per round (engine / bare program, same round), minimum and median; times are medians,"
                " in seconds.\nNo answer: the launch window during its disk work and during the whole launch; an idle"
                " window of\nthe same process while the bare program copied and deleted on another thread.\n");
    std::printf("%-14s | %-30s | %-30s | %-29s | %s\n", "mod", "swap / bare copy", "restore / bare delete",
                "longest no answer (ms)", "launch memory");
    std::printf("%-14s | %6s %6s  %7s %7s | %6s %6s  %7s %7s | %7s %7s %13s | %s\n", "", "min", "med", "swap", "copy",
                "min", "med", "restore", "delete", "copying", "launch", "idle, bare cp", "growth, log lines");
    for (const auto& [szTitle, mod] : mods) {
        const Samples swapRatio = Ratios(mod.swap, mod.bareCopy), restoreRatio = Ratios(mod.restore, mod.bareDelete);
        std::printf("%-14s | %6.3f %6.3f  %7.3f %7.3f | %6.3f %6.3f  %7.3f %7.3f | %7.0f %7.0f %13.0f | +%.1f MiB, %llu"
                    " lines (%.1f MiB of text)\n",
                    szTitle.c_str(), swapRatio.Min(), swapRatio.Median(), mod.swap.Median(), mod.bareCopy.Median(),
                    restoreRatio.Min(), restoreRatio.Median(), mod.restore.Median(), mod.bareDelete.Median(),
                    mod.dfLongestWhileCopying * 1000, mod.dfLongest * 1000, mod.dfLongestIdleWhileBare * 1000,
                    mod.lLargestGrowth / kMiB,
                    static_cast<unsigned long long>(mod.lLogLines), mod.lLogBytes / kMiB);
        std::printf("%-14s | swap up to onWorkingChanged(false), game start included: median %.3f s, ratio %.3f\n", "",
                    mod.swapWorkEnd.Median(), Ratios(mod.swapWorkEnd, mod.bareCopy).Median());
        std::printf("%-14s | processor (medians): launch %.2f s, of which its window's thread %.2f s; bare program"
                    " %.2f s\n",
                    "", mod.launchCpu.Median(), mod.windowCpu.Median(), mod.bareCpu.Median());
        const bool bSwapMet = swapRatio.Median() <= mod.dfSwapTarget;
        const bool bRestoreMet = restoreRatio.Median() <= mod.dfRestoreTarget;
        std::printf("%-14s | targets: swap <= %.2fx %s, restore <= %.2fx %s, window answers %s\n", "",
                    mod.dfSwapTarget, Verdict(bSwapMet), mod.dfRestoreTarget, Verdict(bRestoreMet),
                    Verdict(mod.dfLongestWhileCopying <= kAnswerTargetSeconds));
        bAllMet = bAllMet && bSwapMet && bRestoreMet && mod.dfLongestWhileCopying <= kAnswerTargetSeconds;
    }
    const Samples scanRatio = Ratios(scan.scan, scan.walk);
    std::printf("%-14s | ScanMods / bare walk: min %.3f med %.3f (ScanMods %.3f s, walk %.3f s; %llu mods, %llu entries)"
                " target %s\n",
                "scan", scanRatio.Min(), scanRatio.Median(), scan.scan.Median(), scan.walk.Median(),
                static_cast<unsigned long long>(scan.lMods), static_cast<unsigned long long>(scan.lEntries),
                Verdict(scanRatio.Median() <= kScanTarget));
    bAllMet = bAllMet && scanRatio.Median() <= kScanTarget;
    std::printf("memory         | working set before the first launch %.1f MiB, peak of the whole run %.1f MiB\n",
                lWorkingSetBefore / kMiB, lPeakWorkingSet / kMiB);
    const bool bLogMet = log.lGrowth <= log.lTextBytes;
    std::printf("log alone      | the longest launch's %zu lines (%.1f MiB of text) in a window of their own: +%.1f MiB;"
                " target <= its text %s\n",
                log.lLines, log.lTextBytes / kMiB, log.lGrowth / kMiB, Verdict(bLogMet));
    bAllMet = bAllMet && bLogMet;
    bAllMet = PrintUndoScaling(undo) && bAllMet;
    std::printf("targets        | swap and restore as each mod says (median), scan <= %.1fx (median), no answer <= %.0f"
                " ms while copying, undo with the drive gone <= %.1fx for twice the files: %s\n",
                kScanTarget, kAnswerTargetSeconds * 1000, kUndoScalingTarget, bAllMet ? "all met" : "NOT ALL MET");
    return bAllMet;
}

}  // namespace corvane::bench
