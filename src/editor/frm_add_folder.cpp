#include "editor/frm_add_folder.h"

#include <utility>

namespace corvane {

namespace {

constexpr DWORD kToolWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // close box only
constexpr int kClientLeftTwips = 2760;
constexpr int kClientTopTwips = 3630;

}  // namespace

frmAddFolder::frmAddFolder(std::function<std::string()> szStartFolder)
    : szStartFolder(std::move(szStartFolder)) {}

frmAddFolder::~frmAddFolder() { Unload(); }

void frmAddFolder::Show(ui::Window& over) {
    if (!IsLoaded()) {
        CreateForm({"CorvaneAddFolder", "Choose location to place folder", kToolWindowStyle, WS_EX_TOOLWINDOW,
                    5670, 5055});
        if (!IsLoaded()) return;
        PlaceClientAt(kClientLeftTwips, kClientTopTwips);
        Form_Load();
    }
    bOk = false;
    ShowModal(over);
}

void frmAddFolder::CreateControls() {
    OKButton.Create(*this, "OK", true);  // Enter on it confirms the open folder
    OKButton.onClick = [this] { OKButton_Click(); };
    lstFolder.Create(*this);
}

void frmAddFolder::LayoutControls() {
    OKButton.Place({4320, 4560, 1215, 375}, Dpi());
    lstFolder.Place({120, 120, 5415, 4365}, Dpi());
    OKButton.SetFont(MessageFont());
    lstFolder.SetFont(MessageFont());
}

// Starts in the process's current folder, and stays there when no game is
// selected or its folder cannot be opened.
void frmAddFolder::Form_Load() {
    lstFolder.SetPath(".");
    const std::string szGameFolder = szStartFolder ? szStartFolder() : "";
    if (!szGameFolder.empty()) lstFolder.SetPath(szGameFolder);
    bOk = false;
}

void frmAddFolder::OKButton_Click() {
    Hide();
    bOk = true;
}

}  // namespace corvane
