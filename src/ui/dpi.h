// Scaling of the layout tables to the window's DPI. Layouts are given in
// twips (1/1440 inch, 15 to a pixel at 96 dpi).
#pragma once

#include "platform/win32.h"

namespace corvane::ui {

inline constexpr UINT kDefaultDpi = 96;

// A position in a layout table, in twips.
struct TwipsRect {
    int lLeft;
    int lTop;
    int lWidth;
    int lHeight;
};

// The DPI a window is shown at (the system DPI before Windows 10).
UINT DpiOf(HWND hwnd);

inline int TwipsToPixels(int lTwips, UINT lDpi) { return MulDiv(lTwips, static_cast<int>(lDpi), 1440); }

// The outer size of a window whose client area has the given size.
SIZE WindowSizeForClient(int lClientWidth, int lClientHeight, DWORD lStyle, DWORD lExStyle,
                         UINT lDpi);

// The system's message font at the given DPI.
LOGFONTA MessageFontFor(UINT lDpi);

}  // namespace corvane::ui
