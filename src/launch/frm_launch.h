// The launch window: one launch of a game from the check of the mod's
// sources, through the swap and the game's run, to the restore of the game
// folder, written line by line to its progress log.
//
// PUBLIC CONTRACT used by the start-up code and the main window; the private
// part belongs to the launch code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "launch/launch_view.h"
#include "launch/launcher.h"
#include "platform/platform.h"
#include "startup/program_state.h"
#include "ui/controls.h"
#include "ui/font.h"
#include "ui/window.h"

namespace corvane {

class frmLaunch : public ui::Window {
public:
    frmLaunch(ProgramState& state, const Platform& platform);
    ~frmLaunch() override;

    // Runs one launch of GameTable row dGame with the switches szArgs and the
    // mod ModList(dMod) (negative: no mod). Loads the window first when it is
    // not loaded. Returns once the game runs under the window's watch, or once
    // the launch was given up. Does nothing while a game is still watched.
    void LaunchApplication(int16_t dGame, const std::string& szArgs, int16_t dMod);

    // Appends one line to the progress log and brings it into view.
    void DisplayMsg(const std::string& szMsg);

    // A game started from this window is being watched (and not yet restored).
    bool IsWatching() const;

    // Runs whenever a launch is over: "END" written, or the launch stopped
    // before the game started (refused, missing sources, an error).
    std::function<void()> onLaunchEnded;

private:
    // The launch reaches its window through this.
    class View : public LaunchView {
    public:
        explicit View(frmLaunch& form) : form(form) {}
        void DisplayMsg(const std::string& szMsg) override;
        void SetCloseEnabled(bool bEnabled) override;
        void ShowLaunchWindow() override;
        void SetWatchTimerEnabled(bool bEnabled) override;
        void UnloadLaunchWindow() override;
        void LaunchEnded() override;

    private:
        frmLaunch& form;
    };

    void Load();
    void Form_Load();
    void btnClose_Click();
    void tmrRestore_Timer();
    void SetCloseEnabled(bool bEnabled);

    void CreateControls() override;
    void LayoutControls() override;
    LRESULT HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR lTimerId) override;

    ui::ListBox lstLaunch;
    ui::Button btnClose;
    ui::Font fntLog;
    View view{*this};
    Launcher launcher;
};

}  // namespace corvane
