// The "Install Mod" window: the archive's name, the mod's title, the
// archive's folder that becomes the mod when the archive does not tell one,
// what will be installed with the notes about it, a progress bar, Install
// and Cancel. The archive is read and unpacked on a thread of its own, so the
// window answers throughout; Cancel stops either within a second and leaves
// nothing behind.
//
// PUBLIC CONTRACT used by the start-up code and the main window.
#pragma once

#include <functional>
#include <string>

#include "install/install_job.h"
#include "platform/platform.h"
#include "ui/controls.h"
#include "ui/thread_runner.h"
#include "ui/window.h"

namespace corvane {

class frmInstall : public ui::Window {
public:
    // szAppPath: the program folder, where mods are installed.
    frmInstall(const Platform& platform, std::string szAppPath);
    ~frmInstall() override;

    // Opens the window for the archive and starts reading it; over a window
    // it is shown modal and returns when it has closed, without one at once.
    void Open(const std::string& szArchive, ui::Window* over);
    // The title of the mod the last opening installed; "" when none.
    const std::string& InstalledTitle() const { return szInstalled; }

private:
    void CreateControls() override;
    void LayoutControls() override;
    LRESULT HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR lTimerId) override;

    void btnInstall_Click();
    void btnCancel_Click();
    void cboRoot_Change();
    void SurveyDone();
    // Shows what failed, if anything, and closes the window.
    void Finish(const std::string& szProblem);
    void Work(std::function<void()> work, std::function<void()> then);
    void ShowProgress();

    Platform platform;
    std::string szAppPath;
    InstallJob job;
    std::string szArchive;
    std::string szInstalled;

    ui::Label lblArchive;
    ui::Label lblTitle;
    ui::TextBox txtTitle;
    ui::Label lblRoot;
    ui::ComboBox cboRoot;
    ui::Label lblList;
    ui::ListBox lstFiles;
    ui::ProgressBar prgProgress;
    ui::Button btnInstall;
    ui::Button btnCancel;
    // The download's SHA-256 for Corvane.log, read beside the survey and
    // the unpacking, as long as they take; stopped when the window goes.
    ThreadRunner runner;  // last: it waits for the work before the rest goes
};

}  // namespace corvane
