#include "app/main_window/frm_main.h"

#include <exception>
#include <utility>

#include "modconfig/config_file.h"
#include "modconfig/mod_scan.h"
#include "platform/app_info.h"
#include "platform/platform_error.h"
#include "resource_ids.h"
#include "state/app_version.h"
#include "state/play_request.h"
#include "app/main_window/main_texts.h"
#include "app/main_window/try_step.h"

#include <shellapi.h>

namespace corvane {

namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed, no min/max box
constexpr int kClientWidthTwips = 7095;
constexpr int kClientHeightTwips = 3015;

constexpr ui::TwipsRect kFrame1 = {120, 1560, 3495, 1335};

// The option boxes and Start Game sit in the Options frame; in Win32 they are
// its siblings, so their places are taken from the frame's corner.
constexpr ui::TwipsRect InFrame1(ui::TwipsRect rc) {
    return {kFrame1.lLeft + rc.lLeft, kFrame1.lTop + rc.lTop, rc.lWidth, rc.lHeight};
}

// Each column is as wide as the room up to the next column or the frame's
// edge, and the second column starts a little further left, with Start Game:
// the captions were measured for an older, narrower dialog font and would
// lose their ends in today's message fonts, "Run In Window" at 150 % first.
constexpr std::array<ui::TwipsRect, kOptionCount> kOptionRects = {
    InFrame1({120, 240, 1740, 255}), InFrame1({120, 480, 1740, 255}),
    InFrame1({120, 720, 1740, 255}), InFrame1({120, 960, 1740, 255}),
    InFrame1({1860, 240, 1575, 255}), InFrame1({1860, 480, 1575, 255})};

constexpr std::array<const char*, kOptionCount> kOptionCaptions = {
    "Skip Movie Intro.", "No Shell Anims.", "No Music", "No Audio", "Run In Window", "Debug"};


}  // namespace

frmMain::frmMain(ProgramState& state, const Platform& platform, std::string szAppPath,
                 frmLaunch& launch)
    : state(state),
      platform(platform),
      szAppPath(std::move(szAppPath)),
      launch(launch),
      tools(state, platform, this->szAppPath, [this] { return SelectedGameFolder(); }),
      launchEnded(launch.onLaunchEnded, [this] { frmLaunch_LaunchEnded(); }),
      workingChanged(launch.onWorkingChanged, [this](bool bWorking) { frmLaunch_WorkingChanged(bWorking); }) {}

frmMain::~frmMain() { Unload(); }

void frmMain::Show() {
    if (!IsLoaded()) {
        CreateForm({"CorvaneMain", "Generals Corvane", kMainStyle, 0, kClientWidthTwips,
                    kClientHeightTwips});
        if (!IsLoaded()) throw PlatformError("CreateWindowExA", "Generals Corvane", GetLastError());
        icons.Apply(Handle(), IDI_CORVANE, Dpi());
        Form_Load();
    }
    ShowWindow(Handle(), SW_SHOW);
}

void frmMain::CreateControls() {
    // Created in tab order, which is also the order the dialog manager tabs through.
    lblVersion.Create(*this, "VersionNo");
    // "Zero Hour Generals Expansion Version 1.04" is wider than the list.
    lstGames.Create(*this, true, true);
    lstGames.OfferContextMenu([this](POINT ptScreen) { lstGames_ContextMenu(ptScreen); });
    lstMods.Create(*this);
    lstMods.onClick = [this] { lstMods_Click(); };
    lstMods.onDblClick = [this] { lstMods_DblClick(); };
    lstMods.OfferContextMenu([this](POINT ptScreen) { lstMods_ContextMenu(ptScreen); });
    for (int16_t i = 0; i < kOptionCount; ++i) {
        chkOption[i].Create(*this, kOptionCaptions[i]);
        chkOption[i].onClick = [this, i] { chkOption_Click(i); };
    }
    btnLaunch.Create(*this, "Start &Game");
    btnLaunch.onClick = [this] { btnLaunch_Click(); };
    btnAddMod.Create(*this, "&Add...");
    btnAddMod.onClick = [this] { btnAddMod_Click(); };
    btnEditMod.Create(*this, "&Edit...");
    btnEditMod.onClick = [this] { btnEditMod_Click(); };
    btnDelMod.Create(*this, "&Remove...");
    btnDelMod.onClick = [this] { btnDelMod_Click(); };
    Label1(4).Create(*this, "Game && Utilities Found:");
    Label1(5).Create(*this, "Mods Found:");
    Frame1.Create(*this, "Options");
    ctalink1.Create(*this, CORVANE_LINK_ADDRESS, platform.browser);

}

void frmMain::LayoutControls() {
    PlaceControls({
        {&lblVersion, {3720, 2640, 3255, 255}},
        {&lstGames, {120, 240, 3375, 1230}},
        {&lstMods, {3600, 240, 2175, 1230}},
        {&chkOption[0], kOptionRects[0]},
        {&chkOption[1], kOptionRects[1]},
        {&chkOption[2], kOptionRects[2]},
        {&chkOption[3], kOptionRects[3]},
        {&chkOption[4], kOptionRects[4]},
        {&chkOption[5], kOptionRects[5]},
        {&btnLaunch, InFrame1({1860, 840, 1515, 375})},
        // Wider, into the mod list's room, so that "Remove..." fits at any scaling.
        {&btnAddMod, {5880, 120, 1095, 375}},
        {&btnEditMod, {5880, 600, 1095, 375}},
        {&btnDelMod, {5880, 1080, 1095, 375}},
        // As wide as the lists they head, for the same reason as the option boxes.
        {&Label1(4), {120, 0, 3375, 255}},
        {&Label1(5), {3600, 0, 2175, 255}},
        {&Frame1, kFrame1},
    });
    ctalink1.Layout({3720, 1560, 3255, 975}, Dpi());
    lstGames.FitWidthToLines();
}

LRESULT frmMain::HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) {
    switch (lMsg) {
    case WM_DESTROY:
        Form_Unload();
        break;
    case WM_DROPFILES:
        Form_DropFiles(wParam);
        return 0;
    case WM_DPICHANGED: {
        const LRESULT lResult = DefaultHandling(lMsg, wParam, lParam);
        icons.Apply(Handle(), IDI_CORVANE, Dpi());
        return lResult;
    }
    default:
        break;
    }
    return DefaultHandling(lMsg, wParam, lParam);
}

void frmMain::Form_Load() {
    lblVersion.SetText(
        VersionCaption(CORVANE_VERSION_MAJOR, CORVANE_VERSION_MINOR, CORVANE_VERSION_REVISION));
    state.bLaunching = false;
    for (const GameEntry& game : state.GameTable) {
        if (game.IsInstalled()) lstGames.AddItem(game.szTitle);
    }
    lstGames.SetListIndex(0);  // nothing to select when no game is installed
    btnEditMod.SetEnabled(false);
    btnDelMod.SetEnabled(false);
    RefreshModList();
    DragAcceptFiles(Handle(), TRUE);  // a mod's download dropped here is installed
    PlaySound("\\13gun.wav");
}

void frmMain::Form_Unload() {
    // The launch window is left alone on purpose: a game it watches must
    // still be restored after the player closed us.
    tools.UnloadAll();
}

void frmMain::RefreshModList() {
    lstMods.Clear();
    btnEditMod.SetEnabled(false);
    btnDelMod.SetEnabled(false);
    for (int16_t i = 0; i < state.dModCount && static_cast<size_t>(i) < state.ModList.size(); ++i)
        lstMods.AddItem(state.ModList[i].szTitle);
}

int16_t frmMain::SelectedMod() const {
    for (int i = 0; i < lstMods.ListCount(); ++i) {
        if (lstMods.Selected(i)) return static_cast<int16_t>(i);
    }
    return -1;
}

void frmMain::lstMods_Click() {
    const int16_t i = SelectedMod();
    if (i < 0 || static_cast<size_t>(i) >= state.ModList.size()) return;
    // A folder mod has no configuration file to edit or remove.
    const bool bConfigFile = !state.ModList[i].bFolderMod;
    btnEditMod.SetEnabled(bConfigFile);
    btnDelMod.SetEnabled(bConfigFile);
}

void frmMain::btnDelMod_Click() {
    const int16_t i = SelectedMod();
    if (i < 0) return;
    TryStep([&] {
        platform.files.Kill(ModConfigPath(szAppPath, state.ModList.at(i), lstMods.List(i)));
    });
    TryStep([&] { ScanMods(platform.files, szAppPath, state); });
    RefreshModList();
}

void frmMain::btnAddMod_Click() {
    tools.modEditor.SetLocationText("");
    tools.modEditor.SetTitleText("");
    btnAddMod.SetEnabled(false);
    tools.modEditor.Show(*this, "Add Mod...");
    RefreshModList();
    btnAddMod.SetEnabled(!launch.IsWorking());
}

// Opens the file the mod was read from; a mod that cannot be read opens nothing.
void frmMain::btnEditMod_Click() {
    const int16_t i = SelectedMod();
    if (i < 0 || static_cast<size_t>(i) >= state.ModList.size()) return;
    ModConfig udtCfg;
    const std::string szPath = ModConfigPath(szAppPath, state.ModList[i], lstMods.List(i));
    if (!LoadModConfig(platform.files, state.GameTable, szPath, udtCfg)) return;
    tools.modEditor.szTitle(udtCfg.szTitle, szPath);
    tools.modEditor.SetLocationText(udtCfg.szLocation + udtCfg.szModFile);
    for (int16_t j = 0; j < udtCfg.dCount; ++j) tools.modEditor.AddItem(udtCfg.szSrc.at(j), udtCfg.szDst.at(j));
    tools.modEditor.Show(*this, "Edit Mod...");
    RefreshModList();
}

// Also on a folder mod, whose Edit button is disabled: it opens the
// configuration file of the same title, if there is one.
// Whatever the state of Edit, but not while the launch copies: nothing may
// change the mod list then.
void frmMain::lstMods_DblClick() {
    if (!launch.IsWorking()) btnEditMod_Click();
}

void frmMain::chkOption_Click(int16_t Index) {
    (void)Index;  // every box makes the same sound; the value is read at launch
    PlaySound("\\grenade.wav");
}

void frmMain::btnLaunch_Click() {
    PlaySound("\\biggun.wav");
    const int lSelected = lstGames.ListIndex();
    const std::string szText = lSelected >= 0 ? lstGames.List(lSelected) : std::string();
    int16_t dGame = FindGameIndex(szText);
    LaunchGame(dGame);
}

int16_t frmMain::FindGameIndex(const std::string& szText) const {
    return corvane::FindGameIndex(state.GameTable, szText);
}

int16_t frmMain::SelectedGame() const {
    const int lSelected = lstGames.ListIndex();
    return lSelected < 0 ? -1 : FindGameIndex(lstGames.List(lSelected));
}

// A WorldBuilder entry stands for the folder of the game it belongs to.
std::string frmMain::SelectedGameFolder() const {
    const int16_t dRow = SelectedGame();
    return dRow < 0 ? "" : state.GameTable[dRow].szInstallPath;
}

std::string frmMain::CheckedSwitches() const {
    std::array<int, kOptionCount> lValues{};
    for (int i = 0; i < kOptionCount; ++i) lValues[i] = chkOption[i].Value();
    return BuildSwitchString(lValues);
}

void frmMain::LaunchGame(int16_t& dGame) {
    // One game at a time: not while a launch is handed over, nor over a game
    // the launch window still watches and has to restore.
    if (state.bLaunching || launch.IsBusy()) return;
    state.bLaunching = true;
    btnLaunch.SetEnabled(false);

    if (dGame < 0) {
        TryStep([&] { platform.messageBoxes.Show("Please select the game to launch", kMsgOkOnly); });
        state.bLaunching = false;
        btnLaunch.SetEnabled(true);
        return;
    }

    int16_t dMod = SelectedMod();
    const std::string szArgs = CheckedSwitches();
    TryStep([&] { launch.LaunchApplication(dGame, szArgs, dMod); });

    state.bLaunching = false;
    // Start Game comes back when the launch is over (frmLaunch_LaunchEnded).
    btnLaunch.SetEnabled(!launch.IsBusy());
}

void frmMain::frmLaunch_LaunchEnded() {
    if (IsLoaded() && !state.bLaunching) btnLaunch.SetEnabled(true);
}

// While the launch copies or restores, nothing may change the mod list or
// start a second launch.
void frmMain::frmLaunch_WorkingChanged(bool bWorking) {
    if (!IsLoaded()) return;
    btnAddMod.SetEnabled(!bWorking);
    btnEditMod.SetEnabled(false);
    btnDelMod.SetEnabled(false);
    if (!bWorking) lstMods_Click();
    btnLaunch.SetEnabled(!launch.IsBusy() && !state.bLaunching);
}

void frmMain::PlaySound(const char* szFileName) {
    TryStep([&] { platform.sounds.Play(szAppPath + szFileName); });
}

}  // namespace corvane
