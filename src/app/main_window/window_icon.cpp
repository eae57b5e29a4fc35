#include "app/main_window/window_icon.h"

#include "ui/dpi.h"

namespace corvane::ui {

namespace {

int IconMetric(int lIndex, UINT lDpi) {
    using MetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto pForDpi = [] {
        HMODULE hUser = GetModuleHandleA("user32.dll");
        return hUser ? reinterpret_cast<MetricsForDpiFn>(
                           reinterpret_cast<void*>(GetProcAddress(hUser, "GetSystemMetricsForDpi")))
                     : nullptr;
    }();
    if (pForDpi) return pForDpi(lIndex, lDpi);
    // Before Windows 10 the metrics are those of the system DPI.
    return MulDiv(GetSystemMetrics(lIndex), static_cast<int>(lDpi), static_cast<int>(DpiOf(nullptr)));
}

HICON LoadIconSized(int lResourceId, int lSize) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(lResourceId),
                                         IMAGE_ICON, lSize, lSize, LR_DEFAULTCOLOR));
}

void Free(HICON& hIcon) {
    if (hIcon) DestroyIcon(hIcon);
    hIcon = nullptr;
}

}  // namespace

WindowIcons::~WindowIcons() {
    Free(hBig);
    Free(hSmall);
}

void WindowIcons::Apply(HWND hwnd, int lResourceId, UINT lDpi) {
    HICON hNewBig = LoadIconSized(lResourceId, IconMetric(SM_CXICON, lDpi));
    HICON hNewSmall = LoadIconSized(lResourceId, IconMetric(SM_CXSMICON, lDpi));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hNewBig));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hNewSmall));
    Free(hBig);
    Free(hSmall);
    hBig = hNewBig;
    hSmall = hNewSmall;
}

}  // namespace corvane::ui
