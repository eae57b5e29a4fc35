// A silent launch from the command line, watched from outside as a player
// sees it: the game's command line and view of its folder, the progress log,
// the Close button, and the game folder put back byte for byte; a mod that
// is not there; and the single-instance guard, which ends the program.
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

TEST_F(SilentLaunch, SwapsStartsWatchesAndRestoresTheGameFolder) {
    const TreeSnapshot before = SnapshotTree(game.Path());
    const std::string G = game.Path();
    const std::string M = mods.Path();

    CorvaneProcess corvane(program.Path(), "-SILENT MyMod", work.Path());

    // What the game was given and what it saw while it ran.
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, G + "\\Generals.exe -nologo  -mod MyMod.big");
    EXPECT_EQ(report.szCurrentFolder, work.Path());
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini"), ReadBytes(M + "\\Data\\INI\\GameData.ini"));
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini.original"), before.at("Data\\INI\\GameData.ini"));
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), before.at("Data\\INI\\Weapon.ini"));

    HWND hLaunch = corvane.WaitForWindow("Launching...");
    ASSERT_TRUE(hLaunch);
    EXPECT_FALSE(corvane.WaitForWindow("Generals Corvane", 0)) << "silent mode never opens the main window";
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
    ReleaseGame();
    EXPECT_TRUE(corvane.WaitForLogLine("END"));
    EXPECT_EQ(SnapshotTree(game.Path()), before);
}

// A top-level window captioned "Corvane", as the guard looks for.
class WindowCaptionedCorvane {
public:
    WindowCaptionedCorvane() {
        hwnd = CreateWindowExA(0, "STATIC", "Corvane", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~WindowCaptionedCorvane() { DestroyWindow(hwnd); }
    HWND hwnd;
};

// Asked for a silent launch, which would otherwise start the game at once.
TEST_F(SilentLaunch, AnotherInstanceIsReportedAndNothingElseHappens) {
    WindowCaptionedCorvane other;
    ASSERT_TRUE(other.hwnd);
    CorvaneProcess corvane(program.Path(), "-SILENT MyMod", work.Path());
    HWND hBox = nullptr;
    EXPECT_EQ(corvane.WaitForMessageBox(10000, &hBox), "Another instance of the Corvane is already running!");
    ASSERT_TRUE(hBox);
    EXPECT_EQ(WindowText(hBox), "GeneralsCorvane");
    EXPECT_FALSE(corvane.WaitForWindow("Generals Corvane", 0));
    EXPECT_FALSE(corvane.WaitForWindow("Launching...", 0));
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(corvane.WaitForExit(5000));
    EXPECT_FALSE(Present(szReport));
}

}  // namespace
}  // namespace corvane::test
