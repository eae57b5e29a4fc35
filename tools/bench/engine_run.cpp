#include "engine_run.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "bare_ops.h"
#include "launch/launch_timer.h"
#include "modconfig/mod_scan.h"
#include "message_pump.h"

namespace corvane::bench {

namespace {

std::string ListLine(HWND hList, int i) {
    const LRESULT lLength = SendMessageA(hList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (lLength == LB_ERR) return {};
    std::string szLine(static_cast<size_t>(lLength) + 1, '\0');
    SendMessageA(hList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(szLine.data()));
    szLine.resize(static_cast<size_t>(lLength));
    return szLine;
}

uint64_t FilesIn(const std::string& szFolder) {
    uint64_t lFiles = 0;
    for (const TreeItem& item : TreeSnapshot(szFolder))
        if (!(item.lAttr & FILE_ATTRIBUTE_DIRECTORY)) ++lFiles;
    return lFiles;
}

std::string ReadText(const std::string& szPath) {
    HANDLE hFile = CreateFileA(szPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return {};
    std::string szText(4096, '\0');
    DWORD lRead = 0;
    ReadFile(hFile, szText.data(), static_cast<DWORD>(szText.size()), &lRead, nullptr);
    CloseHandle(hFile);
    szText.resize(lRead);
    return szText;
}

}  // namespace

EngineBench::EngineBench(const ScratchPaths& scratch, WindowProber& windowProber, Tally* tally)
    : paths(scratch),
      prober(windowProber),
      win(scratch.LaunchApp(), CORVANE_APP_TITLE),
      countedFiles(win.files, tally ? *tally : unused),
      countedFso(win.fso, tally ? *tally : unused),
      countedJournal(win.journal, tally ? *tally : unused),
      platform{tally ? static_cast<FileSystem&>(countedFiles) : win.files,
               tally ? static_cast<FileSystemObject&>(countedFso) : win.fso,
               starter, boxes, win.sounds, win.browser,
               tally ? static_cast<JournalStore&>(countedJournal) : win.journal,
               win.locks, win.rights, win.problems, win.shortcuts} {
    GameEntry& generals = state.GameTable[kGenerals];
    generals.szInstallPath = paths.Game() + "\\";
    generals.dVerMajor = 1;
    generals.dVerMinor = 4;
    generals.szTitle += " Version 1.04";
    ScanMods(win.files, paths.LaunchApp(), state);
}

int16_t EngineBench::ModIndex(const std::string& szTitle) const {
    for (int16_t i = 0; i < state.dModCount; ++i)
        if (state.ModList[i].szTitle == szTitle) return i;
    throw std::runtime_error("no mod " + szTitle + " in " + paths.LaunchApp());
}

// The swap ends where the launch starts the game; the restore runs from
// the watch's tick that finds the game ended to the end of its disk work.
LaunchResult EngineBench::Launch(int16_t dMod, std::function<void()> onStart) {
    LaunchResult result;
    const std::vector<TreeItem> before = TreeSnapshot(paths.Game());
    double dfWorkStarted[2] = {}, dfWorkEnded[2] = {};
    int lStarts = 0, lEnds = 0;
    bool bEnded = false;
    form.onWorkingChanged = [&](bool bWorking) {
        prober.SetCopying(bWorking);
        (bWorking ? dfWorkStarted[std::min(lStarts++, 1)] : dfWorkEnded[std::min(lEnds++, 1)]) = Now();
    };
    form.onLaunchEnded = [&] { bEnded = true; };
    starter.dfStartCalled = 0;
    starter.onStart = std::move(onStart);
    boxes.szShown.clear();
    prober.Take();
    result.lWorkingSetBefore = WindowProber::WorkingSet();

    const double dfProcessCpu = ProcessCpuSeconds(), dfWindowCpu = ThreadCpuSeconds();
    double dfCountCpu = 0;  // the benchmark's own count of the files, not the launch's
    const double dfCalled = Now();
    form.LaunchApplication(kGenerals, "", dMod);
    result.dfCallReturned = Now() - dfCalled;
    prober.Watch(form.Handle());
    if (!PumpUntil([&] { return lEnds >= 1 || bEnded; })) result.szProblem = "the swap never ended";
    result.dfSwap = starter.dfStartCalled - dfCalled;
    result.dfSwapWorkEnd = dfWorkEnded[0] - dfCalled;
    result.dfGameStarted = starter.dfStartReturned - dfCalled;
    if (result.szProblem.empty() && (bEnded || starter.dfStartCalled == 0)) result.szProblem = "the game was not started";

    if (result.szProblem.empty()) {
        // Counted on another thread: the window is served meanwhile.
        std::atomic<bool> bCounted{false};
        std::thread counter([&] {
            const double dfStart = ThreadCpuSeconds();
            result.lFilesWhileRunning = FilesIn(paths.Game());
            dfCountCpu = ThreadCpuSeconds() - dfStart;
            bCounted = true;
        });
        PumpUntil([&] { return bCounted.load(); });
        counter.join();
        // The stand-in game ends at once; each tick asks, the one that finds
        // it ended starts the restore.
        PumpUntil([&] {
            if (lStarts < 2 && !bEnded) SendMessageA(form.Handle(), WM_TIMER, kTmrRestoreId, 0);
            return lStarts >= 2 || bEnded;
        });
        if (!PumpUntil([&] { return bEnded && lEnds >= 2; })) result.szProblem = "the restore never ended";
        result.dfRestore = dfWorkEnded[1] - dfWorkStarted[1];
    }
    result.dfProcessCpu = ProcessCpuSeconds() - dfProcessCpu - dfCountCpu;
    result.dfWindowCpu = ThreadCpuSeconds() - dfWindowCpu;
    result.probe = prober.Take();
    prober.Watch(nullptr);
    prober.SetCopying(false);

    const std::string szLogProblem = LogProblem(FindWindowExA(form.Handle(), nullptr, "ListBox", nullptr), result);
    form.Unload();
    if (result.szProblem.empty()) result.szProblem = ReportedProblem(result);
    if (result.szProblem.empty()) result.szProblem = szLogProblem;
    if (result.szProblem.empty() && TreeSnapshot(paths.Game()) != before)
        result.szProblem = "the game folder did not come back as it was";
    return result;
}

// The log must end with END and hold no ERROR line.
std::string EngineBench::LogProblem(HWND hList, LaunchResult& result) {
    const int lCount = static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0));
    const bool bLongest = lCount > static_cast<int>(longestLog.size());
    if (bLongest) longestLog.clear();
    std::string szProblem;
    for (int i = 0; i < lCount; ++i) {
        const std::string szLine = ListLine(hList, i);
        result.lLogBytes += szLine.size();
        if (bLongest) longestLog.push_back(szLine);
        if (szProblem.empty() && szLine.rfind("ERROR", 0) == 0) szProblem = "the log says: " + szLine;
    }
    result.lLogLines = lCount > 0 ? static_cast<uint64_t>(lCount) : 0;
    if (szProblem.empty() && (lCount <= 0 || ListLine(hList, lCount - 1) != "END")) szProblem = "the log does not end with END";
    return szProblem;
}

// A message box, or a line in the program's problem log.
// Corvane.log holds what the swap linked and copied, and why a link was
// refused; anything else is a problem.
std::string EngineBench::ReportedProblem(LaunchResult& result) {
    if (!boxes.szShown.empty()) return "a message box said: " + boxes.szShown.front();
    const std::string szLogFile = paths.LaunchApp() + "\\Corvane.log";
    const std::string szNoted = ReadText(szLogFile);
    DeleteFileA(szLogFile.c_str());
    size_t lRefused = 0;
    std::string szFirstRefusal;
    for (size_t lAt = 0; lAt < szNoted.size();) {
        const size_t lEnd = std::min(szNoted.find("\r\n", lAt), szNoted.size());
        const std::string szLine = szNoted.substr(lAt, lEnd - lAt);
        lAt = lEnd + 2;
        if (szLine.find(": The swap linked ") != std::string::npos) {
            result.szCopies = szLine.substr(szLine.find(": The swap linked ") + 2) + result.szCopies;
            continue;
        }
        if (szLine.find(": Copied instead of linked: ") != std::string::npos) {
            if (lRefused++ == 0) szFirstRefusal = szLine.substr(szLine.rfind(": error ") + 2);
            continue;
        }
        // The launch names the loose files the game would load with the mod,
        // and the bench's game folder has some: no problem of the launch's.
        if (szLine.find(" The game loads this with the mod: ") != std::string::npos) continue;
        if (!szLine.empty()) return "Corvane.log says: " + szLine;
    }
    if (lRefused)
        result.szCopies += " Links refused: " + std::to_string(lRefused) + " (the first: " + szFirstRefusal + ").";
    return {};
}

double EngineBench::Scan(uint64_t& lMods, uint64_t& lEntries) {
    ProgramState scanned;
    const double dfStart = Now();
    ScanMods(win.files, paths.ScanApp(), scanned);
    const double dfSeconds = Now() - dfStart;
    lMods = static_cast<uint64_t>(scanned.dModCount);
    lEntries = 0;
    for (int16_t i = 0; i < scanned.dModCount; ++i) lEntries += static_cast<uint64_t>(scanned.ModList[i].dCount);
    return dfSeconds;
}

}  // namespace corvane::bench
