#include "editor/frm_add_mod.h"

#include <exception>
#include <utility>

#include "modconfig/config_file.h"
#include "modconfig/mod_scan.h"
#include "editor/big_file_dialog.h"
#include "editor/editor_rules.h"

namespace corvane {

namespace {

constexpr DWORD kToolWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // close box only
constexpr const char* kChangedTitleQuestion =
    "You have changed the Mod title...\rDo you want to add this as a new mod in the list ?";

}  // namespace

frmAddMod::frmAddMod(ProgramState& state, const Platform& platform, std::string szAppPath,
                     frmAddFolder& folderChooser)
    : state(state), platform(platform), szAppPath(std::move(szAppPath)), folderChooser(folderChooser) {}

frmAddMod::~frmAddMod() { Unload(); }

void frmAddMod::Load() {
    if (IsLoaded()) return;
    szOldTitle.clear();
    szOldFile.clear();
    lstSrc.clear();
    lstDest.clear();
    // A new window each time, so it opens centred.
    CreateForm({"CorvaneAddMod", "Add Mod to Corvane", kToolWindowStyle, WS_EX_TOOLWINDOW, 8415, 7485});
    if (IsLoaded()) Form_Load();
}

void frmAddMod::SetTitleText(const std::string& szText) {
    Load();
    txtTitle.SetText(szText);
}

void frmAddMod::SetLocationText(const std::string& szText) {
    Load();
    txtLocation.SetText(szText);
}

void frmAddMod::szTitle(const std::string& szText, const std::string& szConfigFile) {
    SetTitleText(szText);
    szOldTitle = szText;
    szOldFile = szConfigFile;
}

void frmAddMod::AddItem(const std::string& szSrc, const std::string& szDst) {
    Load();
    lstSrc.push_back(szSrc);
    lstDest.push_back(szDst);
    lstResult.AddItem(DisplayLine(szSrc, szDst));
}

void frmAddMod::Show(ui::Window& over, const std::string& szCaption) {
    Load();
    SetCaption(szCaption);
    ShowModal(over);
}

void frmAddMod::CreateControls() {
    // In tab order; each label comes just before the control it names, so
    // that screen readers name the control by it.
    OKButton.Create(*this, "OK", true);  // Enter on it saves; nowhere else
    OKButton.onClick = [this] { OKButton_Click(); };
    Label1[0].Create(*this, "Mod Title:");
    txtTitle.Create(*this);
    Label1[1].Create(*this, "BIG File:");
    txtLocation.Create(*this);
    btnBrowse.Create(*this, "...");
    btnBrowse.onClick = [this] { btnBrowse_Click(); };
    Label1[2].Create(*this, "Additional Folders:");
    lstFolder.Create(*this);
    lstFolder.onChange = [this] { lstFolder_Change(); };
    btnAddFolder.Create(*this, "&Add Folder");
    btnAddFolder.onClick = [this] { btnAddFolder_Click(); };
    btnRemove.Create(*this, "&Remove");
    btnRemove.onClick = [this] { btnRemove_Click(); };
    cboDrive.Create(*this);
    cboDrive.onChange = [this] { cboDrive_Change(); };
    Label1[3].Create(*this, "Folders and files to swap:");
    lstResult.Create(*this, true, true);
    lstResult.onClick = [this] { lstResult_Click(); };
    lstFiles.Create(*this);
    btnAddFile.Create(*this, "Add &File");
    btnAddFile.onClick = [this] { btnAddFile_Click(); };
}

void frmAddMod::LayoutControls() {
    // The labels are wider than the captions were measured for, as today's
    // message fonts need, and the text boxes and the drive list make room.
    PlaceControls({
        {&OKButton, {7080, 6960, 1215, 375}},
        {&Label1[0], {120, 240, 915, 255}},
        {&txtTitle, {1080, 120, 6735, 375}},
        {&Label1[1], {120, 720, 915, 255}},
        {&txtLocation, {1080, 600, 6735, 375}},
        {&btnBrowse, {7920, 600, 375, 375}},
        {&Label1[2], {120, 1200, 1620, 255}},
        {&lstFolder, {120, 1560, 3975, 2565}},
        {&btnAddFolder, {5760, 1080, 1215, 375}},
        {&btnRemove, {120, 6960, 1215, 375}},
        // A combo box is given the height of its field and its drop-down list.
        {&cboDrive, {1800, 1080, 1935, 315 * 8}},
        {&Label1[3], {120, 4200, 3975, 255}},
        {&lstResult, {120, 4440, 8175, 2400}},
        {&lstFiles, {4200, 1560, 4095, 2625}},
        {&btnAddFile, {7080, 1080, 1215, 375}},
    });
    lstResult.FitWidthToLines();
}

// The browsers start in the process's current folder.
void frmAddMod::Form_Load() {
    btnRemove.SetEnabled(false);
    lstFolder.SetPath(".");
    cboDrive.SetDriveOf(lstFolder.Path());
}

// A drive that cannot be read leaves the folder open as it was; the drive
// list then shows that folder's drive again.
void frmAddMod::cboDrive_Change() {
    if (!lstFolder.SetPath(cboDrive.Drive())) cboDrive.SetDriveOf(lstFolder.Path());
}

void frmAddMod::lstFolder_Change() { lstFiles.SetPath(lstFolder.Path()); }

void frmAddMod::lstResult_Click() { btnRemove.SetEnabled(true); }

void frmAddMod::btnAddFile_Click() { AddChosen(btnAddFile, &frmAddMod::FileSource); }

void frmAddMod::btnAddFolder_Click() { AddChosen(btnAddFolder, &frmAddMod::FolderSource); }

// Nothing is checked: no file need be selected, and the same source may be
// added twice.
void frmAddMod::AddChosen(ui::Button& btnFrom, std::string (frmAddMod::*SourceNow)() const) {
    btnFrom.SetEnabled(false);
    folderChooser.Show(*this);
    // The main window may have closed the editor meanwhile.
    if (folderChooser.bOk && IsLoaded()) AddItem((this->*SourceNow)(), folderChooser.Path());
    btnFrom.SetEnabled(true);
}

std::string frmAddMod::FileSource() const { return lstFiles.Path() + "\\" + lstFiles.FileName(); }

std::string frmAddMod::FolderSource() const { return lstFolder.Path(); }

void frmAddMod::btnRemove_Click() {
    const int i = lstResult.ListIndex();
    if (i < 0 || static_cast<size_t>(i) >= lstSrc.size()) return;
    lstResult.RemoveItem(i);
    lstSrc.erase(lstSrc.begin() + i);
    lstDest.erase(lstDest.begin() + i);
}

// Cancelling the dialog, or any failure of it, leaves the Location as it was.
void frmAddMod::btnBrowse_Click() {
    if (const std::optional<std::string> szFile = AskForBigFile(Handle())) txtLocation.SetText(*szFile);
}

void frmAddMod::OKButton_Click() {
    const OkPlan plan = PlanOk(szAppPath, txtTitle.Text(), szOldTitle, szOldFile);
    if (plan.bTitleMissing) {
        platform.messageBoxes.Show("The name of the mod is missing!", kMsgOkOnly);
        return;
    }
    bool bRename = false;
    if (plan.bAskKeepOldMod) {
        const int lAnswer = platform.messageBoxes.Show(kChangedTitleQuestion, kMsgYesNoCancel | kMsgQuestion);
        if (lAnswer != kAnswerYes && lAnswer != kAnswerNo) return;  // Cancel: back to the editor
        bRename = lAnswer == kAnswerNo;
    }
    // A failed save says nothing, deletes nothing and rebuilds nothing.
    if (plan.bCanSave && SaveModConfig(platform.files, platform.messageBoxes, szAppPath, plan.szSaveName,
                                       txtLocation.Text(), lstSrc, lstDest)) {
        try {
            if (bRename && !plan.szDeleteOnNo.empty()) platform.files.Kill(plan.szDeleteOnNo);
        } catch (const std::exception&) {
            // Removed by hand meanwhile: there is nothing to delete.
        }
        ScanMods(platform.files, szAppPath, state);
    }
    lstSrc.clear();
    lstDest.clear();
    lstResult.Clear();
    Hide();
    Unload();
}

}  // namespace corvane
