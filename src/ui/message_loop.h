// The program's message loop. Keyboard messages go through the dialog
// manager of the window they belong to, so Tab, Shift+Tab, access keys
// (Alt+G) and the default button work in every window.
#pragma once

#include "platform/win32.h"

namespace corvane::ui {

// Translates and dispatches one message that was taken from the queue.
void DispatchWithDialogKeys(MSG& msg);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Handles whatever is queued now, without waiting (tests drive windows with it).
void PumpPendingMessages();

}  // namespace corvane::ui
