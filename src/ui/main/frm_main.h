// The main window: the installed games and tools, the mods found, the launch
// switches and Start Game, and the commands that add, edit and remove mods.
//
// PUBLIC CONTRACT used by the start-up code; the private part belongs to
// the main window's code.
#pragma once

#include <string>

#include "launch/frm_launch.h"
#include "platform/platform.h"
#include "startup/program_state.h"
#include "ui/window.h"

namespace corvane {

class frmMain : public ui::Window {
public:
    // szAppPath: the program folder (mods and sounds live there).
    frmMain(ProgramState& state, const Platform& platform, std::string szAppPath, frmLaunch& launch);
    ~frmMain() override;

    // Loads the window (Form_Load) and shows it, modeless and without owner.
    void Show();
};

}  // namespace corvane
