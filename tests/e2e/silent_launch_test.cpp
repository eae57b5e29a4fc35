// A silent launch from the command line, watched from outside as a player
// sees it: the game's command line and view of its folder, the progress log,
// the Close button, and the game folder put back byte for byte. -PLAY with
// Generals, a configuration file's title and the same switches is that
// launch exactly.
#include <vector>

#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

class SilentLaunch : public CorvaneRunTest {
protected:
    void SetUp() override {
        InstallGenerals();
        WriteBytes(mods / "Data\\INI\\GameData.ini", "; the mod's settings\r\nMaxCameraHeight = 800\r\n");
        WriteBytes(mods / "Art\\Textures\\tank.tga", "TGA tank");
        WriteBytes(mods / "Maps\\Desert.map", "desert map");
        WriteBytes(program / "MyMod.zcf", ZcfText({{mods / "Data\\INI\\GameData.ini", game / "Data\\INI"},
                                                   {mods / "Art", game / "Data"},
                                                   {mods / "Maps\\Desert.map", game / "Maps\\Custom"}},
                                                  mods / "MyMod.big"));
    }
};

class SilentRoad : public SilentLaunch, public testing::WithParamInterface<const char*> {};

INSTANTIATE_TEST_SUITE_P(BothForms, SilentRoad, testing::Values("-SILENT MyMod", "-play GENERALS mymod -- -nologo "),
                         [](const auto& info) { return info.index == 0 ? "Silent" : "Play"; });

TEST_P(SilentRoad, SwapsStartsWatchesAndRestoresTheGameFolder) {
    const TreeSnapshot before = SnapshotTree(game.Path());
    const std::string G = game.Path();
    const std::string M = mods.Path();

    CorvaneProcess corvane(program.Path(), GetParam(), work.Path());

    // What the game was given and what it saw while it ran.
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, G + "\\Generals.exe -nologo  -mod MyMod.big");
    EXPECT_EQ(report.szCurrentFolder, work.Path());
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini"), ReadBytes(M + "\\Data\\INI\\GameData.ini"));
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini.original"), before.at("Data\\INI\\GameData.ini"));
    EXPECT_EQ(report.gameFolder.at("Data\\Art\\Textures\\tank.tga"), "TGA tank");
    EXPECT_EQ(report.gameFolder.at("Maps\\Custom\\Desert.map"), "desert map");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), before.at("Data\\INI\\Weapon.ini"));

    HWND hLaunch = corvane.WaitForWindow("Launching...");
    ASSERT_TRUE(hLaunch);
    EXPECT_FALSE(corvane.FindWindowNow("Generals Corvane")) << "silent mode never opens the main window";
    HWND hLog = ChildOfClass(hLaunch, "ListBox");
    HWND hClose = ChildWithText(hLaunch, "Button", "&Close");
    ASSERT_TRUE(hLog && hClose);

    const std::vector<std::string> whileRunning = {
        "This is what is happening...",
        "Checking for existance of all source folders and files in configuration.",
        "Checking..." + M + "\\Data\\INI\\GameData.ini",
        "Checking..." + M + "\\Art",
        "Checking..." + M + "\\Maps\\Desert.map",
        "",
        "Swap MOD files and folders with originals.",
        G + "\\Data\\INI\\GameData.ini.original",
        G + "\\Data\\INI\\GameData.ini",
        G + "\\Data\\Art",
        G + "\\Maps\\Custom\\Desert.map",
        "",
        "Launching...",
        G + "\\Generals.exe -nologo  -mod MyMod.big",
    };
    EXPECT_EQ(ListLines(hLog), whileRunning);
    EXPECT_FALSE(Enabled(hClose));

    // While the game is watched, a close request cannot end the watch.
    PostMessageA(hLaunch, WM_CLOSE, 0, 0);
    Sleep(300);
    EXPECT_TRUE(IsWindow(hLaunch));
    EXPECT_TRUE(corvane.Running());

    ReleaseGame();
    std::vector<std::string> expected = whileRunning;
    const std::vector<std::string> restore = {
        "",
        "Cleanup, restoring original files and folders.",
        "Deleting swapped folder:",
        G + "\\Maps\\Custom",
        "Deleting swapped folder:",
        G + "\\Maps",
        "Deleting swapped file:",
        G + "\\Data\\INI\\GameData.ini",
        "Restoring original folder:",
        G + "\\Data\\INI\\GameData.ini",
        "Deleting swapped folder:",
        G + "\\Data\\Art",
        "END",
    };
    expected.insert(expected.end(), restore.begin(), restore.end());
    EXPECT_EQ(WaitForLastLine(hLog, "END", 10000), expected);
    EXPECT_TRUE(Enabled(hClose));

    const TreeSnapshot after = SnapshotTree(game.Path());
    EXPECT_EQ(after, before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);

    // Closing the launch window ends a silent run.
    ClickButton(hClose);
    DWORD lExitCode = 1;
    EXPECT_TRUE(corvane.WaitForExit(5000, &lExitCode));
    EXPECT_EQ(lExitCode, 0u);
}

TEST_F(SilentLaunch, UnknownModStillStartsGeneralsWithoutAModButPlayTouchesNothing) {
    WriteBytes(program / "Other Mod\\Data\\INI\\Weapon.ini", "Weapon Laser\r\n");
    const TreeSnapshot before = SnapshotTree(game.Path());
    {
        CorvaneProcess corvane(program.Path(), "-PLAY Generals NoSuchMod", work.Path());
        HWND hBox = nullptr;
        EXPECT_EQ(corvane.WaitForMessageBox(10000, &hBox),
                  "There is no mod \"NoSuchMod\" in " + program.Path() + ".\nMods found: MyMod, Other Mod.");
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(corvane.WaitForExit(5000));
        EXPECT_FALSE(Present(szReport)) << "no game started";
    }
    CorvaneProcess corvane(program.Path(), "-SILENT NoSuchMod", work.Path());
    EXPECT_EQ(WaitForStandInReport(szReport).szCommandLine, game / "Generals.exe -nologo ");
    HWND hLaunch = corvane.WaitForWindow("Launching...");
    ASSERT_TRUE(hLaunch);
    ReleaseGame();
    EXPECT_EQ(WaitForLastLine(ChildOfClass(hLaunch, "ListBox"), "END"),
              (Lines{"This is what is happening...", "Checking for existance of all source folders and files in configuration.",
                     "", "Swap MOD files and folders with originals.", "", "Launching...", game / "Generals.exe -nologo ",
                     "", "Cleanup, restoring original files and folders.", "END"}));
    EXPECT_EQ(SnapshotTree(game.Path()), before);
}

}  // namespace
}  // namespace corvane::test
