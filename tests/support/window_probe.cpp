#include "support/window_probe.h"

#include <algorithm>
#include <stdexcept>

#include "ui/message_loop.h"

namespace corvane::test {

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kFileNameBox = 0x47c;  // the open-file dialog's file name and type boxes
constexpr int kFileTypeBox = 0x470;
constexpr int kMessageBoxText = 0xFFFF;

LRESULT Send(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam, bool bWide = false) {
    DWORD_PTR lResult = 0;
    if (!(bWide ? SendMessageTimeoutW : SendMessageTimeoutA)(hwnd, lMsg, wParam, lParam, SMTO_ABORTIFHUNG,
                                                             kSendTimeoutMs, &lResult))
        throw std::runtime_error("the window did not answer");
    return static_cast<LRESULT>(lResult);
}

bool OnThisThread(HWND hwnd) { return GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId(); }

void Post(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam) {
    PostMessageA(hwnd, lMsg, wParam, lParam);
    if (OnThisThread(hwnd)) ui::PumpPendingMessages();
}

// The middle of a list entry, in the list's client area.
LPARAM EntryCentre(HWND hList, int i) {
    RECT rc{};
    if (i < 0 || Send(hList, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc)) == LB_ERR)
        throw std::runtime_error("no such list entry");
    return MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

}  // namespace

std::string WindowText(HWND hwnd) {
    char szText[512] = {};
    const int lLength = GetWindowTextA(hwnd, szText, sizeof(szText));
    return std::string(szText, lLength > 0 ? static_cast<size_t>(lLength) : 0);
}

bool Enabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

std::string ClassOf(HWND hwnd) {
    char szClass[64] = {};
    return std::string(szClass, static_cast<size_t>(std::max(GetClassNameA(hwnd, szClass, sizeof(szClass)), 0)));
}

HWND ChildOfClass(HWND hParent, const char* szClass, int lNth, const char* szText) {
    for (HWND h = GetWindow(hParent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (lstrcmpiA(ClassOf(h).c_str(), szClass) == 0 && (!szText || WindowText(h) == szText) && lNth-- == 0)
            return h;
    }
    return nullptr;
}

DWORD ProcessOf(HWND hwnd) {
    DWORD lProcessId = 0;
    GetWindowThreadProcessId(hwnd, &lProcessId);
    return lProcessId;
}

// EnumWindows takes its list at once; walking the windows one call at a time
// could lose its place when one of them closes or moves to the front.
std::vector<HWND> TopLevelWindows(DWORD lProcessId) {
    std::vector<HWND> windows;
    EnumWindows([](HWND hwnd, LPARAM lParam) {
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [&](HWND hwnd) { return ProcessOf(hwnd) != lProcessId || !IsWindowVisible(hwnd); });
    return windows;
}

HWND WaitForTopLevel(const std::string& szCaption, DWORD lProcessId, const char* szClass, unsigned lTimeoutMs) {
    HWND hFound = nullptr;
    PumpUntil([&] {
        for (HWND hwnd : TopLevelWindows(lProcessId))
            if (szClass ? ClassOf(hwnd) == szClass : WindowText(hwnd) == szCaption) hFound = hwnd;
        return hFound != nullptr;
    }, lTimeoutMs);
    return hFound;
}

// The lines are asked for in their wide form and converted here: Wine's
// conversion of another process's list text for the ANSI message hands back
// the wide bytes.
Lines ListLines(HWND hList) {
    Lines lines;
    for (WPARAM i = 0, lCount = Send(hList, LB_GETCOUNT, 0, 0); i < lCount; ++i) {
        std::wstring szWide(static_cast<size_t>(std::max<LRESULT>(Send(hList, LB_GETTEXTLEN, i, 0, true), 0)) + 1, L'\0');
        szWide.resize(std::max<LRESULT>(Send(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(szWide.data()), true), 0));
        // Three bytes a character in UTF-8, at most.
        std::string szLine(szWide.size() * 3, '\0');
        szLine.resize(std::max(WideCharToMultiByte(CP_ACP, 0, szWide.data(), static_cast<int>(szWide.size()),
                                                   szLine.data(), static_cast<int>(szLine.size()), nullptr, nullptr), 0));
        lines.push_back(szLine);
    }
    return lines;
}

int ListSelection(HWND hList) { return static_cast<int>(Send(hList, LB_GETCURSEL, 0, 0)); }

int FindListEntry(HWND hList, const std::string& szText) {
    const Lines lines = ListLines(hList);
    const auto it = std::find_if(lines.begin(), lines.end(), [&](const std::string& sz) {
        return sz.substr(std::min(sz.find_first_not_of(' '), sz.size())) == szText;
    });
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

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
    PumpUntil([&] { return !(lines = ListLines(hList)).empty() && lines.back() == szLast; }, lTimeoutMs);
    return lines;
}

void ClickButton(HWND hButton) { Post(hButton, BM_CLICK, 0, 0); }

void PressButton(HWND hButton) { Send(hButton, BM_CLICK, 0, 0); }

void ClickListEntry(HWND hList, int i, bool bDouble) {
    const LPARAM lPoint = EntryCentre(hList, i);
    for (int lClick = 0; lClick < (bDouble ? 2 : 1); ++lClick) {
        Send(hList, lClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        Send(hList, WM_LBUTTONUP, 0, lPoint);
    }
}

void RightClickListEntry(HWND hList, int i) {
    const LPARAM lPoint = EntryCentre(hList, i);
    PostMessageA(hList, WM_RBUTTONDOWN, MK_RBUTTON, lPoint);
    Post(hList, WM_RBUTTONUP, 0, lPoint);
}

HWND WaitForPopupMenu(DWORD lProcessId, unsigned lTimeoutMs) {
    return WaitForTopLevel("", lProcessId, "#32768", lTimeoutMs);
}

// Posted to the menu's window, they reach the loop of the thread that shows
// it. Enter chooses through the character it is translated into, which
// comes behind anything posted meanwhile: nothing more is sent until the
// menu is gone.
void ChooseMenuItem(HWND hMenu, int lItem) {
    for (int i = 0; i <= lItem; ++i) PressKey(VK_DOWN, hMenu);
    PressKey(lItem < 0 ? VK_ESCAPE : VK_RETURN, hMenu);
    PumpUntil([&] { return !IsWindowVisible(hMenu); }, 5000);
}

void ClickAt(HWND hwnd, int x, int y, int xUp, int yUp) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Post(hwnd, WM_LBUTTONUP, 0, xUp < 0 ? MAKELPARAM(x, y) : MAKELPARAM(xUp, yUp));
}

// F10 comes as a system key, as Windows sends it. Shift is held in this
// thread's keyboard state, which is what a window of this thread reads.
void PressKey(UINT lVirtualKey, HWND hwnd, bool bShift) {
    if (!hwnd) hwnd = GetFocus();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE lShiftWas = keys[VK_SHIFT];
    keys[VK_SHIFT] = bShift ? 0x80 : lShiftWas;
    SetKeyboardState(keys);
    const LPARAM lScan = static_cast<LPARAM>(MapVirtualKeyA(lVirtualKey, MAPVK_VK_TO_VSC)) << 16;
    const bool bSystem = lVirtualKey == VK_F10;
    PostMessageA(hwnd, bSystem ? WM_SYSKEYDOWN : WM_KEYDOWN, lVirtualKey, 1 | lScan);
    Post(hwnd, bSystem ? WM_SYSKEYUP : WM_KEYUP, lVirtualKey, 1 | lScan | (LPARAM{3} << 30));
    keys[VK_SHIFT] = lShiftWas;
    SetKeyboardState(keys);
}

void TypeText(HWND hEdit, const std::string& szText) {
    Send(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(szText.c_str()));
}

HWND WaitForMessageBox(DWORD lProcessId, unsigned lTimeoutMs) {
    return WaitForTopLevel("", lProcessId, "#32770", lTimeoutMs);
}

std::string MessageBoxText(HWND hBox) { return WindowText(GetDlgItem(hBox, kMessageBoxText)); }

std::string AnswerFileDialog(const std::string& szName, DWORD lProcessId) {
    HWND hDialog = WaitForTopLevel("", lProcessId, "#32770");
    if (!hDialog) return "";
    char szType[128] = {};
    Send(GetDlgItem(hDialog, kFileTypeBox), WM_GETTEXT, sizeof(szType), reinterpret_cast<LPARAM>(szType));
    if (!szName.empty()) TypeText(GetDlgItem(hDialog, kFileNameBox), szName);
    ClickButton(GetDlgItem(hDialog, szName.empty() ? IDCANCEL : IDOK));
    PumpUntil([&] { return !IsWindow(hDialog); });
    return szType;
}

void ModEditor::OpenFolders(const Lines& folders) const {
    for (const std::string& szFolder : folders) ClickListEntry(Folders(), FindListEntry(Folders(), szFolder), true);
}

// What is posted is handled in order, after what is sent.
bool ModEditor::AddThroughChooser(const char* szButton, const Lines& open, const char* szPick, bool bOk) const {
    const size_t lBefore = ListLines(Entries()).size();
    ClickButton(Button(szButton));
    HWND hChooser = WaitForTopLevel("Choose location to place folder", ProcessOf(h));
    if (!hChooser) return false;
    HWND hFolders = ChildOfClass(hChooser, "ListBox");
    for (size_t i = 0; i < open.size(); ++i)
        ClickListEntry(hFolders, FindListEntry(hFolders, open[i]), i + 1 < open.size());
    if (!open.empty()) PressKey(VK_RETURN, hFolders);
    if (szPick) ClickListEntry(hFolders, FindListEntry(hFolders, szPick));
    if (bOk) ClickButton(ChildWithText(hChooser, "Button", "OK"));
    else PostMessageA(hChooser, WM_CLOSE, 0, 0);
    return PumpUntil([&] { return bOk ? ListLines(Entries()).size() == lBefore + 1 : !IsWindow(hChooser); });
}

std::jthread PlayModal(std::function<void()> script) {
    const std::vector<HWND> before = TopLevelWindows();
    return std::jthread([script = std::move(script), before] {
        script();
        // The topmost first, each gone before the next: a window closed under
        // a modal window of its own would pull that one down mid-loop.
        for (HWND hwnd : TopLevelWindows()) {
            if (std::find(before.begin(), before.end(), hwnd) != before.end()) continue;
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
            PumpUntil([&] { return !IsWindowVisible(hwnd); }, 2000);
        }
    });
}

}  // namespace corvane::test
