// The drive, folder and file lists the mod editor and the folder chooser
// browse the disks with. They are standard combo and list boxes, read by
// screen readers like any other.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace corvane::ui {

// The drives, as the system lists them ("[-c-]").
class DriveList : public Control {
public:
    void Create(Window& parent);
    void OnCommand(WORD lCode) override;

    // The chosen drive as "c:", "" when none is chosen.
    std::string Drive() const;
    // Shows the drive of szPath as the chosen one.
    void SetDriveOf(const std::string& szPath);

    std::function<void()> onChange;  // the player chose a drive
};

// A folder tree drawn as lines: the drive and every folder down to the open
// folder, then the folders in it, each line indented one step deeper. The
// open folder is the one last opened, by a double click or Enter on its line
// or by SetPath; a line that is merely highlighted does not count.
class FolderList : public ListBox {
public:
    void Create(Window& parent);
    void OnReturnKey() override;

    // The open folder's absolute path; only a drive root ends in a backslash.
    const std::string& Path() const { return szPath; }
    // Opens the folder. False, and nothing changes, when it cannot be read
    // (a drive without a medium, a folder that is gone, a path too long).
    bool SetPath(const std::string& szFolder);

    std::function<void()> onChange;  // another folder was opened

private:
    void OpenLine(int i);

    std::string szPath;
    std::vector<std::string> szLineFolders;  // the folder each line stands for
};

// The ordinary files (neither hidden nor system) of one folder, by name.
class FileList : public ListBox {
public:
    const std::string& Path() const { return szPath; }
    void SetPath(const std::string& szFolder);
    // The selected file's name without folder, "" when none is selected.
    std::string FileName() const;

private:
    std::string szPath;
};

}  // namespace corvane::ui
