// Stands in for the game. Everything it is told comes from the environment,
// which it inherits from whoever started Corvane:
//   STANDIN_REPORT     file to write, at start, with the command line, the
//                      current folder and every entry of the game folder (the
//                      program's own folder) with its content
//   STANDIN_WAIT_FOR   end once this file exists
//   STANDIN_EXIT_CODE  the exit code to end with (default 0; 259 allowed)
//   STANDIN_LAUNCHER   "1": be only a launcher: start the game (a copy of
//                      this program, with the same orders but this one) and
//                      end at once, as some digital editions do
//   STANDIN_ASK_STORE  be a store edition's stub: ask the store's client for
//                      the real game by writing this file, and end at once
//   STANDIN_STORE_CLIENT  be the store's client, started apart from Corvane:
//                      once this file exists, start STANDIN_STORE_GAME (the
//                      real game, with the same orders but these) and end
//   STANDIN_WRITE      "<relative path>=<content>;...": files to write into the
//                      game folder, missing folders made, once the report is
//                      written (as a game saves a replay or its settings)
// Without STANDIN_WAIT_FOR it ends at once, and without STANDIN_REPORT it
// reads nothing. It never waits longer than two minutes, so a failed test
// cannot leave it behind.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "support/test_files.h"

namespace {

constexpr DWORD kLongestRunMs = 120000;

std::string Environment(const char* szName) {
    char szBuffer[32768];
    const DWORD lLength = GetEnvironmentVariableA(szName, szBuffer, sizeof(szBuffer));
    return lLength > 0 && lLength < sizeof(szBuffer) ? std::string(szBuffer, lLength) : std::string();
}

std::string Hex(const std::string& szBytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string szHex;
    for (unsigned char c : szBytes) szHex += {kDigits[c >> 4], kDigits[c & 15]};
    return szHex;
}

std::string GameFolder() {
    char szExe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    std::string szFolder = szExe;
    return szFolder.substr(0, szFolder.find_last_of('\\'));
}

// What the game was given, then one line per entry of its folder:
// "item=<relative path>|<hex content>", a folder's content being "<folder>".
// Written beside the target and renamed over it, so a reader never sees half
// a report.
void WriteReport(const std::string& szPath) {
    char szCwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, szCwd);
    std::string szText = "commandline=" + std::string(GetCommandLineA()) + "\r\ncwd=" + szCwd +
                         "\r\ngamefolder=" + GameFolder() + "\r\n";
    for (const auto& [szItem, szContent] : corvane::test::SnapshotTree(GameFolder()))
        szText += "item=" + szItem + "|" + Hex(szContent) + "\r\n";
    corvane::test::WriteBytes(szPath + ".partial", szText + "end\r\n");
    MoveFileExA((szPath + ".partial").c_str(), szPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool TimeToEnd(DWORD lStart, const std::string& szWaitFor) {
    return GetTickCount() - lStart >= kLongestRunMs || szWaitFor.empty() ||
           GetFileAttributesA(szWaitFor.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int StartGame(const std::string& szExe) {
    std::string szCommandLine = GetCommandLineA();
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(szExe.c_str(), szCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}

// Starts the real game, which inherits every order but this one, and leaves.
int RunAsLauncher() {
    char szExe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    SetEnvironmentVariableA("STANDIN_LAUNCHER", nullptr);
    return StartGame(szExe);
}

int RunAsStoreClient(const std::string& szAsked) {
    const DWORD lStart = GetTickCount();
    while (!TimeToEnd(lStart, szAsked)) Sleep(20);
    DeleteFileA(szAsked.c_str());
    const std::string szGame = Environment("STANDIN_STORE_GAME");
    for (const char* szOrder : {"STANDIN_STORE_CLIENT", "STANDIN_STORE_GAME", "STANDIN_ASK_STORE"})
        SetEnvironmentVariableA(szOrder, nullptr);
    return StartGame(szGame);
}

// The report shows the folder as Corvane left it; these come after it.
void WriteDuringPlay(const std::string& szOrder) {
    for (size_t lStart = 0; lStart < szOrder.size();) {
        const size_t lEnd = std::min(szOrder.find(';', lStart), szOrder.size());
        const std::string szItem = szOrder.substr(lStart, lEnd - lStart);
        const size_t lEquals = szItem.find('=');
        if (lEquals != std::string::npos)
            corvane::test::WriteBytes(GameFolder() + "\\" + szItem.substr(0, lEquals), szItem.substr(lEquals + 1));
        lStart = lEnd + 1;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (Environment("STANDIN_LAUNCHER") == "1") return RunAsLauncher();
    if (const std::string szAsked = Environment("STANDIN_STORE_CLIENT"); !szAsked.empty())
        return RunAsStoreClient(szAsked);
    if (const std::string szAsk = Environment("STANDIN_ASK_STORE"); !szAsk.empty()) {
        corvane::test::WriteBytes(szAsk, "");
        return 0;
    }
    const DWORD lStart = GetTickCount();
    const std::string szReportPath = Environment("STANDIN_REPORT");
    // Reading every file of a modded game folder takes long; only done
    // when someone reads the report.
    if (!szReportPath.empty()) WriteReport(szReportPath);
    WriteDuringPlay(Environment("STANDIN_WRITE"));

    const std::string szWaitFor = Environment("STANDIN_WAIT_FOR");
    while (!TimeToEnd(lStart, szWaitFor)) Sleep(20);
    const std::string szExitCode = Environment("STANDIN_EXIT_CODE");
    return szExitCode.empty() ? 0 : static_cast<int>(std::strtoul(szExitCode.c_str(), nullptr, 10));
}
