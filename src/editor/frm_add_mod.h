// The mod editor: the title, the BIG file and the swap entries of one mod
// configuration. Sources are picked with the drive, folder and file lists on
// the window, destinations with the folder chooser; OK writes the
// configuration file, rebuilds the mod list and closes the editor.
//
// PUBLIC CONTRACT used by the main window.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "state/program_state.h"
#include "ui/controls.h"
#include "editor/browser_controls.h"
#include "editor/frm_add_folder.h"
#include "ui/window.h"

namespace corvane {

class frmAddMod : public ui::Window {
public:
    // szAppPath: the program folder, where configuration files are saved.
    frmAddMod(ProgramState& state, const Platform& platform, std::string szAppPath, frmAddFolder& folderChooser);
    ~frmAddMod() override;

    // What the opener fills in before it shows the editor. The first of
    // these loads the editor; everything is discarded when it closes.
    void SetTitleText(const std::string& szText);
    void SetLocationText(const std::string& szText);
    // For an edit: the mod's title, shown in the title box, and the file it
    // was read from. A changed title is asked about on OK.
    void szTitle(const std::string& szText, const std::string& szConfigFile);
    // Appends one swap entry.
    void AddItem(const std::string& szSrc, const std::string& szDst);
    // Shows the editor modal over the opener; returns when it has closed, by
    // OK or by its close box. The configuration file was then written and
    // the mod list rebuilt if, and only if, OK saved it.
    void Show(ui::Window& over, const std::string& szCaption);

private:
    void Load();
    void CreateControls() override;
    void LayoutControls() override;

    void Form_Load();
    void cboDrive_Change();
    void lstFolder_Change();
    void lstResult_Click();
    void btnAddFile_Click();
    void btnAddFolder_Click();
    void btnBrowse_Click();
    void btnRemove_Click();
    void OKButton_Click();
    // The steps Add File and Add Folder share: the chooser, then an entry
    // from the source of that moment to the folder chosen.
    void AddChosen(ui::Button& btnFrom, std::string (frmAddMod::*SourceNow)() const);
    std::string FileSource() const;
    std::string FolderSource() const;

    ProgramState& state;
    Platform platform;
    std::string szAppPath;
    frmAddFolder& folderChooser;

    // One opening's state besides the controls: the title and file of the
    // mod being edited ("" for an add), and the entries' sources and
    // destinations, parallel to the lines of lstResult.
    std::string szOldTitle;
    std::string szOldFile;
    std::vector<std::string> lstSrc;
    std::vector<std::string> lstDest;

    ui::Button OKButton;
    std::array<ui::Label, 4> Label1;
    ui::TextBox txtTitle;
    ui::TextBox txtLocation;
    ui::Button btnBrowse;
    ui::FolderList lstFolder;
    ui::Button btnAddFolder;
    ui::Button btnRemove;
    ui::DriveList cboDrive;
    ui::ListBox lstResult;
    ui::FileList lstFiles;
    ui::Button btnAddFile;
};

}  // namespace corvane
