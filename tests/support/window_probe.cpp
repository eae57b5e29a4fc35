#include "support/window_probe.h"

#include <stdexcept>

#include "ui/message_loop.h"

namespace corvane::test {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR lResult = 0;
    if (!SendMessageTimeoutA(hwnd, lMsg, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &lResult))
        throw std::runtime_error("the window did not answer");
    return static_cast<LRESULT>(lResult);
}

bool OnThisThread(HWND hwnd) { return GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId(); }

void Post(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam) {
    PostMessageA(hwnd, lMsg, wParam, lParam);
    if (OnThisThread(hwnd)) ui::PumpPendingMessages();
}

}  // namespace

std::string WindowText(HWND hwnd) {
    char szText[512] = {};
    const int lLength = GetWindowTextA(hwnd, szText, sizeof(szText));
    return std::string(szText, lLength > 0 ? static_cast<size_t>(lLength) : 0);
}

bool Enabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

HWND ChildOfClass(HWND hParent, const char* szClass, int lNth, const char* szText) {
    for (HWND h = GetWindow(hParent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        char szThis[64] = {};
        GetClassNameA(h, szThis, sizeof(szThis));
        if (lstrcmpiA(szThis, szClass) == 0 && (!szText || WindowText(h) == szText) && lNth-- == 0) return h;
    }
    return nullptr;
}

// The lines are asked for in their wide form and converted here: Wine's
// conversion of another process's list text for the ANSI message hands back
// the wide bytes.
Lines ListLines(HWND hList) {
    Lines lines;
    const LRESULT lCount = Send(hList, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < lCount; ++i) {
        DWORD_PTR lLength = 0;
        SendMessageTimeoutW(hList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                            &lLength);
        std::wstring szWide(static_cast<size_t>(lLength) + 1, L'\0');
        DWORD_PTR lCopied = 0;
        SendMessageTimeoutW(hList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(szWide.data()),
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, &lCopied);
        szWide.resize(static_cast<LRESULT>(lCopied) > 0 ? static_cast<size_t>(lCopied) : 0);
        std::string szLine(szWide.size() * 2 + 1, '\0');
        const int lBytes = WideCharToMultiByte(CP_ACP, 0, szWide.data(), static_cast<int>(szWide.size()),
                                               szLine.data(), static_cast<int>(szLine.size()), nullptr, nullptr);
        szLine.resize(lBytes > 0 ? static_cast<size_t>(lBytes) : 0);
        lines.push_back(szLine);
    }
    return lines;
}

int ListSelection(HWND hList) { return static_cast<int>(Send(hList, LB_GETCURSEL, 0, 0)); }

bool PumpUntil(const std::function<bool()>& done, unsigned lTimeoutMs) {
    const ULONGLONG lDeadline = GetTickCount64() + lTimeoutMs;
    for (ui::PumpPendingMessages(); !done(); ui::PumpPendingMessages()) {
        if (GetTickCount64() >= lDeadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

Lines WaitForLastLine(HWND hList, const std::string& szLast, unsigned lTimeoutMs) {
    Lines lines;
    PumpUntil([&] {
        lines = ListLines(hList);
        return !lines.empty() && lines.back() == szLast;
    }, lTimeoutMs);
    return lines;
}

void ClickButton(HWND hButton) { Post(hButton, BM_CLICK, 0, 0); }

void ClickListEntry(HWND hList, int i, bool bDouble) {
    RECT rc{};
    Send(hList, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    const LPARAM lPoint = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessageA(hList, WM_LBUTTONUP, 0, lPoint);
    if (bDouble) {
        PostMessageA(hList, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
        PostMessageA(hList, WM_LBUTTONUP, 0, lPoint);
    }
    if (OnThisThread(hList)) ui::PumpPendingMessages();
}

void ClickAt(HWND hwnd, int x, int y, int xUp, int yUp) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Post(hwnd, WM_LBUTTONUP, 0, xUp < 0 ? MAKELPARAM(x, y) : MAKELPARAM(xUp, yUp));
}

void PressKey(UINT lVirtualKey) {
    const LPARAM lScan = static_cast<LPARAM>(MapVirtualKeyA(lVirtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(GetFocus(), WM_KEYDOWN, lVirtualKey, 1 | lScan);
    Post(GetFocus(), WM_KEYUP, lVirtualKey, 1 | lScan | (LPARAM{3} << 30));
}

}  // namespace corvane::test
