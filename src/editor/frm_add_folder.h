// The destination folder chooser: the folder of the game installation into
// which a swap entry's source will be copied. It opens in the installation
// folder of the game selected in the main window, and after an OK it is
// kept, hidden, showing the folder confirmed last, also for later openings
// of the editor; only its close box ends it.
//
// PUBLIC CONTRACT used by the mod editor and the main window.
#pragma once

#include <functional>
#include <string>

#include "ui/controls.h"
#include "editor/browser_controls.h"
#include "ui/window.h"

namespace corvane {

class frmAddFolder : public ui::Window {
public:
    // szStartFolder gives the installation folder of the game selected in
    // the main window, "" when none is selected; asked when the chooser loads.
    explicit frmAddFolder(std::function<std::string()> szStartFolder);
    ~frmAddFolder() override;

    // Shows the chooser modal over the window that opens it, loading it
    // first when it is not loaded; returns when OK hid it or its close box
    // closed it.
    void Show(ui::Window& over);
    // The folder open in the chooser; read after an OK.
    const std::string& Path() const { return lstFolder.Path(); }

    // True when the latest opening ended with OK.
    bool bOk = false;

private:
    void CreateControls() override;
    void LayoutControls() override;

    void Form_Load();
    void OKButton_Click();

    std::function<std::string()> szStartFolder;

    ui::Button OKButton;
    ui::FolderList lstFolder;
};

}  // namespace corvane
