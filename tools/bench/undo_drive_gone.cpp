#include "undo_drive_gone.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>

#include "launch/launch_world.h"

namespace corvane::bench {

namespace {

using test::Fault;
using test::FakePlatform;
using test::MemoryDisk;

// The game on a drive of its own, the one that goes; the program and the
// mod on drives that stay.
const std::string kGameFolder = "G:\\Games\\Generals";
const std::string kModFolder = "D:\\Mod";
const std::string kProgramFolder = "C:\\Corvane";
constexpr int32_t kFilesPerFolder = 100;

double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string Numbered(const char* szPrefix, int32_t l, const char* szSuffix) {
    char szName[32];
    std::snprintf(szName, sizeof szName, "%s%05d%s", szPrefix, static_cast<int>(l), szSuffix);
    return szName;
}

// One start of the program, with the launch window's lines recorded and
// its disk work run on the spot. Not the tests' own: theirs has the program
// on the game's drive, where a start with that drive gone could not even
// take its lock.
struct ProgramRun {
    explicit ProgramRun(FakePlatform& fakes, const ModConfig* mod = nullptr) : platform(fakes.Get()) {
        state.GameTable[kGenerals] = {"Generals.exe", kGameFolder + "\\", "Generals", 1, 8};
        if (mod) state.AppendMod(*mod);
    }

    ProgramState state;
    Platform platform;
    test::RecordingWindow window;
    test::InlineRunner runner;
    Launcher launcher{state, platform, kProgramFolder, window, window, runner};
};

// The game with a folder of art the folder entry replaces whole, and every
// second one of the file entries' files.
void AddGame(MemoryDisk& disk, int32_t lFileEntries) {
    disk.AddFile(kGameFolder + "\\Generals.exe", "game");
    for (int32_t l = 0; l < 10; ++l) disk.AddFile(kGameFolder + "\\Data\\Art" + Numbered("\\g", l, ".tga"), "game's");
    for (int32_t l = 0; l < lFileEntries; l += 2)
        disk.AddFile(kGameFolder + "\\Data\\INI" + Numbered("\\f", l, ".ini"), "game's");
}

ModConfig AddMod(MemoryDisk& disk, int32_t lFiles) {
    const int32_t lInFolder = lFiles / 2, lFileEntries = lFiles - lInFolder;
    for (int32_t l = 0; l < lInFolder; ++l)
        disk.AddFile(kModFolder + "\\Art" + Numbered("\\s", l / kFilesPerFolder, "") + Numbered("\\a", l, ".tga"),
                     "mod's art");
    ModConfig mod;
    mod.szTitle = "UndoBench";
    mod.szModFile = "UndoBench.big";
    mod.AddEntry(kModFolder + "\\Art", kGameFolder + "\\Data");
    for (int32_t l = 0; l < lFileEntries; ++l) {
        const std::string szSource = kModFolder + "\\INI" + Numbered("\\f", l, ".ini");
        disk.AddFile(szSource, "mod's ini");
        mod.AddEntry(szSource, kGameFolder + "\\Data\\INI");
    }
    return mod;
}

// The disk's own fault, set off by a look at the game folder, so that the
// drive is gone for every call of the undo alike, as for a player who
// unplugged it.
void TakeDriveAway(MemoryDisk& disk) {
    disk.FailAt(1, Fault::kDriveGone);
    try {
        disk.Look(kGameFolder);
    } catch (const std::exception&) {
    }
    disk.FailAt(-1);
    if (!disk.AnyDriveGone()) throw std::runtime_error("undo bench: the game's drive did not go away");
}

void Check(bool bHolds, const std::string& szWhat) {
    if (!bHolds) throw std::runtime_error("undo bench, drive gone: " + szWhat);
}

// The launch, then the restore when the game ends, timed; what it cannot
// put back stays in the journal.
double SwapAndRestore(FakePlatform& fakes, const ModConfig& mod) {
    ProgramRun run(fakes, &mod);
    run.launcher.LaunchApplication(kGenerals, "", 0);
    Check(fakes.processes.bRunning,
          "the game did not start: " + (run.window.lines.empty() ? std::string() : run.window.lines.back()));
    TakeDriveAway(fakes.disk);
    const double dfStart = Seconds();
    fakes.processes.bRunning = false;
    run.launcher.tmrRestore_Timer();  // the tick that finds the game ended
    const double dfRestore = Seconds() - dfStart;
    Check(fakes.disk.Read().has_value(), "the restore kept nothing for the next start");
    return dfRestore;
}

double NextStart(FakePlatform& fakes) {
    ProgramRun run(fakes);
    const double dfStart = Seconds();
    Check(run.launcher.RecoverAtStart([](bool) {}), "the next start found nothing to undo");
    return Seconds() - dfStart;
}

}  // namespace

DriveGoneTimes TimeUndoDriveGone(int32_t lFiles) {
    FakePlatform fakes;
    fakes.disk.AddFolder(kProgramFolder);
    AddGame(fakes.disk, lFiles - lFiles / 2);
    const ModConfig mod = AddMod(fakes.disk, lFiles);
    const std::map<std::string, std::string> before = fakes.disk.Tree(kGameFolder);
    DriveGoneTimes times;
    times.dfRestore = SwapAndRestore(fakes, mod);
    times.dfRecovery = NextStart(fakes);
    // What was timed was the undo of a real swap: with the drive back, the
    // next start gives the game folder back whole.
    fakes.disk.BringDrivesBack();
    NextStart(fakes);
    Check(fakes.disk.Tree(kGameFolder) == before, "the game folder differs once the drive is back");
    Check(!fakes.disk.Read().has_value(), "a journal is left once the drive is back");
    return times;
}

UndoScaling MeasureUndoScaling(int lRounds) {
    UndoScaling scaling;
    for (int lRound = 1; lRound <= lRounds; ++lRound) {
        const DriveGoneTimes small = TimeUndoDriveGone(scaling.lSmall), large = TimeUndoDriveGone(scaling.lLarge);
        scaling.restoreSmall.Add(small.dfRestore);
        scaling.recoverySmall.Add(small.dfRecovery);
        scaling.restoreLarge.Add(large.dfRestore);
        scaling.recoveryLarge.Add(large.dfRecovery);
        std::printf("  round %d  undo, drive gone  %d files: restore %.3f s, next start %.3f s;"
                    " %d files: restore %.3f s, next start %.3f s\n",
                    lRound, static_cast<int>(scaling.lSmall), small.dfRestore, small.dfRecovery,
                    static_cast<int>(scaling.lLarge), large.dfRestore, large.dfRecovery);
    }
    return scaling;
}

}  // namespace corvane::bench
