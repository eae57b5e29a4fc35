// Corvane.exe started without arguments: the main window lists the games and
// mods found, and Start Game runs a folder mod through the launch window. The
// game folder is checked before, while the game runs, and after.
#include <vector>

#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

class MainWindowLaunch : public CorvaneRunTest {
protected:
    void SetUp() override {
        InstallGenerals();
        // A folder mod: its files land at the same relative paths in the game folder.
        WriteBytes(program / "HDTextures\\Data\\INI\\Weapon.ini", "Weapon Laser\r\nDamage = 999\r\nEnd\r\n");
        WriteBytes(program / "HDTextures\\Art\\Textures\\sky.tga", "TGA sky");
        // A configuration-file mod, listed first.
        WriteBytes(program / "Classic.zcf", "Location=\r\n");
    }
};

TEST_F(MainWindowLaunch, StartGameRunsTheSelectedFolderModAndRestoresTheGame) {
    const TreeSnapshot before = SnapshotTree(game.Path());
    const std::string G = game.Path();

    CorvaneProcess corvane(program.Path(), "", work.Path());
    HWND hMain = corvane.WaitForWindow("Generals Corvane");
    ASSERT_TRUE(hMain);
    HWND hGames = ChildOfClass(hMain, "ListBox", 0);
    HWND hMods = ChildOfClass(hMain, "ListBox", 1);
    ASSERT_TRUE(hGames && hMods);
    EXPECT_EQ(ListLines(hGames), (std::vector<std::string>{"Generals Version 1.08", "Generals WorldBuilder Version 1.08"}));
    EXPECT_EQ(ListLines(hMods), (std::vector<std::string>{"Classic", "HDTextures"}));
    EXPECT_EQ(WindowText(ChildWithText(hMain, "Static", "Version:1.3.1")), "Version:1.3.1");

    ClickListEntry(hMods, 1);
    HWND hSkipIntro = ChildWithText(hMain, "Button", "Skip Movie Intro.");
    HWND hWindowed = ChildWithText(hMain, "Button", "Run In Window");
    ASSERT_TRUE(hSkipIntro && hWindowed);
    // Checked in the opposite order: the switches still come in index order.
    ClickButton(hWindowed);
    ClickButton(hSkipIntro);
    HWND hStart = ChildWithText(hMain, "Button", "Start &Game");
    ASSERT_TRUE(hStart);
    ClickButton(hStart);

    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, G + "\\Generals.exe -nologo -win");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), ReadBytes(program / "HDTextures\\Data\\INI\\Weapon.ini"));
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini.original"), before.at("Data\\INI\\Weapon.ini"));
    EXPECT_EQ(report.gameFolder.at("Art\\Textures\\sky.tga"), "TGA sky");

    HWND hLaunch = corvane.WaitForWindow("Launching...");
    ASSERT_TRUE(hLaunch);
    HWND hLog = ChildOfClass(hLaunch, "ListBox");
    EXPECT_FALSE(Enabled(hStart)) << "no second game over a watched one";

    // Closing the main window leaves the launch window watching the game.
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    for (int i = 0; i < 40 && IsWindow(hMain); ++i) Sleep(25);
    EXPECT_FALSE(IsWindow(hMain));
    EXPECT_TRUE(corvane.Running());

    ReleaseGame();
    const std::vector<std::string> lines = WaitForLastLine(hLog, "END", 10000);
    const std::vector<std::string> expected = {
        "This is what is happening...",
        "Checking for existance of all source folders and files in configuration.",
        "Checking..." + program / "HDTextures\\Art\\Textures\\sky.tga",
        "Checking..." + program / "HDTextures\\Data\\INI\\Weapon.ini",
        "",
        "Swap MOD files and folders with originals.",
        G + "\\Art\\Textures\\sky.tga",
        G + "\\Data\\INI\\Weapon.ini.original",
        G + "\\Data\\INI\\Weapon.ini",
        "",
        "Launching...",
        G + "\\Generals.exe -nologo -win",
        "",
        "Cleanup, restoring original files and folders.",
        "Deleting swapped folder:",
        G + "\\Art\\Textures",
        "Deleting swapped folder:",
        G + "\\Art",
        "Deleting swapped file:",
        G + "\\Data\\INI\\Weapon.ini",
        "Restoring original folder:",
        G + "\\Data\\INI\\Weapon.ini",
        "END",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(SnapshotTree(game.Path()), before);

    ClickButton(ChildWithText(hLaunch, "Button", "&Close"));
    EXPECT_TRUE(corvane.WaitForExit(5000)) << "the last window closed ends the program";
}

}  // namespace
}  // namespace corvane::test
