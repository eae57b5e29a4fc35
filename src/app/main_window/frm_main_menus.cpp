// The main window's context menus and what they lead to: the check of a
// game's folder, a desktop shortcut that plays a mod, a mod installed from
// its download, picked in a file dialog or dropped on the window, and the
// fingerprint of what the game would load with a mod.
#include <exception>
#include <utility>

#include "install/download_dialog.h"
#include "modconfig/mod_scan.h"
#include "platform/app_info.h"
#include "state/play_request.h"
#include "app/main_window/dropped_files.h"
#include "app/main_window/frm_main.h"
#include "app/main_window/main_menus.h"
#include "app/main_window/main_texts.h"
#include "app/main_window/try_step.h"

namespace corvane {

// The menu of the game the right click (or the keyboard) picked.
void frmMain::lstGames_ContextMenu(POINT ptScreen) {
    const int16_t dGame = SelectedGame();
    if (dGame >= 0 && TrackGameMenu(Handle(), ptScreen)) folderCheck.Show(dGame, *this);
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
        return fingerprint.Show(dGame, dMod, *this);
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
    installer.Open(szArchive, this);
    if (installer.InstalledTitle().empty() || !IsLoaded()) return;
    TryStep([&] { ScanMods(platform.files, szAppPath, state); });
    RefreshModList();
    for (int i = 0; i < lstMods.ListCount(); ++i) {
        if (lstMods.List(i) == installer.InstalledTitle()) lstMods.SetListIndex(i);
    }
    lstMods_Click();
}

// A shortcut to this Corvane.exe that plays the mod with the game and the
// switches ticked now, in Corvane's folder and with its icon.
void frmMain::mnuCreateShortcut_Click(int16_t dMod, int16_t dGame) {
    try {
        const std::string szName = ShortcutName(state.ModList.at(dMod).szTitle, dGame);
        const std::string szPath = platform.shortcuts.DesktopFolder() + "\\" + szName + ".lnk";
        if (platform.files.Stat(szPath) &&
            platform.messageBoxes.Show("There is a shortcut \"" + szName + "\" on the desktop already. Replace it?",
                                       kMsgYesNo | kMsgQuestion) != kAnswerYes)
            return;
        const std::string szProgram = ProgramFile();
        platform.shortcuts.Save(
            szPath, {szProgram, PlayArguments(dGame, state.ModList.at(dMod).szTitle, CheckedSwitches()), szAppPath, szProgram});
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("The desktop shortcut could not be made: ") + e.what());
        TryStep([&] { platform.messageBoxes.Show("The desktop shortcut could not be made.", kMsgOkOnly | kMsgCritical); });
    }
}

}  // namespace corvane
