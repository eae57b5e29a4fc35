// Corvane.exe as a player uses it to make a mod from scratch: Add, a title,
// the BIG file from the system's dialog, a file and a folder from the
// editor's browsers with their places from the chooser, OK; then Start Game
// runs the new mod and the game folder comes back as it was.
#include "e2e/e2e_fixture.h"
#include "support/modal_player.h"

namespace corvane::test {
namespace {

using EditorRun = CorvaneRunTest;

TEST_F(EditorRun, AModMadeInTheEditorIsListedAtOnceAndLaunches) {
    InstallGenerals();
    WriteBytes(mods / "Tanks.big", "BIGF");
    WriteBytes(mods / "Data\\INI\\Weapon.ini", "Weapon Laser\r\nDamage = 999\r\nEnd\r\n");
    WriteBytes(mods / "Maps\\Desert\\Desert.map", "desert map");
    const TreeSnapshot before = SnapshotTree(game.Path());
    const std::string G = game.Path(), M = mods.Path();

    CorvaneProcess corvane(program.Path(), "", M);  // the editor's browsers open where Corvane was started
    HWND hMain = corvane.WaitForWindow("Generals Corvane");
    ASSERT_TRUE(hMain);
    PostClick(ChildWithText(hMain, "Button", "&Add..."));
    HWND hEditor = corvane.WaitForWindow("Add Mod...");
    ASSERT_TRUE(hEditor);
    const auto button = [](HWND hForm, const char* szCaption) { return ChildWithText(hForm, "Button", szCaption); };
    const auto open = [](HWND hList, const Lines& folders) {
        for (const std::string& szFolder : folders) SendListClick(hList, FindListEntry(hList, szFolder), true);
    };
    TypeText(ChildOfClass(hEditor, "Edit", 0), "Tanks");
    PostClick(button(hEditor, "..."));
    EXPECT_EQ(AnswerFileDialog(M + "\\Tanks.big", corvane.Id()), "BIG Files (*.big)");

    HWND hFolders = ChildOfClass(hEditor, "ListBox", 0), hEntries = ChildOfClass(hEditor, "ListBox", 1);
    const auto addThroughChooser = [&](const char* szButton, const Lines& folders) {
        PostClick(button(hEditor, szButton));
        HWND hChooser = corvane.WaitForWindow("Choose location to place folder");
        ASSERT_TRUE(hChooser);
        open(ChildOfClass(hChooser, "ListBox"), folders);
        const size_t lBefore = ListLines(hEntries).size();
        PressButton(button(hChooser, "OK"));
        EXPECT_TRUE(WaitUntil([&] { return ListLines(hEntries).size() == lBefore + 1; }));
    };
    open(hFolders, {"Data", "INI"});
    SendListClick(ChildOfClass(hEditor, "ListBox", 2), 0);  // Weapon.ini
    addThroughChooser("Add &File", {"Data", "INI"});  // the chooser opens in the game's folder
    open(hFolders, {M.substr(M.rfind('\\') + 1), "Maps"});
    addThroughChooser("&Add Folder", {"Data"});  // from Data\INI, confirmed last, up to Data
    PressButton(button(hEditor, "OK"));

    HWND hMods = ChildOfClass(hMain, "ListBox", 1);
    EXPECT_TRUE(WaitUntil([&] { return ListLines(hMods) == Lines{"Tanks"}; }));
    EXPECT_EQ(ReadBytes(program / "Tanks.zcf"), "Location=" + M + "\\Tanks.big\r\n"
                                                "[Folder]\r\nSource=" + M + "\\Data\\INI\\Weapon.ini\r\nDestination=" + G + "\\Data\\INI\r\n"
                                                "[Folder]\r\nSource=" + M + "\\Maps\r\nDestination=" + G + "\\Data\r\n");

    ClickListEntry(hMods, 0);
    PostClick(button(hMain, "Start &Game"));
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, G + "\\Generals.exe -mod Tanks.big");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), ReadBytes(M + "\\Data\\INI\\Weapon.ini"));
    EXPECT_EQ(report.gameFolder.at("Data\\Maps\\Desert\\Desert.map"), "desert map");
    HWND hLaunch = corvane.WaitForWindow("Launching...");
    ASSERT_TRUE(hLaunch);
    // Closing the main window leaves the launch window watching the game.
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hMain); }));
    ReleaseGame();
    EXPECT_EQ(WaitForLastLine(ChildOfClass(hLaunch, "ListBox"), "END").back(), "END");
    EXPECT_EQ(SnapshotTree(game.Path()), before);
    PostClick(button(hLaunch, "&Close"));
    EXPECT_TRUE(corvane.WaitForExit(5000)) << "the last window closed ends the program";
}

}  // namespace
}  // namespace corvane::test
