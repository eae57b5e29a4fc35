#include "e2e/corvane_process.h"

#include <stdexcept>

namespace corvane::test {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

struct WindowSearch {
    DWORD lProcessId;
    std::string szCaption;
    const char* szClass;
    HWND hFound = nullptr;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD lOwner = 0;
    GetWindowThreadProcessId(hwnd, &lOwner);
    if (lOwner != search->lProcessId || !IsWindowVisible(hwnd)) return TRUE;
    if (search->szClass) {
        char szClass[64] = {};
        GetClassNameA(hwnd, szClass, sizeof(szClass));
        if (std::string(szClass) != search->szClass) return TRUE;
    } else if (WindowText(hwnd) != search->szCaption) {
        return TRUE;
    }
    search->hFound = hwnd;
    return FALSE;
}

HWND FindTopLevel(DWORD lProcessId, const std::string& szCaption, const char* szClass) {
    WindowSearch search{lProcessId, szCaption, szClass};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

LRESULT Send(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR lResult = 0;
    if (!SendMessageTimeoutA(hwnd, lMsg, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &lResult))
        throw std::runtime_error("the window did not answer");
    return static_cast<LRESULT>(lResult);
}

BOOL CALLBACK CollectStaticText(HWND hwnd, LPARAM lParam) {
    char szClass[32] = {};
    GetClassNameA(hwnd, szClass, sizeof(szClass));
    auto* szText = reinterpret_cast<std::string*>(lParam);
    const std::string szChild = WindowText(hwnd);
    if (lstrcmpiA(szClass, "Static") == 0 && !szChild.empty()) *szText += szChild;
    return TRUE;
}

}  // namespace

CorvaneProcess::CorvaneProcess(const std::string& szProgramFolder, const std::string& szArguments,
                               const std::string& szWorkFolder) {
    const std::string szExe = szProgramFolder + "\\Corvane.exe";
    if (!CopyFileA(CORVANE_TEST_CORVANE_EXE, szExe.c_str(), FALSE))
        throw std::runtime_error("cannot copy Corvane.exe to " + szExe);
    std::string szCommandLine = "\"" + szExe + "\"";
    if (!szArguments.empty()) szCommandLine += " " + szArguments;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    if (!CreateProcessA(nullptr, szCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        szWorkFolder.c_str(), &si, &pi))
        throw std::runtime_error("cannot start " + szCommandLine);
    lProcessId = pi.dwProcessId;
    WaitForInputIdle(pi.hProcess, 10000);
}

CorvaneProcess::~CorvaneProcess() {
    if (Running()) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

bool CorvaneProcess::WaitForExit(unsigned lTimeoutMs, DWORD* lExitCode) {
    if (WaitForSingleObject(pi.hProcess, lTimeoutMs) != WAIT_OBJECT_0) return false;
    if (lExitCode) GetExitCodeProcess(pi.hProcess, lExitCode);
    return true;
}

bool CorvaneProcess::Running() { return WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }

HWND CorvaneProcess::FindWindowNow(const std::string& szCaption) {
    return FindTopLevel(lProcessId, szCaption, nullptr);
}

HWND CorvaneProcess::WaitForWindow(const std::string& szCaption, unsigned lTimeoutMs) {
    const ULONGLONG lDeadline = GetTickCount64() + lTimeoutMs;
    do {
        if (HWND hwnd = FindWindowNow(szCaption)) return hwnd;
        Sleep(25);
    } while (GetTickCount64() < lDeadline);
    return nullptr;
}

std::string CorvaneProcess::WaitForMessageBox(unsigned lTimeoutMs, HWND* hBox) {
    const ULONGLONG lDeadline = GetTickCount64() + lTimeoutMs;
    do {
        if (HWND hwnd = FindTopLevel(lProcessId, "", "#32770")) {
            if (hBox) *hBox = hwnd;
            std::string szText;
            EnumChildWindows(hwnd, CollectStaticText, reinterpret_cast<LPARAM>(&szText));
            return szText;
        }
        Sleep(25);
    } while (GetTickCount64() < lDeadline);
    return {};
}

// The lines are asked for in their wide form and converted here: the list's
// text has to cross from one process to the other, and Wine's conversion of
// that text for the ANSI message hands back the wide bytes.
std::vector<std::string> ListLines(HWND hList) {
    std::vector<std::string> lines;
    const LRESULT lCount = Send(hList, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < lCount; ++i) {
        DWORD_PTR lLength = 0;
        SendMessageTimeoutW(hList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0, SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &lLength);
        std::wstring szWide(static_cast<size_t>(lLength) + 1, L'\0');
        DWORD_PTR lCopied = 0;
        SendMessageTimeoutW(hList, LB_GETTEXT, static_cast<WPARAM>(i),
                            reinterpret_cast<LPARAM>(szWide.data()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                            &lCopied);
        szWide.resize(static_cast<LRESULT>(lCopied) > 0 ? static_cast<size_t>(lCopied) : 0);
        std::string szLine(szWide.size() * 2 + 1, '\0');
        const int lBytes = WideCharToMultiByte(CP_ACP, 0, szWide.data(), static_cast<int>(szWide.size()),
                                               szLine.data(), static_cast<int>(szLine.size()), nullptr, nullptr);
        szLine.resize(lBytes > 0 ? static_cast<size_t>(lBytes) : 0);
        lines.push_back(szLine);
    }
    return lines;
}

HWND ChildOfClass(HWND hParent, const char* szClass, int lIndex) {
    HWND hChild = nullptr;
    for (int i = 0; i <= lIndex; ++i) {
        hChild = FindWindowExA(hParent, hChild, szClass, nullptr);
        if (!hChild) return nullptr;
    }
    return hChild;
}

HWND ChildWithText(HWND hParent, const char* szClass, const std::string& szText) {
    return FindWindowExA(hParent, nullptr, szClass, szText.c_str());
}

std::vector<std::string> WaitForLastLine(HWND hList, const std::string& szLast, unsigned lTimeoutMs) {
    const ULONGLONG lDeadline = GetTickCount64() + lTimeoutMs;
    std::vector<std::string> lines;
    do {
        lines = ListLines(hList);
        if (!lines.empty() && lines.back() == szLast) break;
        Sleep(50);
    } while (GetTickCount64() < lDeadline);
    return lines;
}

void ClickButton(HWND hButton) { PostMessageA(hButton, BM_CLICK, 0, 0); }

void ClickListEntry(HWND hList, int i) {
    RECT rc{};
    Send(hList, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    const LPARAM lPoint = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
    PostMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessageA(hList, WM_LBUTTONUP, 0, lPoint);
}

bool Enabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

// Read from the window's own record, without sending it a message that a
// busy program would answer late.
std::string WindowText(HWND hwnd) {
    char szText[512] = {};
    const int lLength = GetWindowTextA(hwnd, szText, sizeof(szText));
    return std::string(szText, lLength > 0 ? static_cast<size_t>(lLength) : 0);
}

}  // namespace corvane::test
