// Corvane.exe as a player uses it to make a mod from scratch: Add, a title,
// the BIG file from the system's dialog, a file and a folder from the
// editor's browsers with their places from the chooser, OK; then Start Game
// runs the new mod and the game folder comes back as it was.
#include "e2e/e2e_fixture.h"

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
    ClickButton(ChildWithText(hMain, "Button", "&Add..."));
    const ModEditor ed{corvane.WaitForWindow("Add Mod...")};
    ASSERT_TRUE(ed.h);
    TypeText(ed.Title(), "Tanks");
    ClickButton(ed.Button("..."));
    EXPECT_EQ(AnswerFileDialog(M + "\\Tanks.big", corvane.Id()), "BIG Files (*.big)");
    ed.OpenFolders({"Data", "INI"});
    ClickListEntry(ed.Files(), 0);  // Weapon.ini
    EXPECT_TRUE(ed.AddThroughChooser("Add &File", {"Data", "INI"}));  // the chooser opens in the game's folder
    ed.OpenFolders({M.substr(M.rfind('\\') + 1), "Maps"});
    EXPECT_TRUE(ed.AddThroughChooser("&Add Folder", {"Data"}));  // from Data\INI, confirmed last, up to Data
    PressButton(ed.Button("OK"));

    HWND hMods = ChildOfClass(hMain, "ListBox", 1);
    EXPECT_TRUE(PumpUntil([&] { return ListLines(hMods) == Lines{"Tanks"}; }));
    EXPECT_EQ(ReadBytes(program / "Tanks.zcf"), "Location=" + M + "\\Tanks.big\r\n"
                                                "[Folder]\r\nSource=" + M + "\\Data\\INI\\Weapon.ini\r\nDestination=" + G + "\\Data\\INI\r\n"
                                                "[Folder]\r\nSource=" + M + "\\Maps\r\nDestination=" + G + "\\Data\r\n");
    ClickListEntry(hMods, 0);
    ClickButton(ChildWithText(hMain, "Button", "Start &Game"));
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, G + "\\Generals.exe -mod Tanks.big");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), ReadBytes(M + "\\Data\\INI\\Weapon.ini"));
    EXPECT_EQ(report.gameFolder.at("Data\\Maps\\Desert\\Desert.map"), "desert map");
    HWND hLaunch = corvane.WaitForWindow("Launching...");
    ASSERT_TRUE(hLaunch);
    PostMessageA(hMain, WM_CLOSE, 0, 0);  // the launch window goes on watching the game
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hMain); }));
    ReleaseGame();
    EXPECT_EQ(WaitForLastLine(ChildOfClass(hLaunch, "ListBox"), "END").back(), "END");
    EXPECT_EQ(SnapshotTree(game.Path()), before);
    ClickButton(ChildWithText(hLaunch, "Button", "&Close"));
    EXPECT_TRUE(corvane.WaitForExit(5000)) << "the last window closed ends the program";
}

}  // namespace
}  // namespace corvane::test
