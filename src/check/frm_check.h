// The check of a game folder as the player sees it: what the game would
// load besides its own files, one finding a line, the two commands that
// set the stray archives and loose files aside and put them back, and the
// answers the player gave about this folder's stray archives, each of which
// can be forgotten so that the next launch asks again.
// Opened modal from the game list's context menu, or alone from the command
// line (-CHECK <game>).
//
// PUBLIC CONTRACT used by the main window and the start-up code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/folder/folder_check.h"
#include "launch/checks/stray_answers.h"
#include "platform/platform.h"
#include "state/program_state.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace corvane {

class frmCheck : public ui::Window {
public:
    // szAppPath: the program folder, whose journal and launches Set Aside
    // and Put Back share.
    frmCheck(const ProgramState& state, const Platform& platform, std::string szAppPath);
    ~frmCheck() override;

    // Checks the folders of GameTable row dGame and shows the window
    // modeless.
    void Show(int16_t dGame);
    // The same, modal over another window: returns once it is closed.
    void Show(int16_t dGame, ui::Window& over);

private:
    void CreateControls() override;
    void LayoutControls() override;

    void Load(int16_t dGame);
    void btnSetAside_Click();
    void btnPutBack_Click();
    void btnForget_Click();
    // Checks again and lists the findings, after the lines of what a
    // command did.
    void CheckAgain(const std::vector<std::string>& szDone);
    void MoveItems(bool bBack);
    // The answers about the checked folders' archives, in lstAnswers.
    void ListAnswers();

    const ProgramState& state;
    Platform platform;
    std::string szAppPath;
    int16_t dGame = -1;
    std::vector<CheckedFolder> folders;
    FolderCheck check;
    std::vector<StrayAnswer> shownAnswers;  // as lstAnswers lists them

    ui::Label lblFolder;
    ui::ListBox lstFindings;
    ui::Button btnSetAside;
    ui::Button btnPutBack;
    ui::Label lblAnswers;
    ui::ListBox lstAnswers;
    ui::Button btnForget;
    ui::Button btnClose;
};

}  // namespace corvane
