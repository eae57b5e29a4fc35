// The launch and the scan against a plain program doing the same disk work,
// interleaved round by round in one process under the same conditions:
//
//   corvane_bench <scratch folder> <stand-in Generals.exe> [rounds]
//   corvane_bench <scratch folder> <stand-in Generals.exe> --phases
//   corvane_bench <scratch folder> <stand-in Generals.exe> --undo
//   corvane_bench <scratch folder> <stand-in Generals.exe> --check
//
// The second form runs each mod's check, swap and restore once without the
// window, with every call of the launch counted and timed. The third times
// only the undo of a launch whose game drive is gone, on the disk in
// memory, which the first form times too. The fourth times only the check
// of a game folder against a bare walk of it, which the first form times
// last.
//
// The scratch folder (a path without dots, e.g. C:\CorvaneBench) is made
// and filled by the benchmark; nothing outside it is changed.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "bare_ops.h"
#include "bench_report.h"
#include "check_run.h"
#include "engine_run.h"
#include "idle_window.h"
#include "message_pump.h"
#include "phase_run.h"
#include "scratch_layout.h"
#include "stopwatch.h"
#include "undo_drive_gone.h"
#include "window_prober.h"

namespace corvane::bench {

namespace {

struct ModBench {
    const char* szTitle;
    std::string szSource;      // the tree the bare copy copies
    std::string szBareTarget;  // where it copies it to
    int16_t dMod = -1;
    ModFigures figures;
};

// Each timed run starts after a pause, so that what the file system still
// does for the run before (committing its journal, discarding the blocks of
// deleted files, write-back) is not billed to whichever run comes next. With
// a pause shorter than the file system's commit interval (ext4: 5 s), the
// first 1 GiB copy of every round, the launch's or the bare one, took about
// a second longer than the second.
constexpr DWORD kSettleMs = 6000;
constexpr uint64_t kQuietDirtyKiB = 8 * 1024;

// What the Linux kernel under Wine still has to write of earlier runs, in
// KiB, read from /proc/meminfo through Wine's drive Z:; 0 where there is none.
uint64_t UnwrittenKiB() {
    std::ifstream meminfo("Z:\\proc\\meminfo");
    uint64_t lKiB = 0;
    for (std::string szLine; std::getline(meminfo, szLine);) {
        if (szLine.rfind("Dirty:", 0) == 0 || szLine.rfind("Writeback:", 0) == 0)
            lKiB += std::strtoull(szLine.c_str() + szLine.find(':') + 1, nullptr, 10);
    }
    return lKiB;
}

// The pause, then until the bytes of earlier runs are on the disk (at most
// a minute): a copy that starts while the kernel writes back another one's
// bytes took up to half as long again as one that starts on a quiet disk.
void Settle() {
    Sleep(kSettleMs);
    for (int i = 0; i < 600 && UnwrittenKiB() > kQuietDirtyKiB; ++i) Sleep(100);
}

double Timed(const std::function<void()>& work) {
    const double dfStart = Now();
    work();
    return Now() - dfStart;
}

void RunEngine(EngineBench& engine, ModBench& mod, int lRound) {
    Settle();
    const LaunchResult result = engine.Launch(mod.dMod);
    if (!result.szProblem.empty()) throw std::runtime_error(std::string(mod.szTitle) + ": " + result.szProblem);
    mod.figures.Add(result);
    std::printf("  round %d  %-14s swap %7.3f s, restore %7.3f s; longest no answer %4.0f ms (%.2f s in), while"
                " copying %4.0f ms\n",
                lRound, mod.szTitle, result.dfSwap, result.dfRestore, result.probe.dfLongest * 1000,
                result.probe.dfLongestAt, result.probe.dfLongestWhileCopying * 1000);
    std::printf("  %-23s LaunchApplication returned after %.3f s, the game started at %.3f s, the work ended at"
                " %.3f s;\n  %-23s %llu log lines, %llu files in the game folder while it ran; processor %.2f s"
                " (window's thread %.2f s)\n  %-23s %s\n",
                "", result.dfCallReturned, result.dfGameStarted, result.dfSwapWorkEnd, "",
                static_cast<unsigned long long>(result.lLogLines),
                static_cast<unsigned long long>(result.lFilesWhileRunning), result.dfProcessCpu, result.dfWindowCpu,
                "", result.szCopies.c_str());
}

// The plain program works on a thread of its own while this thread serves
// an idle window, so the window's answers show what the machine allows.
void RunBare(ModBench& mod, WindowProber& prober, const IdleWindow& idle, int lRound) {
    Settle();
    double dfCopy = 0, dfDelete = 0;
    std::atomic<bool> bDone{false};
    std::exception_ptr failure;
    prober.Take();
    prober.Watch(idle.Handle());
    prober.SetCopying(true);
    const double dfCpu = ProcessCpuSeconds();
    std::thread worker([&] {
        try {
            dfCopy = Timed([&] { BareCopy(mod.szSource, mod.szBareTarget); });
            dfDelete = Timed([&] { BareDelete(mod.szBareTarget); });
        } catch (...) {
            failure = std::current_exception();
        }
        bDone = true;
    });
    PumpUntil([&] { return bDone.load(); });
    worker.join();
    prober.Watch(nullptr);
    prober.SetCopying(false);
    const WindowProber::Result idleAnswers = prober.Take();
    const double dfCpuUsed = ProcessCpuSeconds() - dfCpu;
    if (failure) std::rethrow_exception(failure);
    mod.figures.bareCopy.Add(dfCopy);
    mod.figures.bareDelete.Add(dfDelete);
    mod.figures.dfLongestIdleWhileBare = std::max(mod.figures.dfLongestIdleWhileBare, idleAnswers.dfLongest);
    mod.figures.bareCpu.Add(dfCpuUsed);
    std::printf("  round %d  %-14s bare copy %6.3f s, bare delete %6.3f s; idle window's longest no answer %4.0f ms;"
                " processor %.2f s\n",
                lRound, mod.szTitle, dfCopy, dfDelete, idleAnswers.dfLongest * 1000, dfCpuUsed);
}

void RunScan(EngineBench& engine, const ScratchPaths& paths, ScanFigures& scan, bool bEngineFirst, int lRound) {
    double dfScan = 0, dfWalk = 0;
    Sleep(kSettleMs);
    // The launches before wrote gigabytes, which push the scanned folders out
    // of the system's caches: whichever went first listed them from the disk
    // (a bare walk of 0.87 s against 0.40 s right after the scan, and a scan
    // of 0.58 s against 0.43 s). One untimed walk first lets both list alike.
    BareWalk(paths.ScanApp());
    const auto scanOnce = [&] { dfScan = engine.Scan(scan.lMods, scan.lEntries); };
    const auto walkOnce = [&] { dfWalk = Timed([&] { scan.lWalked = BareWalk(paths.ScanApp()); }); };
    if (bEngineFirst) scanOnce(), walkOnce();
    else walkOnce(), scanOnce();
    scan.scan.Add(dfScan);
    scan.walk.Add(dfWalk);
    std::printf("  round %d  %-14s ScanMods %7.3f s (%llu mods, %llu entries)  bare walk %7.3f s (%llu entries)\n",
                lRound, "scan", dfScan, static_cast<unsigned long long>(scan.lMods),
                static_cast<unsigned long long>(scan.lEntries), dfWalk, static_cast<unsigned long long>(scan.lWalked));
}

// Small files cost the launch little beyond the copy itself: their swap is
// to take at most 1.05 times the bare copy. Archives linked on the game's
// drive take next to no time: a mod of archives alone is to swap in a
// tenth of the bare copy at most, and with 2,000 small files beside them
// (whose copies alone take about 0.7 of that copy under Wine) in no more
// than the bare copy; either restores in no more than the bare delete.
// From another drive archives are copied, at no extra cost.
std::vector<ModBench> ModsOf(const ScratchPaths& paths, const EngineBench& engine) {
    // The targets of the swap and the restore, as ratios to the bare copy and delete.
    const auto mod = [&](const char* szTitle, std::string szSource, const char* szBare, double dfSwap, double dfRestore) {
        ModBench bench{szTitle, std::move(szSource), paths.Bare() + "\\" + szBare, -1, {}};
        bench.figures.dfSwapTarget = dfSwap;
        bench.figures.dfRestoreTarget = dfRestore;
        return bench;
    };
    std::vector<ModBench> mods = {
        mod(kBigModTitle, paths.BigMod(), "BigFiles", 1.10, 1.10),
        mod(kSmallModTitle, paths.SmallMod(), "SmallFiles", 1.05, 1.10),
        mod(kSmallConfigTitle, paths.SmallConfigSource(), "Data", 1.05, 1.10),
        mod(kArchivesAloneTitle, paths.ArchivesAloneMod(), "ArchivesAlone", 0.10, 1.0),
        mod(kArchiveModTitle, paths.ArchiveMod(), "BigArchives", 1.0, 1.0),
    };
    if (!paths.szFarRoot.empty()) mods.push_back(mod(kFarArchiveTitle, paths.FarArchives(), "Far", 1.10, 1.10));
    for (ModBench& each : mods) each.dMod = engine.ModIndex(each.szTitle);
    return mods;
}

// Drive H:, when it lies on another file system than the scratch folder: a
// file of the one cannot be linked to the other.
std::string FarRoot(const std::string& szRoot) {
    const std::string szFar = "H:\\CorvaneBenchFar";
    if (GetDriveTypeA("H:\\") == DRIVE_NO_ROOT_DIR) return "";
    CreateDirectoryA(szFar.c_str(), nullptr);
    const std::string szProbe = szFar + "\\probe", szLink = szRoot + "\\probe-link";
    CloseHandle(CreateFileA(szProbe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const bool bLinked = CreateHardLinkA(szLink.c_str(), szProbe.c_str(), nullptr);
    DeleteFileA(szLink.c_str());
    DeleteFileA(szProbe.c_str());
    return bLinked ? "" : szFar;
}

void SetUp(const ScratchPaths& paths, const std::string& szStandIn) {
    std::printf("Setting up %s (kept parts of an earlier run are reused)...\n", paths.szRoot.c_str());
    const double dfSetup = Timed([&] { PrintSetup(BuildScratch(paths, szStandIn)); });
    std::printf("Set up in %.1f s\n", dfSetup);
}

// Then the whole launch through its window, as the table times it, every
// call counted up to the game's start: what the launch does before and
// around the swap shows too.
int RunPhases(const ScratchPaths& paths, const std::string& szStandIn) {
    SetUp(paths, szStandIn);
    WindowProber prober;
    Tally tally;
    EngineBench engine(paths, prober, &tally);
    for (const ModBench& mod : ModsOf(paths, engine)) {
        PrintPhases(paths, engine.Mod(mod.dMod), engine.Game(), mod.szSource, mod.szBareTarget);
        tally.calls.clear();
        Tally untilStart;
        const double dfCpu = ProcessCpuSeconds();
        double dfCpuAtStart = 0;
        const LaunchResult result = engine.Launch(mod.dMod, [&] {
            untilStart = tally;
            dfCpuAtStart = ProcessCpuSeconds() - dfCpu;
        });
        if (!result.szProblem.empty()) throw std::runtime_error(std::string(mod.szTitle) + ": " + result.szProblem);
        std::printf("    launch   %8.3f s until the game starts, through the window; processor %.3f s, of the whole"
                    " launch %.3f s (window's thread %.3f s)\n",
                    result.dfSwap, dfCpuAtStart, result.dfProcessCpu, result.dfWindowCpu);
        untilStart.Print(result.dfSwap);
    }
    return 0;
}

// In memory, and first: the disk work of the scratch trees has no part in it.
UndoScaling MeasureUndo(int lRounds) {
    std::printf("Undo of a launch whose game drive is gone, on the disk in memory, %d rounds\n", lRounds);
    return MeasureUndoScaling(lRounds);
}

int RunUndo() {
    std::printf("\n");
    return PrintUndoScaling(MeasureUndo(3)) ? 0 : 3;
}

int Run(const ScratchPaths& paths, const std::string& szStandIn, int lRounds) {
    const UndoScaling undo = MeasureUndo(lRounds);
    SetUp(paths, szStandIn);
    WindowProber prober;
    EngineBench engine(paths, prober);
    std::vector<ModBench> mods = ModsOf(paths, engine);
    IdleWindow idle;
    const uint64_t lWorkingSetBefore = WindowProber::WorkingSet();

    // One untimed pass over every tree first: the first copy of a run
    // should not be the only one to read its sources from the disk.
    std::printf("Warming up: one bare copy, delete and walk of every tree, not timed\n");
    for (const ModBench& mod : mods) {
        BareCopy(mod.szSource, mod.szBareTarget);
        BareDelete(mod.szBareTarget);
    }
    BareWalk(paths.ScanApp());

    ScanFigures scan;
    for (int lRound = 1; lRound <= lRounds; ++lRound) {
        // Who goes first changes every round, so that neither always meets
        // the disk's write-back of the other.
        const bool bEngineFirst = lRound % 2 == 1;
        for (ModBench& mod : mods) {
            if (bEngineFirst) RunEngine(engine, mod, lRound), RunBare(mod, prober, idle, lRound);
            else RunBare(mod, prober, idle, lRound), RunEngine(engine, mod, lRound);
        }
        RunScan(engine, paths, scan, bEngineFirst, lRound);
    }

    std::vector<std::pair<std::string, ModFigures>> figures;
    for (const ModBench& mod : mods) figures.emplace_back(mod.szTitle, mod.figures);
    const LogAlone log = MeasureLogAlone(engine.LongestLog(), paths.szRoot);
    // A tenth of a second a round: thrice the rounds steady the median.
    const CheckFigures check = MeasureCheck(paths.szRoot, szStandIn, 3 * lRounds);
    const bool bMet = PrintTable(figures, scan, log, undo, lWorkingSetBefore, WindowProber::PeakWorkingSet());
    return PrintCheck(check) && bMet ? 0 : 3;
}

}  // namespace

}  // namespace corvane::bench

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc == 3 && std::string(argv[1]) == "--log-alone") return corvane::bench::RunLogAlone(argv[2]);
    if (argc < 3) {
        std::printf("usage: corvane_bench <scratch folder> <stand-in Generals.exe> [rounds]\n");
        return 2;
    }
    const int lRounds = argc > 3 ? std::atoi(argv[3]) : 3;
    try {
        if (argc > 3 && std::string(argv[3]) == "--undo") return corvane::bench::RunUndo();
        CreateDirectoryA(argv[1], nullptr);
        const corvane::bench::ScratchPaths paths{argv[1], corvane::bench::FarRoot(argv[1])};
        if (argc > 3 && std::string(argv[3]) == "--phases") return corvane::bench::RunPhases(paths, argv[2]);
        if (argc > 3 && std::string(argv[3]) == "--check")
            return corvane::bench::PrintCheck(corvane::bench::MeasureCheck(paths.szRoot, argv[2], 9)) ? 0 : 3;
        return corvane::bench::Run(paths, argv[2], lRounds > 0 ? lRounds : 3);
    } catch (const std::exception& e) {
        std::printf("BENCHMARK FAILED: %s\n", e.what());
        return 1;
    }
}
