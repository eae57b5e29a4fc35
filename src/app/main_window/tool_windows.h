// The windows the main window opens: the mod editor and its folder
// chooser, the check of a game's folder, the install of a download and the
// fingerprint of what a game would load. Each is made once, opened again
// and again, and closed with the main window.
#pragma once

#include <functional>
#include <string>

#include "check/frm_check.h"
#include "editor/frm_add_folder.h"
#include "editor/frm_add_mod.h"
#include "fingerprint/frm_fingerprint.h"
#include "install/frm_install.h"
#include "platform/platform.h"
#include "state/program_state.h"

namespace corvane {

struct ToolWindows {
    // szGameFolder: where the folder chooser starts, the folder of the game
    // selected when it opens.
    ToolWindows(ProgramState& state, const Platform& platform, const std::string& szAppPath,
                std::function<std::string()> szGameFolder);

    void UnloadAll();

    frmAddFolder folderChooser;
    frmAddMod modEditor;
    frmCheck folderCheck;
    frmInstall installer;
    frmFingerprint fingerprint;
};

}  // namespace corvane
