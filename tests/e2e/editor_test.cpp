// Corvane.exe as a player uses it to make a mod from scratch and change it:
// Add, which holds the main window until it closes; a blank title, which
// is refused; a BIG file typed, kept when the system's dialog is cancelled,
// then chosen there; a file and a folder from the editor's browsers with
// their places from the chooser, OK; Edit, more places from the chooser,
// which remembers the folder confirmed last until its close box, Remove, OK.
#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

using EditorRun = CorvaneRunTest;

TEST_F(EditorRun, AModMadeAndChangedInTheEditorIsSavedAsMadeAndListedAtOnce) {
    InstallGenerals();
    WriteBytes(mods / "Tanks.big", "BIGF");
    WriteBytes(mods / "Data\\INI\\Weapon.ini", "Weapon Laser\r\nDamage = 999\r\nEnd\r\n");
    WriteBytes(mods / "Data\\INI\\Hidden.ini", "");
    SetAttributes(mods / "Data\\INI\\Hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(mods / "Maps\\Desert\\Desert.map", "desert map");
    const std::string G = game.Path(), M = mods.Path();

    CorvaneProcess corvane(program.Path(), "", M);  // the editor's browsers open where Corvane was started
    const MainWindow main{corvane.WaitForWindow("Generals Corvane")};
    ASSERT_TRUE(main.h);
    HWND hMods = main.Mods();
    ClickButton(main.Button("&Add..."));
    const ModEditor ed{corvane.WaitForWindow("Add Mod...")};
    ASSERT_TRUE(ed.h);
    EXPECT_FALSE(Enabled(main.h));
    TypeText(ed.Title(), "   ");
    ClickButton(ed.Button("OK"));
    HWND hBox = nullptr;
    EXPECT_EQ(corvane.WaitForMessageBox(10000, &hBox), "The name of the mod is missing!");
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hBox); }) && IsWindowVisible(ed.h)) << "the editor stays open";
    TypeText(ed.Title(), "Tanks");
    TypeText(ed.Location(), "C:\\typed.big");
    ClickButton(ed.Button("..."));
    AnswerFileDialog("", corvane.Id());
    char szLocation[32] = {};
    SendMessageA(ed.Location(), WM_GETTEXT, sizeof(szLocation), reinterpret_cast<LPARAM>(szLocation));
    EXPECT_STREQ(szLocation, "C:\\typed.big");
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
    EXPECT_TRUE(Enabled(main.h));
    const std::pair<std::string, std::string> weapon{M + "\\Data\\INI\\Weapon.ini", G + "\\Data\\INI"};
    EXPECT_EQ(ReadBytes(program / "Tanks.zcf"), ZcfText({weapon, {M + "\\Maps", G + "\\Data"}}, M + "\\Tanks.big"));

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
              ZcfText({weapon, {M + "\\Maps\\Desert", G + "\\Data\\INI"}, {M + "\\Maps", G}}, M + "\\Tanks.big"));
    EXPECT_TRUE(PumpUntil([&] { return ListSelection(hMods) == LB_ERR; })) << "the list is built again";
}

}  // namespace
}  // namespace corvane::test
