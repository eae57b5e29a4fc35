// The icons a window shows in its caption and on the task bar, loaded from
// the program's resources at the sizes its DPI asks for, so they stay sharp
// when the window moves to a monitor of another scale.
#pragma once

#include "platform/win32.h"

namespace corvane::ui {

class WindowIcons {
public:
    WindowIcons() = default;
    WindowIcons(const WindowIcons&) = delete;
    WindowIcons& operator=(const WindowIcons&) = delete;
    ~WindowIcons();

    // Loads the icon resource at the big and small icon sizes of lDpi and
    // gives both to the window; the ones given before are freed.
    void Apply(HWND hwnd, int lResourceId, UINT lDpi);

private:
    HICON hBig = nullptr;
    HICON hSmall = nullptr;
};

}  // namespace corvane::ui
