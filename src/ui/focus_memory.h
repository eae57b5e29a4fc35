// The control that had the focus when its window was last active, given
// back when the window is active again, as a dialog does (after a modal
// window over it closed, for example).
#pragma once

#include "platform/win32.h"

namespace corvane::ui {

class FocusMemory {
public:
    // WM_ACTIVATE of hwnd; true when the focus was given back, which
    // handles the message.
    bool OnActivate(HWND hwnd, WPARAM wParam);
    void Forget() { hLastFocus = nullptr; }

private:
    HWND hLastFocus = nullptr;
};

}  // namespace corvane::ui
