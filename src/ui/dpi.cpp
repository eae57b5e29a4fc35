#include "ui/dpi.h"

namespace corvane::ui {

namespace {

template <typename Fn>
Fn LookUp(const char* szName) {
    HMODULE hUser = GetModuleHandleA("user32.dll");
    return hUser ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(hUser, szName)))
                 : nullptr;
}

UINT SystemDpi() {
    HDC hdc = GetDC(nullptr);
    const int lDpi = hdc ? GetDeviceCaps(hdc, LOGPIXELSY) : 0;
    if (hdc) ReleaseDC(nullptr, hdc);
    return lDpi > 0 ? static_cast<UINT>(lDpi) : kDefaultDpi;
}

}  // namespace

UINT DpiOf(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto pGetDpiForWindow = LookUp<GetDpiForWindowFn>("GetDpiForWindow");
    if (hwnd && pGetDpiForWindow) {
        if (UINT lDpi = pGetDpiForWindow(hwnd)) return lDpi;
    }
    return SystemDpi();
}

SIZE WindowSizeForClient(int lClientWidth, int lClientHeight, DWORD lStyle, DWORD lExStyle,
                         UINT lDpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto pAdjust = LookUp<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT rc{0, 0, lClientWidth, lClientHeight};
    if (!pAdjust || !pAdjust(&rc, lStyle, FALSE, lExStyle, lDpi))
        AdjustWindowRectEx(&rc, lStyle, FALSE, lExStyle);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

LOGFONTA MessageFontFor(UINT lDpi) {
    using ParametersForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto pForDpi = LookUp<ParametersForDpiFn>("SystemParametersInfoForDpi");

    // The ForDpi call exists only in its wide form; its font name is
    // converted to the ANSI code page here, where the rest of the program lives.
    NONCLIENTMETRICSW ncmW{};
    ncmW.cbSize = sizeof(ncmW);
    if (pForDpi && pForDpi(SPI_GETNONCLIENTMETRICS, sizeof(ncmW), &ncmW, 0, lDpi)) {
        LOGFONTA lf{};
        const LOGFONTW& w = ncmW.lfMessageFont;
        lf.lfHeight = w.lfHeight;
        lf.lfWeight = w.lfWeight;
        lf.lfItalic = w.lfItalic;
        lf.lfCharSet = w.lfCharSet;
        lf.lfQuality = w.lfQuality;
        WideCharToMultiByte(CP_ACP, 0, w.lfFaceName, -1, lf.lfFaceName, LF_FACESIZE, nullptr,
                            nullptr);
        return lf;
    }

    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof(ncm);
    LOGFONTA lf{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
        lf = ncm.lfMessageFont;
        lf.lfHeight = MulDiv(lf.lfHeight, static_cast<int>(lDpi), static_cast<int>(SystemDpi()));
    } else {
        lf.lfHeight = -MulDiv(9, static_cast<int>(lDpi), 72);
        lstrcpynA(lf.lfFaceName, "Segoe UI", LF_FACESIZE);
    }
    return lf;
}

}  // namespace corvane::ui
