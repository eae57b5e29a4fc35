// The demo's Generals.exe: a window that shows what the game was started
// with and the files it finds in its folder (the mod's among them), with an
// "Exit game" button. It also ends by itself after DEMO_GAME_RUN_MS
// milliseconds (two minutes if not set), so that a demo without a player
// goes on.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int kExitButton = 100;
constexpr UINT_PTR kEndTimer = 1;

std::string ProgramFolder() {
    char szExe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    const std::string szPath = szExe;
    return szPath.substr(0, szPath.find_last_of('\\'));
}

// Every file below the folder, one line each, relative to szRoot.
void ListFiles(const std::string& szRoot, const std::string& szBelow, std::string& szLines) {
    WIN32_FIND_DATAA found{};
    HANDLE hFind = FindFirstFileA((szRoot + szBelow + "\\*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE) return;
    do {
        const std::string szName = found.cFileName;
        if (szName == "." || szName == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListFiles(szRoot, szBelow + "\\" + szName, szLines);
        else szLines += szBelow.substr(szBelow.empty() ? 0 : 1) + (szBelow.empty() ? "" : "\\") + szName + "\r\n";
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
}

std::string WhatTheGameSees() {
    char szCwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, szCwd);
    std::string szText = "Started as: " + std::string(GetCommandLineA()) + "\r\nCurrent folder: " + szCwd +
                         "\r\n\r\nIn " + ProgramFolder() + ":\r\n";
    ListFiles(ProgramFolder(), "", szText);
    return szText;
}

LRESULT CALLBACK DemoGameProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam) {
    if ((lMsg == WM_COMMAND && LOWORD(wParam) == kExitButton) || (lMsg == WM_TIMER && wParam == kEndTimer)) {
        DestroyWindow(hwnd);
        return 0;
    }
    if (lMsg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, lMsg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DemoGameProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "CorvaneDemoGame";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowA(wc.lpszClassName, "Generals (stand-in game)",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 20, 20, 600, 340, nullptr, nullptr,
                              hInstance, nullptr);
    CreateWindowA("EDIT", WhatTheGameSees().c_str(),
                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 10, 10, 565, 250,
                  hwnd, nullptr, hInstance, nullptr);
    CreateWindowA("BUTTON", "Exit game", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 465, 268, 110, 30, hwnd,
                  reinterpret_cast<HMENU>(kExitButton), hInstance, nullptr);
    const char* szRunMs = std::getenv("DEMO_GAME_RUN_MS");
    SetTimer(hwnd, kEndTimer, szRunMs ? static_cast<UINT>(std::strtoul(szRunMs, nullptr, 10)) : 120000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
