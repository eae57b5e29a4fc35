#include "ui/window.h"

#include <algorithm>
#include <exception>

#include "ui/controls.h"
#include "ui/modal_loop.h"
#include "ui/window_position.h"

namespace corvane::ui {

namespace {

void RegisterClassOnce(const char* szClassName, WNDPROC pfnWndProc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    HINSTANCE hInstance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(hInstance, szClassName, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = pfnWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = szClassName;
    RegisterClassExA(&wc);
}

void ReportUnexpected(const char* szWhat) {
    OutputDebugStringA("Corvane: a window message handler failed: ");
    OutputDebugStringA(szWhat);
    OutputDebugStringA("\n");
}

}  // namespace

Window::~Window() {
    if (hwnd) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        HWND hDoomed = hwnd;
        hwnd = nullptr;
        DestroyWindow(hDoomed);
    }
}

void Window::Unload() {
    if (hwnd) DestroyWindow(hwnd);
}

void Window::Hide() {
    EndModal();
    if (hwnd) ShowWindow(hwnd, SW_HIDE);
}

void Window::SetCaption(const std::string& szCaption) {
    if (hwnd) SetWindowTextA(hwnd, szCaption.c_str());
}

void Window::ShowModal(Window& over) {
    if (!hwnd) return;
    HWND hOver = over.Handle();
    SetWindowLongPtrA(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hOver));
    if (hOver && IsWindowEnabled(hOver)) {
        hModalOver = hOver;
        EnableWindow(hOver, FALSE);
    }
    ShowWindow(hwnd, SW_SHOW);
    SetActiveWindow(hwnd);
    SetFocus(GetNextDlgTabItem(hwnd, nullptr, FALSE));  // it opens on its first control
    RunModalLoop([this] { return hwnd && IsWindowVisible(hwnd); });
    EndModal();
    if (hwnd) SetWindowLongPtrA(hwnd, GWLP_HWNDPARENT, 0);
    if (hOver && IsWindow(hOver)) SetActiveWindow(hOver);
}

// The other window takes input again before this one hides or goes, so
// that it, and not some other program, becomes the active window.
void Window::EndModal() {
    if (hModalOver) EnableWindow(hModalOver, TRUE);
    hModalOver = nullptr;
}

void Window::PlaceControls(std::initializer_list<std::pair<Control*, TwipsRect>> placements) {
    for (const auto& [control, rc] : placements) {
        control->Place(rc, lDpi);
        control->SetFont(MessageFont());
    }
}

void Window::PlaceClientAt(int lLeftTwips, int lTopTwips) { MoveClientTo(hwnd, Px(lLeftTwips), Px(lTopTwips)); }

void Window::CreateForm(const FormSpec& form) {
    RegisterClassOnce(form.szClassName, &Window::WndProc);
    lClientWidthTwips = form.lClientWidth;
    lClientHeightTwips = form.lClientHeight;
    lStyle = form.lStyle;
    lExStyle = form.lExStyle;
    controls.Clear();

    // Top-level and without owner: every window of the program stands on its own.
    if (!CreateWindowExA(form.lExStyle, form.szClassName, form.szCaption.c_str(), form.lStyle,
                         CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), this))
        return;
    ResizeToClient();
    CentreInWorkArea(hwnd);
}

void Window::ResizeToClient() {
    const SIZE size = WindowSizeForClient(Px(lClientWidthTwips), Px(lClientHeightTwips), lStyle,
                                          lExStyle, lDpi);
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Window::AdoptControl(Control& control) { return controls.Adopt(control); }

void Window::SetTimerEnabled(UINT_PTR lTimerId, bool bEnabled, UINT lIntervalMs) {
    std::erase(enabledTimers, lTimerId);
    if (!hwnd) return;
    if (bEnabled && SetTimer(hwnd, lTimerId, lIntervalMs, nullptr)) {
        enabledTimers.push_back(lTimerId);
    } else {
        KillTimer(hwnd, lTimerId);
    }
}

bool Window::TimerEnabled(UINT_PTR lTimerId) const {
    return std::find(enabledTimers.begin(), enabledTimers.end(), lTimerId) != enabledTimers.end();
}

LRESULT CALLBACK Window::WndProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam) {
    if (lMsg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<Window*>(cs->lpCreateParams);
        self->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, lMsg, wParam, lParam);

    try {
        return self->Dispatch(lMsg, wParam, lParam);
    } catch (const std::exception& e) {
        ReportUnexpected(e.what());
    } catch (...) {
        ReportUnexpected("unknown exception");
    }
    return DefWindowProcA(hwnd, lMsg, wParam, lParam);
}

LRESULT Window::Dispatch(UINT lMsg, WPARAM wParam, LPARAM lParam) {
    switch (lMsg) {
    case WM_CREATE:
        lDpi = DpiOf(hwnd);
        messageFont = Font(MessageFontFor(lDpi));
        CreateControls();
        LayoutControls();
        break;
    case WM_ACTIVATE:
        if (focus.OnActivate(hwnd, wParam)) return 0;
        break;
    case WM_DESTROY:
        EndModal();
        break;
    case WM_NCDESTROY: {
        HWND hGone = hwnd;
        SetWindowLongPtrA(hGone, GWLP_USERDATA, 0);
        hwnd = nullptr;
        focus.Forget();
        controls.Clear();
        enabledTimers.clear();
        if (onUnloaded) onUnloaded();
        return DefWindowProcA(hGone, lMsg, wParam, lParam);
    }
    default:
        break;
    }
    return HandleMessage(lMsg, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(lMsg, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT lMsg, WPARAM wParam, LPARAM lParam) {
    switch (lMsg) {
    case WM_COMMAND:
        if (controls.RouteCommand(wParam, lParam)) return 0;
        break;
    case WM_DRAWITEM:
        if (controls.RouteDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_TIMER:
        if (TimerEnabled(static_cast<UINT_PTR>(wParam))) OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, lMsg, wParam, lParam);
}

void Window::OnDpiChanged(UINT lNewDpi, const RECT& rcSuggested) {
    lDpi = lNewDpi;
    messageFont = Font(MessageFontFor(lDpi));
    SetWindowPos(hwnd, nullptr, rcSuggested.left, rcSuggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ResizeToClient();
    LayoutControls();
    InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace corvane::ui
