// The "Fingerprint" window: what the game would load with a mod, hashed on a
// thread of its own behind a progress bar, then its code in a read-only
// field, the notes about it, and the commands that copy the code, save the
// manifest for another player and compare another player's manifest with
// this one, a line a difference. Opened modal from the mod list's context
// menu, or alone from the command line (-FINGERPRINT <game> [<mod>]).
//
// PUBLIC CONTRACT used by the main window and the start-up code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fingerprint/fingerprint_job.h"
#include "platform/platform.h"
#include "state/program_state.h"
#include "ui/controls.h"
#include "ui/thread_runner.h"
#include "ui/window.h"

namespace corvane {

class frmFingerprint : public ui::Window {
public:
    // szAppPath: the program folder, whose hash cache and launches the
    // fingerprint shares.
    frmFingerprint(const ProgramState& state, const Platform& platform, std::string szAppPath);
    ~frmFingerprint() override;

    // Fingerprints GameTable row dGame with ModList entry dMod (-1: none),
    // shown modeless; or modal over another window, returning once closed.
    void Show(int16_t dGame, int16_t dMod);
    void Show(int16_t dGame, int16_t dMod, ui::Window& over);

private:
    void CreateControls() override;
    void LayoutControls() override;
    LRESULT HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR lTimerId) override;

    void Load(int16_t dGame, int16_t dMod);
    void Hashed();
    void btnCopy_Click();
    void btnSave_Click();
    void btnCompare_Click();
    void btnClose_Click();
    // What went wrong, in the list and a message box.
    void Tell(const std::string& szProblem);

    const ProgramState& state;
    Platform platform;
    std::string szAppPath;
    FingerprintJob job;

    ui::Label lblWhat;
    ui::ProgressBar prgProgress;
    ui::Label lblCode;
    ui::TextBox txtCode;
    ui::Label lblLines;
    ui::ListBox lstLines;
    ui::Button btnCopy;
    ui::Button btnSave;
    ui::Button btnCompare;
    ui::Button btnClose;
    ThreadRunner runner;  // last: it waits for the work before the rest goes
};

}  // namespace corvane
