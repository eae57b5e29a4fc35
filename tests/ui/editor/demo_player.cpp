// Plays a player making a mod from scratch in the demo's Corvane.exe, in two
// steps so that the demo can take its picture of the editor in between:
//
//   demo_player fill     Add, a title, the BIG file from the system's dialog, a
//                        file and a folder with their places from the chooser;
//                        prints the editor's place on the screen (x y w h)
//   demo_player finish   OK, then Start Game with the new mod
#include <cstdio>
#include <string>

#include "support/modal_player.h"
#include "support/window_probe.h"

using namespace corvane::test;

namespace {

DWORD ProcessOf(HWND hwnd) {
    DWORD lProcessId = 0;
    GetWindowThreadProcessId(hwnd, &lProcessId);
    return lProcessId;
}

void Open(HWND hList, const Lines& folders) {
    for (const std::string& szFolder : folders) SendListClick(hList, FindListEntry(hList, szFolder), true);
}

HWND Button(HWND hForm, const char* szCaption) { return ChildWithText(hForm, "Button", szCaption); }

void AddThroughChooser(DWORD lCorvane, HWND hEditor, const char* szButton, const Lines& folders) {
    PostClick(Button(hEditor, szButton));
    HWND hChooser = WaitForTopLevel("Choose location to place folder", lCorvane);
    Open(ChildOfClass(hChooser, "ListBox"), folders);
    PressButton(Button(hChooser, "OK"));
    Sleep(300);
}

int Fill(DWORD lCorvane, HWND hMain) {
    PostClick(Button(hMain, "&Add..."));
    HWND hEditor = WaitForTopLevel("Add Mod...", lCorvane);
    if (!hEditor) return 1;
    TypeText(ChildOfClass(hEditor, "Edit", 0), "MyFirstMod");
    PostClick(Button(hEditor, "..."));
    AnswerFileDialog("C:\\ModSources\\DemoMod\\DemoMod.big", lCorvane);
    HWND hFolders = ChildOfClass(hEditor, "ListBox", 0), hFiles = ChildOfClass(hEditor, "ListBox", 2);
    Open(hFolders, {"ModSources", "DemoMod", "Maps"});
    AddThroughChooser(lCorvane, hEditor, "&Add Folder", {"Data"});  // the chooser opens in the game's folder
    Open(hFolders, {"DemoMod", "Data", "INI"});
    SendListClick(hFiles, FindListEntry(hFiles, "GameData.ini"));
    AddThroughChooser(lCorvane, hEditor, "Add &File", {"INI"});
    RECT rc{};
    GetWindowRect(hEditor, &rc);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return 0;
}

int Finish(DWORD lCorvane, HWND hMain) {
    HWND hEditor = WaitForTopLevel("Add Mod...", lCorvane);
    if (!hEditor) return 1;
    PressButton(Button(hEditor, "OK"));
    HWND hMods = ChildOfClass(hMain, "ListBox", 1);
    if (!WaitUntil([&] { return FindListEntry(hMods, "MyFirstMod") >= 0; })) return 1;
    SendListClick(hMods, FindListEntry(hMods, "MyFirstMod"));
    PostClick(Button(hMain, "Start &Game"));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string szStep = argc > 1 ? argv[1] : "";
    HWND hMain = nullptr;
    WaitUntil([&] { return (hMain = FindWindowA("CorvaneMain", "Generals Corvane")) != nullptr; });
    if (!hMain) return 1;
    if (szStep == "fill") return Fill(ProcessOf(hMain), hMain);
    if (szStep == "finish") return Finish(ProcessOf(hMain), hMain);
    return 2;
}
