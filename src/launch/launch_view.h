// What the launch needs of the window it runs in: its Close button, its
// visibility, its exit-watch timer and the program around it. Called on the
// window's thread only; the log is the LaunchLog.
#pragma once

namespace corvane {

class LaunchView {
public:
    virtual ~LaunchView() = default;

    virtual void SetCloseEnabled(bool bEnabled) = 0;
    // Shows the window, modeless.
    virtual void ShowLaunchWindow() = 0;
    // The once-a-second watch of the game process.
    virtual void SetWatchTimerEnabled(bool bEnabled) = 0;
    // Takes the window away; its log goes with it.
    virtual void UnloadLaunchWindow() = 0;
    // Disk work of the launch starts (true) or has ended (false): nothing
    // may change the mod list or start a launch meanwhile.
    virtual void SetWorking(bool bWorking) = 0;
    // The launch is over: "END" written, or given up before the game ran.
    virtual void LaunchEnded() = 0;
    // Another copy of the program, with administrator rights, takes over:
    // this one ends.
    virtual void EndProgram() = 0;
};

}  // namespace corvane
