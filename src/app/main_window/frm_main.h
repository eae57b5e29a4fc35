// The main window: the installed games and tools, the mods found, the launch
// switches and Start Game, and the commands that add, edit and remove mods.
//
// PUBLIC CONTRACT used by the start-up code; the private part belongs to
// the main window's code.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "launch/frm_launch.h"
#include "platform/platform.h"
#include "state/program_state.h"
#include "ui/controls.h"
#include "app/main_window/chained_callback.h"
#include "app/main_window/ctalink.h"
#include "app/main_window/launch_choice.h"
#include "app/main_window/tool_windows.h"
#include "app/main_window/window_icon.h"
#include "ui/window.h"

namespace corvane {

class frmMain : public ui::Window {
public:
    // szAppPath: the program folder (mods and sounds live there).
    frmMain(ProgramState& state, const Platform& platform, std::string szAppPath, frmLaunch& launch);
    ~frmMain() override;

    // Loads the window (Form_Load) and shows it, modeless and without owner.
    void Show();

private:
    void CreateControls() override;
    void LayoutControls() override;
    LRESULT HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) override;

    void Form_Load();
    void Form_Unload();
    void lstMods_Click();
    void lstMods_DblClick();
    void btnDelMod_Click();
    void btnAddMod_Click();
    void btnEditMod_Click();
    void btnLaunch_Click();
    void chkOption_Click(int16_t Index);
    void lstGames_ContextMenu(POINT ptScreen);
    void lstMods_ContextMenu(POINT ptScreen);
    void mnuCreateShortcut_Click(int16_t dMod, int16_t dGame);
    void mnuInstallMod_Click();
    // Opens the "Install Mod" window for the archive; the mod it installed
    // is then listed and selected.
    void InstallMod(const std::string& szArchive);
    void Form_DropFiles(WPARAM wDrop);
    void frmLaunch_LaunchEnded();
    void frmLaunch_WorkingChanged(bool bWorking);

    void RefreshModList();
    int16_t FindGameIndex(const std::string& szText) const;
    // The GameTable row of the game selected in lstGames, or -1.
    int16_t SelectedGame() const;
    // The installation folder of the game selected in lstGames, "" when none is.
    std::string SelectedGameFolder() const;
    // The switches of the option boxes ticked now.
    std::string CheckedSwitches() const;
    void LaunchGame(int16_t& dGame);
    // The ModList index of the selected mod, or -1.
    int16_t SelectedMod() const;
    void PlaySound(const char* szFileName);

    // The two captions above the lists are members 4 and 5 of the Label1 array.
    ui::Label& Label1(int dIndex) { return Label1Members.at(static_cast<size_t>(dIndex - 4)); }

    ProgramState& state;
    Platform platform;
    std::string szAppPath;
    frmLaunch& launch;
    ui::WindowIcons icons;

    ui::Label lblVersion;
    ui::ListBox lstGames;
    ui::ListBox lstMods;
    std::array<ui::CheckBox, kOptionCount> chkOption;
    ui::Button btnLaunch;
    ui::Button btnAddMod;
    ui::Button btnEditMod;
    ui::Button btnDelMod;
    std::array<ui::Label, 2> Label1Members;
    ui::GroupBox Frame1;
    ctalink ctalink1;

    ToolWindows tools;
    // The launch window's news, heard beside whoever heard it before; last,
    // so that nothing of this window is gone while they are still heard.
    ChainedCallback<> launchEnded;
    ChainedCallback<bool> workingChanged;
};

}  // namespace corvane
