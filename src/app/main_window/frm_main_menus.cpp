// The main window's context menus and what they lead to: the check of a
// game's folder, a desktop shortcut that plays a mod, a mod installed from
// its download, picked in a file dialog or dropped on the window, and the
// fingerprint of what the game would load with a mod.
#include <exception>
#include <utility>

#include "install/download_dialog.h"
#include "modconfig/mod_scan.h"
#include "platform/app_info.h"
#include "platform/win_code_page.h"
#include "state/play_request.h"
#include "app/main_window/frm_main.h"
#include "app/main_window/main_texts.h"
#include "app/main_window/try_step.h"
#include "ui/popup_menu.h"

#include <shellapi.h>

namespace corvane {

namespace {

// The commands of a mod's context menu, and of a game's.
constexpr UINT kMnuCreateShortcut = 1;
constexpr UINT kMnuCheckFolder = 2;
constexpr UINT kMnuInstallMod = 3;
constexpr UINT kMnuFingerprint = 4;

}  // namespace

// The menu of the game the right click (or the keyboard) picked.
void frmMain::lstGames_ContextMenu(POINT ptScreen) {
    const int16_t dGame = SelectedGame();
    if (dGame < 0) return;
    ui::PopupMenu mnuGame;
    mnuGame.AddItem(kMnuCheckFolder, "Check Game Folder...");
    if (mnuGame.Track(Handle(), ptScreen) == kMnuCheckFolder) folderCheck.Show(dGame, *this);
}

// The menu of the mod the right click (or the keyboard) picked. A shortcut
// plays a mod with one game: without one selected the menu says so.
void frmMain::lstMods_ContextMenu(POINT ptScreen) {
    const int16_t dMod = SelectedMod();
    if (dMod < 0 || static_cast<size_t>(dMod) >= state.ModList.size()) return;
    const int16_t dGame = SelectedGame();
    ui::PopupMenu mnuMod;
    mnuMod.AddItem(kMnuCreateShortcut,
                   dGame < 0 ? "Create Desktop Shortcut (no game selected)" : "Create Desktop Shortcut", dGame >= 0);
    mnuMod.AddItem(kMnuInstallMod, "Install Mod from Download...", !launch.IsWorking());
    // Not while a launch has the game folder in its hands.
    mnuMod.AddItem(kMnuFingerprint, "Fingerprint...", dGame >= 0 && !launch.IsWorking());
    const UINT lCommand = mnuMod.Track(Handle(), ptScreen);
    if (lCommand == kMnuCreateShortcut) mnuCreateShortcut_Click(dMod, dGame);
    if (lCommand == kMnuFingerprint) fingerprint.Show(dGame, dMod, *this);
    if (lCommand == kMnuInstallMod) mnuInstallMod_Click();
}

void frmMain::mnuInstallMod_Click() {
    if (const std::optional<std::string> szArchive = AskForDownload(Handle())) InstallMod(*szArchive);
}

// The first file dropped; not while the launch copies, when nothing may
// change the mod list.
void frmMain::Form_DropFiles(WPARAM wDrop) {
    const HDROP hDrop = reinterpret_cast<HDROP>(wDrop);
    std::wstring szFile(DragQueryFileW(hDrop, 0, nullptr, 0) + 1, L'\0');
    const bool bOne = DragQueryFileW(hDrop, 0, szFile.data(), static_cast<UINT>(szFile.size())) > 0;
    DragFinish(hDrop);
    szFile.resize(szFile.find(L'\0'));
    if (bOne && !launch.IsWorking()) InstallMod(WideToProgramText(szFile));
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
