// What the launch needs of the window it runs in: its progress log, its Close
// button, its visibility and its exit-watch timer.
#pragma once

#include <string>

namespace corvane {

class LaunchView {
public:
    virtual ~LaunchView() = default;

    // Appends one line to the progress log and brings it into view.
    virtual void DisplayMsg(const std::string& szMsg) = 0;
    virtual void SetCloseEnabled(bool bEnabled) = 0;
    // Shows the window, modeless.
    virtual void ShowLaunchWindow() = 0;
    // The once-a-second watch of the game process.
    virtual void SetWatchTimerEnabled(bool bEnabled) = 0;
    // Takes the window away; its log goes with it.
    virtual void UnloadLaunchWindow() = 0;
    // The launch is over: "END" written, or given up before the game ran.
    virtual void LaunchEnded() = 0;
};

}  // namespace corvane
