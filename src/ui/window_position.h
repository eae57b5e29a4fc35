// Where a top-level window lies on the screen: centred in the work area
// when it opens, or with its client area at a given point, kept whole on
// its monitor.
#pragma once

#include "platform/win32.h"

namespace corvane::ui {

// Centres the window in the work area of the primary screen.
void CentreInWorkArea(HWND hwnd);

// Moves the window so that its client area's top-left corner lies at that
// point of the screen, in pixels, or as near it as the whole window stays
// in the work area of its monitor.
void MoveClientTo(HWND hwnd, int x, int y);

}  // namespace corvane::ui
