#include "app/corvane_app.h"

#include "launch/targets/game_folders.h"
#include "modconfig/config_file.h"
#include "modconfig/mod_scan.h"
#include "platform/app_info.h"
#include "platform/win_code_page.h"
#include "state/app_version.h"
#include "state/command_line.h"
#include "state/play_request.h"
#include "ui/message_loop.h"

namespace corvane {

namespace {

constexpr const char* kSilentSwitches = " -nologo ";

}  // namespace

CorvaneApp::CorvaneApp(const Platform& platformServices, const GameSources& gameSources,
                       std::string szProgramFolder, std::string szCommandArguments)
    : platform(platformServices),
      games(gameSources),
      szAppPath(std::move(szProgramFolder)),
      szArguments(std::move(szCommandArguments)),
      launch(state, platform, szAppPath) {
    launch.onUnloaded = [this] { WindowClosed(); };
    launch.onEndProgram = [] { PostQuitMessage(0); };
}

int CorvaneApp::Main() {
    if (AnotherInstanceRuns()) {
        platform.messageBoxes.Show("Another instance of the Corvane is already running!",
                                   kMsgInformation);
        return 0;
    }
    RemoveStaging();
    // A launch cut short is undone before anything else can swap; the
    // program goes on once the game folder is back. A player who would not
    // wait for its game still gets the main window, where every launch
    // undoes it first; a silent road ends there.
    if (launch.RecoverAtStart([this](bool bStopped) {
            if (!bStopped || RoadOf(szArguments) == Road::kNormal) StartRoad();
        }))
        return ui::RunMessageLoop();
    StartRoad();
    // A silent launch that was refused has already closed its window.
    if (!AnyWindowLoaded()) return RoadOf(szArguments) == Road::kInstall ? 1 : 0;
    return ui::RunMessageLoop();
}

void CorvaneApp::StartRoad() {
    state.szSilentConfig = SilentConfigPath(szArguments, szAppPath);
    CheckCodePage();
    ReadGames();
    switch (RoadOf(szArguments)) {
    case Road::kSilent:
        return StartSilent();
    case Road::kPlay:
        return StartPlay();
    case Road::kCheck:
        return StartCheck();
    case Road::kHelp:
        return ShowHelp();
    case Road::kInstall:
        return StartInstall();
    case Road::kFingerprint:
        return StartFingerprint();
    case Road::kNormal:
        break;
    }
    StartNormal();
}

bool CorvaneApp::AnotherInstanceRuns() { return FindTopLevelWindow(CORVANE_FILE_DESCRIPTION); }

// Windows before 10 version 1903 ignores the manifest's UTF-8 and keeps
// the system's ANSI code page: names outside it then turn into "?".
void CorvaneApp::CheckCodePage() {
    const unsigned lCodePage = ProgramCodePage();
    if (lCodePage != kUtf8CodePage)
        platform.problems.Note("Windows runs Corvane in code page " + std::to_string(lCodePage) +
                               ", not UTF-8: names of folders and files outside that code page cannot be used.");
}

// Where each game was found, or why not, goes to Corvane.log at every start,
// for the player whose game is not listed; and so does why a game's folder
// does not count as the game's, for the player who is asked about a mod.
void CorvaneApp::ReadGames() {
    const GameFindings findings = FindGames(games, state.GameTable);
    AppendVersionTitles(state.GameTable);
    for (const std::string& szLine : FindingLines(state.GameTable, findings)) platform.problems.Note(szLine);
    const GameFolders gameFolders(state.GameTable, platform.files);
    for (const std::string& szLine : gameFolders.PassedOver()) platform.problems.Note(szLine);
}

void CorvaneApp::StartNormal() {
    ScanMods(platform.files, szAppPath, state);
    main = std::make_unique<frmMain>(state, platform, szAppPath, launch);
    main->onUnloaded = [this] { WindowClosed(); };
    main->Show();
}

void CorvaneApp::StartSilent() {
    state.ClearMods();
    ModConfig udtCfg;
    if (LoadModConfig(platform.files, state.GameTable, state.szSilentConfig, udtCfg))
        state.AppendMod(udtCfg);
    // Launched also when the file could not be read: the blank entry then
    // swaps nothing and names no mod file.
    launch.LaunchApplication(kGenerals, kSilentSwitches, 0);
}

// Any game row with any mod the main window would list, on the silent road.
// What cannot be found is said before anything is touched, and the program
// then ends.
void CorvaneApp::StartPlay() {
    ScanMods(platform.files, szAppPath, state);
    const PlayChoice choice = ChoosePlay(ParsePlayRequest(szArguments), state, szAppPath);
    if (!choice.szProblem.empty()) {
        platform.messageBoxes.Show(choice.szProblem, kMsgOkOnly | kMsgCritical);
        return;
    }
    launch.LaunchApplication(choice.dGame, choice.szArgs, choice.dMod);
}

// The check window alone; the program ends with it.
void CorvaneApp::StartCheck() {
    const PlayChoice choice = ChooseCheck(szArguments, state.GameTable);
    if (!choice.szProblem.empty()) {
        platform.messageBoxes.Show(choice.szProblem, kMsgOkOnly | kMsgCritical);
        return;
    }
    check = std::make_unique<frmCheck>(state, platform, szAppPath);
    check->onUnloaded = [this] { WindowClosed(); };
    check->Show(choice.dGame);
}

// The window alone; the program ends with it, with exit status 0 when it
// installed a mod and 1 otherwise.
void CorvaneApp::StartInstall() {
    install = std::make_unique<frmInstall>(platform, szAppPath);
    install->onUnloaded = [this] { PostQuitMessage(install->InstalledTitle().empty() ? 1 : 0); };
    install->Open(InstallArchive(szArguments), nullptr);
}

// The fingerprint window alone; the program ends with it.
void CorvaneApp::StartFingerprint() {
    ScanMods(platform.files, szAppPath, state);
    const PlayChoice choice = ChoosePlay(ParsePlayRequest(szArguments), state, szAppPath, "-FINGERPRINT");
    if (!choice.szProblem.empty()) {
        platform.messageBoxes.Show(choice.szProblem, kMsgOkOnly | kMsgCritical);
        return;
    }
    fingerprint = std::make_unique<frmFingerprint>(state, platform, szAppPath);
    fingerprint->onUnloaded = [this] { WindowClosed(); };
    fingerprint->Show(choice.dGame, choice.dMod);
}

// An install that was cut short (a crash, a power cut) left its staging
// folder: it goes before anything else runs, unless an install of another
// Corvane still runs in it.
void CorvaneApp::RemoveStaging() {
    try {
        StagingFolder(platform.files, platform.fso, platform.locks, platform.problems, szAppPath).ClearLeft();
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("The staging folder of an unfinished install could not be deleted: ") +
                               e.what());
    }
}

void CorvaneApp::ShowHelp() { platform.messageBoxes.Show(CommandLineHelp(), kMsgInformation); }

// The program ends with its last window; closing the main window alone
// leaves a launch window, and the game it watches, running.
void CorvaneApp::WindowClosed() {
    if (!AnyWindowLoaded()) PostQuitMessage(0);
}

bool CorvaneApp::AnyWindowLoaded() const {
    return launch.IsLoaded() || (main && main->IsLoaded()) || (check && check->IsLoaded()) ||
           (install && install->IsLoaded()) || (fingerprint && fingerprint->IsLoaded());
}

}  // namespace corvane
