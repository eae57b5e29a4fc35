#include "ui/log_list.h"

#include <algorithm>

#include <commctrl.h>

namespace corvane::ui {

namespace {

// Lines are kept in the program's code page; the screen wants UTF-16.
std::wstring Wide(const char* pText, int lLength) {
    std::wstring szWide(static_cast<size_t>(lLength), L'\0');
    const int lWide = MultiByteToWideChar(CP_ACP, 0, pText, lLength, szWide.data(), lLength);
    szWide.resize(lWide > 0 ? static_cast<size_t>(lWide) : 0);
    return szWide;
}

constexpr int kTextIndent = 2;

}  // namespace

void LogList::Create(Window& parent) {
    lines.Clear();
    lWidest = 0;
    lLongestMeasured = 0;
    CreateChild(parent, "LISTBOX", "",
                WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NODATA | LBS_OWNERDRAWFIXED,
                WS_EX_CLIENTEDGE);
    // Told to hold strings once made (it may not be made so with no data of
    // its own): whoever asks for a line, from this program or another,
    // then gets its text, which ReadOutProc gives.
    SetWindowLongPtrA(Handle(), GWL_STYLE, GetWindowLongPtrA(Handle(), GWL_STYLE) | LBS_HASSTRINGS);
    SetWindowSubclass(Handle(), ReadOutProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void LogList::AddLines(const std::vector<std::string>& szLines) {
    if (szLines.empty()) return;
    for (const std::string& szLine : szLines) lines.Add(szLine);
    SendMessageA(Handle(), LB_SETCOUNT, lines.Count(), 0);
    FitWidth(szLines.size(), [&](size_t i) { return szLines[i]; });
    SendMessageA(Handle(), LB_SETTOPINDEX, lines.Count() - 1, 0);
}

void LogList::FitToFont() {
    HDC hdc = GetDC(Handle());
    if (!hdc) return;
    HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(hdc, &metrics);
    SelectObject(hdc, hOld);
    ReleaseDC(Handle(), hdc);
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, metrics.tmHeight);
    lWidest = 0;
    lLongestMeasured = 0;
    FitWidth(lines.Count(), [this](size_t i) { return lines.Line(i); });
}

// Only a line longer than every line measured so far is measured: it is the
// one likely to be the widest, and thousands of lines of paths stay cheap.
// A line no longer but of wider letters may lose its last pixels.
void LogList::FitWidth(size_t lCount, const std::function<std::string(size_t)>& lineAt) {
    HDC hdc = GetDC(Handle());
    if (!hdc) return;
    HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
    const int lWidestBefore = lWidest;
    for (size_t i = 0; i < lCount; ++i) {
        const std::string szLine = lineAt(i);
        if (szLine.size() <= lLongestMeasured) continue;
        lLongestMeasured = szLine.size();
        const std::wstring szWide = Wide(szLine.data(), static_cast<int>(szLine.size()));
        SIZE size{};
        GetTextExtentPoint32W(hdc, szWide.c_str(), static_cast<int>(szWide.size()), &size);
        lWidest = std::max<int>(lWidest, size.cx + 2 * kTextIndent + GetSystemMetrics(SM_CXEDGE) * 2);
    }
    SelectObject(hdc, hOld);
    ReleaseDC(Handle(), hdc);
    if (lWidest != lWidestBefore) SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(lWidest), 0);
}

void LogList::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const bool bSelected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const std::string szLine = Line(static_cast<int>(item.itemID));
    const std::wstring szWide = Wide(szLine.data(), static_cast<int>(szLine.size()));
    SetTextColor(item.hDC, GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    ExtTextOutW(item.hDC, item.rcItem.left + kTextIndent, item.rcItem.top, ETO_CLIPPED, &item.rcItem, szWide.c_str(),
                static_cast<UINT>(szWide.size()), nullptr);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

// Subclassing may make the list box a window of UTF-16 messages, in which
// case the lines are given in UTF-16; the system turns them back for those
// who ask in the program's code page.
LRESULT CALLBACK LogList::ReadOutProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR lThis) {
    if (lMsg != LB_GETTEXTLEN && lMsg != LB_GETTEXT) return DefSubclassProc(hwnd, lMsg, wParam, lParam);
    const LogList& list = *reinterpret_cast<const LogList*>(lThis);
    const int i = static_cast<int>(wParam);
    if (i < 0 || i >= list.LineCount() || (lMsg == LB_GETTEXT && !lParam)) return LB_ERR;
    const std::string szLine = list.Line(i);
    if (IsWindowUnicode(hwnd)) {
        const std::wstring szWide = Wide(szLine.data(), static_cast<int>(szLine.size()));
        if (lMsg == LB_GETTEXT) std::copy(szWide.c_str(), szWide.c_str() + szWide.size() + 1, reinterpret_cast<wchar_t*>(lParam));
        return static_cast<LRESULT>(szWide.size());
    }
    if (lMsg == LB_GETTEXT) std::copy(szLine.c_str(), szLine.c_str() + szLine.size() + 1, reinterpret_cast<char*>(lParam));
    return static_cast<LRESULT>(szLine.size());
}

}  // namespace corvane::ui
