// The context menus of the main window's lists: what each offers, and when
// a command can be chosen.
#pragma once

#include "platform/win32.h"

namespace corvane {

enum class ModCommand { kNone, kCreateShortcut, kInstallMod, kFingerprint };

// The menu of a game; true when "Check Game Folder..." was chosen.
bool TrackGameMenu(HWND hOwner, POINT ptScreen);

// The menu of a mod. A shortcut plays a mod with one game, and a
// fingerprint is taken of one: without a game selected the menu says so.
// Nothing is installed or fingerprinted while a launch has the game
// folder in its hands (bLaunchWorking).
ModCommand TrackModMenu(HWND hOwner, POINT ptScreen, bool bGameSelected, bool bLaunchWorking);

}  // namespace corvane
