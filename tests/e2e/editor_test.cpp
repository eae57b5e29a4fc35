// Corvane.exe as a player uses it to make a mod from scratch and change it:
// Add, a title, the BIG file from the system's dialog, a file and a folder
// from the editor's browsers with their places from the chooser, OK; Edit,
// more places from the chooser, which remembers the folder confirmed last
// until its close box, Remove, OK; then Start Game runs the mod and the game
// folder comes back as it was, even with the main window closed meanwhile.
#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

using EditorRun = CorvaneRunTest;

std::string Entry(const std::string& szSrc, const std::string& szDst) {
    return "[Folder]\r\nSource=" + szSrc + "\r\nDestination=" + szDst + "\r\n";
}

TEST_F(EditorRun, AModMadeAndChangedInTheEditorIsListedAtOnceAndLaunches) {
    InstallGenerals();
    WriteBytes(mods / "Tanks.big", "BIGF");
    WriteBytes(mods / "Data\\INI\\Weapon.ini", "Weapon Laser\r\nDamage = 999\r\nEnd\r\n");
    WriteBytes(mods / "Data\\INI\\Hidden.ini", "");
    SetAttributes(mods / "Data\\INI\\Hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(mods / "Maps\\Desert\\Desert.map", "desert map");
    const TreeSnapshot before = SnapshotTree(game.Path());
    const std::string G = game.Path(), M = mods.Path();

    CorvaneProcess corvane(program.Path(), "", M);  // the editor's browsers open where Corvane was started
    const MainWindow main{corvane.WaitForWindow("Generals Corvane")};
    ASSERT_TRUE(main.h);
    HWND hMods = main.Mods();
    ClickButton(main.Button("&Add..."));
    const ModEditor ed{corvane.WaitForWindow("Add Mod...")};
    ASSERT_TRUE(ed.h);
    TypeText(ed.Title(), "Tanks");
    ClickButton(ed.Button("..."));
    EXPECT_EQ(AnswerFileDialog(M + "\\Tanks.big", corvane.Id()), "BIG Files (*.big)");
    ed.OpenFolders({"Data", "INI"});
    EXPECT_EQ(ListLines(ed.Files()), Lines{"Weapon.ini"}) << "no hidden file";
    ClickListEntry(ed.Files(), 0);
    EXPECT_TRUE(ed.AddThroughChooser("Add &File", {"Data", "INI"}));  // the chooser opens in the game's folder
    ed.OpenFolders({M.substr(M.rfind('\\') + 1), "Maps"});
    EXPECT_TRUE(ed.AddThroughChooser("&Add Folder", {"Data"}));  // from Data\INI, confirmed last, up to Data
    PressButton(ed.Button("OK"));
    EXPECT_TRUE(PumpUntil([&] { return ListLines(hMods) == Lines{"Tanks"}; }));
    const std::string szAdded = "Location=" + M + "\\Tanks.big\r\n" + Entry(M + "\\Data\\INI\\Weapon.ini", G + "\\Data\\INI");
    EXPECT_EQ(ReadBytes(program / "Tanks.zcf"), szAdded + Entry(M + "\\Maps", G + "\\Data"));

    ClickListEntry(hMods, 0);
    ClickButton(main.Button("&Edit..."));
    const ModEditor edit{corvane.WaitForWindow("Edit Mod...")};
    ASSERT_TRUE(edit.h);
    edit.OpenFolders({"Maps", "Desert"});
    EXPECT_TRUE(edit.AddThroughChooser("&Add Folder", {"INI"}));  // the chooser still shows Data
    EXPECT_TRUE(edit.AddThroughChooser("&Add Folder", {}, nullptr, false));  // the close box adds nothing
    edit.OpenFolders({"Maps"});
    EXPECT_TRUE(edit.AddThroughChooser("&Add Folder", {}, "Data"));  // back in the game's folder; Data only picked
    ClickListEntry(edit.Entries(), 1);
    PressButton(edit.Button("&Remove"));
    PressButton(edit.Button("OK"));  // the title kept: saved without a question
    EXPECT_EQ(ReadBytes(program / "Tanks.zcf"),
              szAdded + Entry(M + "\\Maps\\Desert", G + "\\Data\\INI") + Entry(M + "\\Maps", G));
    EXPECT_TRUE(PumpUntil([&] { return ListSelection(hMods) == LB_ERR; })) << "the list is built again";
    ClickListEntry(hMods, 0);
    ClickButton(main.Button("Start &Game"));
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, G + "\\Generals.exe -mod Tanks.big");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), ReadBytes(M + "\\Data\\INI\\Weapon.ini"));
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Desert\\Desert.map"), "desert map");
    EXPECT_EQ(report.gameFolder.at("Maps\\Desert\\Desert.map"), "desert map");
    HWND hLaunch = corvane.WaitForWindow("Launching...");
    ASSERT_TRUE(hLaunch);
    PostMessageA(main.h, WM_CLOSE, 0, 0);  // the launch window goes on watching the game
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(main.h); }));
    ReleaseGame();
    EXPECT_EQ(WaitForLastLine(ChildOfClass(hLaunch, "ListBox"), "END").back(), "END");
    EXPECT_EQ(SnapshotTree(game.Path()), before);
    ClickButton(ChildWithText(hLaunch, "Button", "&Close"));
    EXPECT_TRUE(corvane.WaitForExit(5000)) << "the last window closed ends the program";
}

}  // namespace
}  // namespace corvane::test
