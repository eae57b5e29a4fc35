// The launch window: one launch of a game from the check of the mod's
// sources, through the swap and the game's run, to the restore of the game
// folder, written line by line to its progress log. The disk work runs on a
// thread of its own, so the window answers and repaints meanwhile; its lines
// reach the log in order, in batches at screen pace.
//
// PUBLIC CONTRACT used by the start-up code and the main window; the private
// part belongs to the launch code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "launch/launch_view.h"
#include "launch/launcher.h"
#include "launch/progress/log_queue.h"
#include "ui/thread_runner.h"
#include "platform/platform.h"
#include "state/program_state.h"
#include "ui/controls.h"
#include "ui/font.h"
#include "ui/log_list.h"
#include "ui/window.h"

namespace corvane {

class frmLaunch : public ui::Window {
public:
    // szAppPath: the program folder, whose launches this window runs.
    frmLaunch(ProgramState& state, const Platform& platform, std::string szAppPath);
    ~frmLaunch() override;

    // Runs one launch of GameTable row dGame with the switches szArgs and the
    // mod ModList(dMod) (negative: no mod). Loads the window first when it is
    // not loaded. Returns once the disk work has started, or once the launch
    // was given up. Does nothing while a launch is under way.
    void LaunchApplication(int16_t dGame, const std::string& szArgs, int16_t dMod);

    // At start-up: restores the game folder after a launch that was cut
    // short, in this window, then runs then, told whether the player closed
    // the window while it waited for a game still running; false when
    // there is none.
    bool RecoverAtStart(std::function<void(bool bStopped)> then);

    // Appends one line to the progress log and brings it into view.
    void DisplayMsg(const std::string& szMsg);

    // A launch is under way: disk work, or a game watched and not yet restored.
    bool IsBusy() const;
    // The launch's disk work runs.
    bool IsWorking() const;

    // Runs whenever a launch is over: "END" written, or the launch stopped
    // before the game started (refused, missing sources, an error).
    std::function<void()> onLaunchEnded;
    // Runs when the disk work starts (true) and ends (false).
    std::function<void(bool)> onWorkingChanged;
    // Runs when the program should end: a copy with administrator rights
    // took over.
    std::function<void()> onEndProgram;

private:
    // The launch reaches its window through this.
    class View : public LaunchView {
    public:
        explicit View(frmLaunch& form) : form(form) {}
        void SetCloseEnabled(bool bEnabled) override;
        void ShowLaunchWindow() override;
        void SetWatchTimerEnabled(bool bEnabled) override;
        void UnloadLaunchWindow() override;
        void SetWorking(bool bWorking) override;
        void LaunchEnded() override;
        void EndProgram() override;

    private:
        frmLaunch& form;
    };

    void Load();
    void Form_Load();
    void btnClose_Click();
    void tmrRestore_Timer();
    void SetCloseEnabled(bool bEnabled);
    // Shows the lines that are waiting, now or, when the log was repainted
    // moments ago, at the next repaint.
    void ShowLogSoon();
    void ShowLog();

    void CreateControls() override;
    void LayoutControls() override;
    LRESULT HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR lTimerId) override;

    ui::LogList lstLaunch;
    ui::Button btnClose;
    ui::ProgressBar prgProgress;
    ui::Font fntLog;
    ULONGLONG lLastShown = 0;
    View view{*this};
    LogQueue log;
    Launcher launcher;
    ThreadRunner runner;  // last: it waits for the work before the rest goes
};

}  // namespace corvane
