// Plays a player making a mod from scratch in the demo's Corvane.exe, in two
// steps so that the demo can take its picture of the editor in between:
//
//   editor_demo_player fill     Add, a title, the BIG file from the system's
//                               dialog, a folder and a file with their places
//                               from the chooser; prints the editor's place on
//                               the screen (x y w h)
//   editor_demo_player finish   OK, then Start Game with the new mod
#include <cstdio>
#include <string>

#include "support/window_probe.h"

using namespace corvane::test;

namespace {

HWND Button(HWND hForm, const char* szCaption) { return ChildWithText(hForm, "Button", szCaption); }

int Fill(DWORD lCorvane, HWND hMain) {
    ClickButton(Button(hMain, "&Add..."));
    const ModEditor ed{WaitForTopLevel("Add Mod...", lCorvane)};
    if (!ed.h) return 1;
    TypeText(ed.Title(), "MyFirstMod");
    ClickButton(ed.Button("..."));
    AnswerFileDialog("C:\\ModSources\\DemoMod\\DemoMod.big", lCorvane);
    ed.OpenFolders({"ModSources", "DemoMod", "Maps"});
    if (!ed.AddThroughChooser("&Add Folder", {"Data"})) return 1;  // the chooser opens in the game's folder
    ed.OpenFolders({"DemoMod", "Data", "INI"});
    ClickListEntry(ed.Files(), FindListEntry(ed.Files(), "GameData.ini"));
    if (!ed.AddThroughChooser("Add &File", {"INI"})) return 1;
    RECT rc{};
    GetWindowRect(ed.h, &rc);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return 0;
}

int Finish(DWORD lCorvane, HWND hMain) {
    const ModEditor ed{WaitForTopLevel("Add Mod...", lCorvane)};
    if (!ed.h) return 1;
    PressButton(ed.Button("OK"));
    HWND hMods = MainWindow{hMain}.Mods();
    if (!PumpUntil([&] { return FindListEntry(hMods, "MyFirstMod") >= 0; })) return 1;
    ClickListEntry(hMods, FindListEntry(hMods, "MyFirstMod"));
    ClickButton(Button(hMain, "Start &Game"));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string szStep = argc > 1 ? argv[1] : "";
    HWND hMain = nullptr;
    PumpUntil([&] { return (hMain = FindWindowA("CorvaneMain", "Generals Corvane")) != nullptr; });
    if (!hMain) return 1;
    if (szStep == "fill") return Fill(ProcessOf(hMain), hMain);
    if (szStep == "finish") return Finish(ProcessOf(hMain), hMain);
    return 2;
}
