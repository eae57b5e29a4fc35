#include "idle_window.h"

namespace corvane::bench {

namespace {

constexpr const char* kClassName = "CorvaneBenchIdle";

}  // namespace

IdleWindow::IdleWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, kClassName, "Corvane benchmark", WS_OVERLAPPED | WS_CAPTION, 0, 0, 320, 120, nullptr,
                           nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
}

IdleWindow::~IdleWindow() {
    if (hwnd) DestroyWindow(hwnd);
}

}  // namespace corvane::bench
