#include "ui/window_position.h"

#include <algorithm>

namespace corvane::ui {

void CentreInWorkArea(HWND hwnd) {
    RECT rcWork{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    RECT rcWindow{};
    GetWindowRect(hwnd, &rcWindow);
    const int lWidth = rcWindow.right - rcWindow.left;
    const int lHeight = rcWindow.bottom - rcWindow.top;
    SetWindowPos(hwnd, nullptr, rcWork.left + (rcWork.right - rcWork.left - lWidth) / 2,
                 rcWork.top + (rcWork.bottom - rcWork.top - lHeight) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The spot scales with the window, so at 200 % a window placed for a
// screen at 100 % reaches past the bottom of a small one: it moves back
// only as far as it takes to show it whole.
void MoveClientTo(HWND hwnd, int xClient, int yClient) {
    POINT ptClient{0, 0};
    ClientToScreen(hwnd, &ptClient);
    RECT rcWindow{};
    GetWindowRect(hwnd, &rcWindow);
    const int lWidth = rcWindow.right - rcWindow.left, lHeight = rcWindow.bottom - rcWindow.top;
    int x = xClient - (ptClient.x - rcWindow.left);
    int y = yClient - (ptClient.y - rcWindow.top);
    const RECT rcWanted{x, y, x + lWidth, y + lHeight};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoA(MonitorFromRect(&rcWanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
        x = std::max<int>(monitor.rcWork.left, std::min<int>(x, monitor.rcWork.right - lWidth));
        y = std::max<int>(monitor.rcWork.top, std::min<int>(y, monitor.rcWork.bottom - lHeight));
    }
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane::ui
