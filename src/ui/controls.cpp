#include "ui/controls.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <commctrl.h>
#include <windowsx.h>

namespace corvane::ui {

void Control::CreateChild(Window& parent, const char* szClass, const std::string& szText,
                          DWORD lStyle, DWORD lExStyle) {
    lId = parent.AdoptControl(*this);
    hwnd = CreateWindowExA(lExStyle, szClass, szText.c_str(),
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | lStyle, 0, 0, 0, 0, parent.Handle(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(lId)),
                           GetModuleHandleA(nullptr), nullptr);
}

bool Control::Enabled() const { return IsWindowEnabled(hwnd) != FALSE; }

void Control::SetEnabled(bool bEnabled) { EnableWindow(hwnd, bEnabled ? TRUE : FALSE); }

std::string Control::Text() const {
    std::string szText(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    const int lLength = GetWindowTextA(hwnd, szText.data(), static_cast<int>(szText.size()));
    szText.resize(lLength > 0 ? static_cast<size_t>(lLength) : 0);
    return szText;
}

void Control::SetText(const std::string& szText) { SetWindowTextA(hwnd, szText.c_str()); }

void Control::SetFont(HFONT hFont) {
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
}

void Control::Place(const TwipsRect& rc, UINT lDpi) {
    MoveWindow(hwnd, TwipsToPixels(rc.lLeft, lDpi), TwipsToPixels(rc.lTop, lDpi),
               TwipsToPixels(rc.lWidth, lDpi), TwipsToPixels(rc.lHeight, lDpi), TRUE);
}

void Label::Create(Window& parent, const std::string& szCaption) {
    CreateChild(parent, "STATIC", szCaption, SS_LEFTNOWORDWRAP);
}

void GroupBox::Create(Window& parent, const std::string& szCaption) {
    CreateChild(parent, "BUTTON", szCaption, BS_GROUPBOX);
}

void TextBox::Create(Window& parent) {
    CreateChild(parent, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
}

void Button::Create(Window& parent, const std::string& szCaption, bool bDefault) {
    CreateChild(parent, "BUTTON", szCaption,
                WS_TABSTOP | (bDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
}

void Button::OnCommand(WORD lCode) {
    if (lCode == BN_CLICKED && onClick) onClick();
}

void CheckBox::Create(Window& parent, const std::string& szCaption) {
    CreateChild(parent, "BUTTON", szCaption, WS_TABSTOP | BS_AUTOCHECKBOX);
}

void CheckBox::OnCommand(WORD lCode) {
    if (lCode == BN_CLICKED && onClick) onClick();
}

int CheckBox::Value() const {
    switch (SendMessageA(Handle(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
        return 1;
    case BST_INDETERMINATE:
        return 2;
    default:
        return 0;
    }
}

void CheckBox::SetValue(int lValue) {
    const WPARAM lState = lValue == 1 ? BST_CHECKED : lValue == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    SendMessageA(Handle(), BM_SETCHECK, lState, 0);
}

void ListBox::Create(Window& parent, bool bVerticalScroll, bool bWidenToFit) {
    bWidens = bWidenToFit;
    lWidestLine = 0;
    CreateChild(parent, "LISTBOX", "",
                WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | (bVerticalScroll ? WS_VSCROLL : 0) |
                    (bWidenToFit ? WS_HSCROLL : 0),
                WS_EX_CLIENTEDGE);
}

namespace {

// Measuring each line of a long list took longer than adding them (100,000
// lines: 120 ms under Wine). Past this many, only the lines longest in bytes
// are measured: the widest is among them unless the lines are of very
// unlike letters.
constexpr size_t kMeasuredLines = 256;

std::vector<const std::string*> LongestOf(const std::vector<std::string>& szItems) {
    std::vector<const std::string*> longest;
    longest.reserve(szItems.size());
    for (const std::string& szItem : szItems) longest.push_back(&szItem);
    if (longest.size() > kMeasuredLines) {
        std::nth_element(longest.begin(), longest.begin() + kMeasuredLines, longest.end(),
                         [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
        longest.resize(kMeasuredLines);
    }
    return longest;
}

}  // namespace

void ListBox::FitWidthTo(const std::vector<std::string>& szItems) {
    if (!bWidens || szItems.empty()) return;
    HDC hdc = GetDC(Handle());
    if (!hdc) return;
    HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
    const int lWidestBefore = lWidestLine;
    for (const std::string* szItem : LongestOf(szItems)) {
        SIZE size{};
        GetTextExtentPoint32A(hdc, szItem->c_str(), static_cast<int>(szItem->size()), &size);
        lWidestLine = std::max<int>(lWidestLine, size.cx + GetSystemMetrics(SM_CXEDGE) * 2);
    }
    SelectObject(hdc, hOld);
    ReleaseDC(Handle(), hdc);
    if (lWidestLine != lWidestBefore)
        SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(lWidestLine), 0);
}

void ListBox::FitWidthToLines() {
    if (!bWidens) return;
    std::vector<std::string> szLines;
    for (int i = 0; i < ListCount(); ++i) szLines.push_back(List(i));
    lWidestLine = 0;
    FitWidthTo(szLines);
}

void ListBox::OnCommand(WORD lCode) {
    if (lCode == LBN_SELCHANGE && onClick) onClick();
    if (lCode == LBN_DBLCLK && onDblClick) onDblClick();
}

void ListBox::AddItem(const std::string& szItem) {
    SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szItem.c_str()));
    FitWidthTo({szItem});
}

void ListBox::AddItems(const std::vector<std::string>& szItems) {
    if (szItems.empty()) return;
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    size_t lBytes = 0;
    for (const std::string& szItem : szItems) lBytes += szItem.size() + 1;
    SendMessageA(Handle(), LB_INITSTORAGE, szItems.size(), static_cast<LPARAM>(lBytes));
    for (const std::string& szItem : szItems)
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szItem.c_str()));
    FitWidthTo(szItems);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void ListBox::RemoveItem(int i) {
    SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(i), 0);
}

void ListBox::Clear() {
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    lWidestLine = 0;
    if (bWidens) SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, 0, 0);
}

int ListBox::ListCount() const {
    return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0));
}

std::string ListBox::List(int i) const {
    const LRESULT lLength = SendMessageA(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (lLength == LB_ERR) return {};
    std::vector<char> buffer(static_cast<size_t>(lLength) + 1, '\0');
    const LRESULT lCopied =
        SendMessageA(Handle(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
    if (lCopied == LB_ERR) return {};
    return std::string(buffer.data(), static_cast<size_t>(lCopied));
}

bool ListBox::Selected(int i) const {
    return SendMessageA(Handle(), LB_GETSEL, static_cast<WPARAM>(i), 0) > 0;
}

int ListBox::ListIndex() const {
    return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
}

bool ListBox::SetListIndex(int i) {
    if (i < 0 || i >= ListCount()) return false;
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(i), 0);
    return true;
}

void ListBox::SetTopIndex(int i) {
    SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(i), 0);
}

void ListBox::OfferContextMenu(std::function<void(POINT ptScreen)> onMenu) {
    if (!onContextMenu) SetWindowSubclass(Handle(), ContextMenuProc, 1, reinterpret_cast<DWORD_PTR>(this));
    onContextMenu = std::move(onMenu);
}

// Windows turns Shift+F10 and the context-menu key into WM_CONTEXTMENU, Wine
// does not: both keys are taken here, before either could, so the menu
// comes once on both.
LRESULT CALLBACK ListBox::ContextMenuProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam, UINT_PTR lId,
                                          DWORD_PTR lThis) {
    const bool bMenuKey = wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0);
    switch (lMsg) {
    case WM_CONTEXTMENU:
        reinterpret_cast<ListBox*>(lThis)->ContextMenuAt(lParam);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!bMenuKey) break;
        reinterpret_cast<ListBox*>(lThis)->ContextMenuAt(MAKELPARAM(-1, -1));
        return 0;
    case WM_KEYUP:
        if (wParam == VK_APPS) return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, ContextMenuProc, lId);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, lMsg, wParam, lParam);
}

void ListBox::ContextMenuAt(LPARAM lPoint) {
    POINT pt{GET_X_LPARAM(lPoint), GET_Y_LPARAM(lPoint)};
    const bool bByKeyboard = pt.x == -1 && pt.y == -1;
    if (bByKeyboard) {
        RECT rc{};
        const int i = ListIndex();
        if (i < 0 || SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc)) == LB_ERR)
            return;
        pt = {rc.left, rc.bottom};
        ClientToScreen(Handle(), &pt);
    } else {
        POINT ptClient = pt;
        ScreenToClient(Handle(), &ptClient);
        const LRESULT lHit = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(ptClient.x, ptClient.y));
        if (HIWORD(lHit) != 0 || !SetListIndex(LOWORD(lHit))) return;  // below the last entry
        if (onClick) onClick();
    }
    onContextMenu(pt);
}

void ComboBox::Create(Window& parent) {
    CreateChild(parent, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
}

void ComboBox::OnCommand(WORD lCode) {
    if (lCode == CBN_SELCHANGE && onChange) onChange();
}

void ComboBox::AddItem(const std::string& szItem) {
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szItem.c_str()));
}

void ComboBox::Clear() { SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }

int ComboBox::ListCount() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }

int ComboBox::ListIndex() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }

void ComboBox::SetListIndex(int i) { SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(i), 0); }

void ProgressBar::Create(Window& parent) {
    CreateChild(parent, PROGRESS_CLASSA, "", 0);
    SendMessageA(Handle(), PBM_SETRANGE32, 0, kRange);
}

void ProgressBar::SetProgress(uint64_t lDone, uint64_t lTotal) {
    const uint64_t lShare = lTotal == 0 ? 0 : std::min<uint64_t>(lDone, lTotal) * kRange / lTotal;
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(lShare), 0);
}

int ProgressBar::Position() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)); }

}  // namespace corvane::ui
