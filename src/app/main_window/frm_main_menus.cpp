// The main window's context menus and what they lead to: the check of a
// game's folder, a desktop shortcut that plays a mod, a mod installed from
// its download, picked in a file dialog or dropped on the window, and the
// fingerprint of what the game would load with a mod.
#include <exception>
#include <utility>

#include "install/download_dialog.h"
#include "modconfig/mod_scan.h"
#include "app/main_window/dropped_files.h"
#include "app/main_window/frm_main.h"
#include "app/main_window/main_menus.h"
#include "app/main_window/mod_shortcut.h"
#include "app/main_window/try_step.h"

namespace corvane {

// The menu of the game the right click (or the keyboard) picked.
void frmMain::lstGames_ContextMenu(POINT ptScreen) {
    const int16_t dGame = SelectedGame();
    if (dGame >= 0 && TrackGameMenu(Handle(), ptScreen)) tools.folderCheck.Show(dGame, *this);
}

// The menu of the mod the right click (or the keyboard) picked.
void frmMain::lstMods_ContextMenu(POINT ptScreen) {
    const int16_t dMod = SelectedMod();
    if (dMod < 0 || static_cast<size_t>(dMod) >= state.ModList.size()) return;
    const int16_t dGame = SelectedGame();
    switch (TrackModMenu(Handle(), ptScreen, dGame >= 0, launch.IsWorking())) {
    case ModCommand::kCreateShortcut:
        return mnuCreateShortcut_Click(dMod, dGame);
    case ModCommand::kInstallMod:
        return mnuInstallMod_Click();
    case ModCommand::kFingerprint:
        return tools.fingerprint.Show(dGame, dMod, *this);
    default:
        return;
    }
}

void frmMain::mnuInstallMod_Click() {
    if (const std::optional<std::string> szArchive = AskForDownload(Handle())) InstallMod(*szArchive);
}

// The first file dropped; not while the launch copies, when nothing may
// change the mod list.
void frmMain::Form_DropFiles(WPARAM wDrop) {
    const std::optional<std::string> szFile = TakeFirstDroppedFile(wDrop);
    if (szFile && !launch.IsWorking()) InstallMod(*szFile);
}

void frmMain::InstallMod(const std::string& szArchive) {
    tools.installer.Open(szArchive, this);
    if (tools.installer.InstalledTitle().empty() || !IsLoaded()) return;
    TryStep([&] { ScanMods(platform.files, szAppPath, state); });
    RefreshModList();
    for (int i = 0; i < lstMods.ListCount(); ++i) {
        if (lstMods.List(i) == tools.installer.InstalledTitle()) lstMods.SetListIndex(i);
    }
    lstMods_Click();
}

void frmMain::mnuCreateShortcut_Click(int16_t dMod, int16_t dGame) {
    MakeModShortcut(platform, szAppPath, state.ModList.at(dMod).szTitle, dGame, CheckedSwitches());
}

}  // namespace corvane
