#include "app/main_window/ctalink.h"

#include <exception>
#include <utility>

#include "resource_ids.h"

namespace corvane {

namespace {

constexpr const char* kClassName = "CorvaneLink";

// Picture1 as it was laid out: a 212 x 84 pixel picture with its top 240
// twips above the control, so the control shows a band of it.
constexpr int kPictureWidthTwips = 3180;
constexpr int kPictureHeightTwips = 1260;
constexpr int kPictureTopTwips = -240;

}  // namespace

ctalink::~ctalink() { Release(); }

void ctalink::Create(ui::Window& parent, std::string szAddress, Browser& browser) {
    Release();
    szToolTipText = std::move(szAddress);
    pBrowser = &browser;

    HINSTANCE hInstance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(hInstance, kClassName, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &ctalink::WndProc;
        wc.hInstance = hInstance;
        wc.hCursor = LoadCursor(nullptr, IDC_HAND);
        wc.lpszClassName = kClassName;
        RegisterClassExA(&wc);
    }
    // The window text is the address: it is what an accessibility tool reads out.
    CreateChild(parent, kClassName, szToolTipText, WS_TABSTOP);
    if (!Handle()) return;
    SetWindowLongPtrA(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    bAlive = true;
    hPicture = static_cast<HBITMAP>(LoadImageA(hInstance, MAKEINTRESOURCEA(IDB_LINK_PICTURE),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    // One tool for the whole control: the picture covers all of it but a
    // narrow strip, and the strip leads to the same page.
    toolTip.Create(Handle(), szToolTipText);
}

void ctalink::Layout(const ui::TwipsRect& rc, UINT lNewDpi) {
    lDpi = lNewDpi;
    Place(rc, lDpi);
    InvalidateRect(Handle(), nullptr, TRUE);
}

RECT ctalink::PictureRect() const {
    const int lTop = ui::TwipsToPixels(kPictureTopTwips, lDpi);
    return RECT{0, lTop, ui::TwipsToPixels(kPictureWidthTwips, lDpi),
                lTop + ui::TwipsToPixels(kPictureHeightTwips, lDpi)};
}

void ctalink::Picture1_Click() { UserControl_Click(); }

void ctalink::UserControl_Click() {
    if (!pBrowser) return;
    // Whether the page opens is the browser's business; the link says nothing.
    try {
        pBrowser->Open(szToolTipText);
    } catch (const std::exception&) {
    }
}

void ctalink::OnMouseUp(POINT pt) {
    RECT rcClient{};
    GetClientRect(Handle(), &rcClient);
    if (!PtInRect(&rcClient, pt)) return;  // released elsewhere: no click
    const RECT rcPicture = PictureRect();
    if (PtInRect(&rcPicture, pt))
        Picture1_Click();
    else
        UserControl_Click();
}

void ctalink::Paint() {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(Handle(), &ps);
    RECT rcClient{};
    GetClientRect(Handle(), &rcClient);
    FillRect(hdc, &rcClient, GetSysColorBrush(COLOR_BTNFACE));
    BITMAP bm{};
    if (hPicture && GetObjectA(hPicture, sizeof(bm), &bm)) {
        HDC hdcPicture = CreateCompatibleDC(hdc);
        HGDIOBJ hOld = SelectObject(hdcPicture, hPicture);
        const RECT rc = PictureRect();
        SetStretchBltMode(hdc, HALFTONE);
        SetBrushOrgEx(hdc, 0, 0, nullptr);
        StretchBlt(hdc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hdcPicture, 0, 0,
                   bm.bmWidth, bm.bmHeight, SRCCOPY);
        SelectObject(hdcPicture, hOld);
        DeleteDC(hdcPicture);
    }
    if (GetFocus() == Handle()) DrawFocusRect(hdc, &rcClient);
    EndPaint(Handle(), &ps);
}

LRESULT CALLBACK ctalink::WndProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ctalink*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, lMsg, wParam, lParam);
    try {
        return self->HandleMessage(lMsg, wParam, lParam);
    } catch (const std::exception&) {
        // Nothing may leave a window procedure; the message gets its default.
    }
    return DefWindowProcA(hwnd, lMsg, wParam, lParam);
}

LRESULT ctalink::HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = Handle();
    switch (lMsg) {
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        SetCapture(hwnd);
        bPressed = true;
        return 0;
    case WM_LBUTTONUP:
        if (bPressed) {
            bPressed = false;
            ReleaseCapture();
            OnMouseUp(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        }
        return 0;
    case WM_CAPTURECHANGED:
        bPressed = false;
        return 0;
    case WM_GETDLGCODE: {
        // Enter belongs to the link while it has the focus, not to the dialog
        // manager's default button.
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
        return 0;
    }
    case WM_KEYDOWN: {
        const bool bRepeat = (lParam & (1 << 30)) != 0;
        if (!bRepeat && (wParam == VK_RETURN || wParam == VK_SPACE)) UserControl_Click();
        return 0;
    }
    case WM_DESTROY:
        toolTip.Destroy();
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        bAlive = false;
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, lMsg, wParam, lParam);
}

void ctalink::Release() {
    if (bAlive && Handle()) SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0);
    toolTip.Destroy();
    bAlive = false;
    if (hPicture) DeleteObject(hPicture);
    hPicture = nullptr;
}

}  // namespace corvane
