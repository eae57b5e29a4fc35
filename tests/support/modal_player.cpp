#include "support/modal_player.h"

#include <algorithm>
#include <set>
#include <vector>

#include "support/window_probe.h"

namespace corvane::test {

namespace {

constexpr int kFileNameBox = 0x47c;  // the open-file dialog's file name and type boxes
constexpr int kFileTypeBox = 0x470;

struct TopLevelSearch {
    DWORD lProcessId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
    DWORD lOwner = 0;
    GetWindowThreadProcessId(hwnd, &lOwner);
    if (lOwner == search->lProcessId && IsWindowVisible(hwnd)) search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> VisibleTopLevel(DWORD lProcessId) {
    TopLevelSearch search{lProcessId, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

ModalPlayer::ModalPlayer(std::function<void()> script) {
    const std::vector<HWND> before = VisibleTopLevel(GetCurrentProcessId());
    thread = std::thread([script = std::move(script), shownBefore = std::set<HWND>(before.begin(), before.end())] {
        script();
        // The topmost first, each gone before the next: a window closed under
        // a modal window of its own would pull that one down mid-loop.
        for (int i = 0; i < 10; ++i) {
            std::vector<HWND> left = VisibleTopLevel(GetCurrentProcessId());
            std::erase_if(left, [&](HWND hwnd) { return shownBefore.count(hwnd) > 0; });
            if (left.empty()) return;
            PostMessageA(left.front(), WM_CLOSE, 0, 0);
            WaitUntil([&] { return !IsWindowVisible(left.front()); }, 2000);
        }
    });
}

void ModalPlayer::Join() {
    if (thread.joinable()) thread.join();
}

bool WaitUntil(const std::function<bool()>& done, unsigned lTimeoutMs) {
    const ULONGLONG lDeadline = GetTickCount64() + lTimeoutMs;
    while (!done()) {
        if (GetTickCount64() >= lDeadline) return false;
        Sleep(10);
    }
    return true;
}

HWND WaitForTopLevel(const std::string& szCaption, DWORD lProcessId, const char* szClass) {
    HWND hFound = nullptr;
    WaitUntil([&] {
        for (HWND hwnd : VisibleTopLevel(lProcessId)) {
            char szThisClass[64] = {};
            GetClassNameA(hwnd, szThisClass, sizeof(szThisClass));
            if (szClass ? std::string(szThisClass) == szClass : WindowText(hwnd) == szCaption) hFound = hwnd;
        }
        return hFound != nullptr;
    });
    return hFound;
}

void PressButton(HWND hButton) { SendMessageA(hButton, BM_CLICK, 0, 0); }

void PostClick(HWND hButton) { PostMessageA(hButton, BM_CLICK, 0, 0); }

void TypeText(HWND hEdit, const std::string& szText) {
    SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(szText.c_str()));
}

void PostKey(HWND hwnd, UINT lVirtualKey) {
    PostMessageA(hwnd, WM_KEYDOWN, lVirtualKey, 1);
    PostMessageA(hwnd, WM_KEYUP, lVirtualKey, 1 | (LPARAM{3} << 30));
}

void SendListClick(HWND hList, int i, bool bDouble) {
    RECT rc{};
    SendMessageA(hList, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    const LPARAM lPoint = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    SendMessageA(hList, WM_LBUTTONUP, 0, lPoint);
    if (bDouble) {
        SendMessageA(hList, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
        SendMessageA(hList, WM_LBUTTONUP, 0, lPoint);
    }
}

int FindListEntry(HWND hList, const std::string& szText) {
    const Lines lines = ListLines(hList);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].substr(std::min(lines[i].find_first_not_of(' '), lines[i].size())) == szText)
            return static_cast<int>(i);
    }
    return -1;
}

std::string AnswerFileDialog(const std::string& szName, DWORD lProcessId) {
    HWND hDialog = WaitForTopLevel("", lProcessId, "#32770");
    if (!hDialog) return "";
    char szType[128] = {};
    SendMessageA(GetDlgItem(hDialog, kFileTypeBox), WM_GETTEXT, sizeof(szType), reinterpret_cast<LPARAM>(szType));
    if (!szName.empty()) TypeText(GetDlgItem(hDialog, kFileNameBox), szName);
    PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(szName.empty() ? IDCANCEL : IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, szName.empty() ? IDCANCEL : IDOK)));
    WaitUntil([&] { return !IsWindow(hDialog); });
    return szType;
}

}  // namespace corvane::test
