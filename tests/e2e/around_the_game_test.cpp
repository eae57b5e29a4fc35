// What lies around the game's folder, as Corvane.exe under Wine meets it: a
// mod whose destination climbs out of the game's folder, which the player
// must let through first (the question's icon is the message box test's)
// and which is put back like the game's folder; a source whose name would
// climb out, which is refused; a game in a drive's root, whose drive is not
// its folder; and programs beside a game folder, named like that folder or
// its first word, which Windows would take for the game.
#include "e2e/e2e_fixture.h"
#include "e2e/late_drive.h"

namespace corvane::test {
namespace {

const std::string kStopped =
    "ERROR: The launch was stopped before anything was touched: the mod writes outside the game's folders.";

// Generals in "Command and Conquer Generals", as its installer names the
// folder; beside it a folder of the player's own, which the mod "Outside"
// reaches through "..".
class AroundTheGameFolder : public CorvaneRunTest {
protected:
    const std::string szGame = game / "Command and Conquer Generals";
    const std::string szOutside = game / "Outside";
    const std::string szQuestion = "This mod writes outside the game's folders:\r" + szOutside +
                                   "\\Made\r\rOnly go on if you trust where the mod came from. Go on?";
    TreeSnapshot before;

    void SetUp() override {
        InstallGenerals(0x00010008, szGame);
        WriteBytes(szOutside + "\\Notes.txt", "the player's own");
        WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
        WriteBytes(mods / "Readme.txt", "read me");
        WriteBytes(program / "Outside.zcf", ZcfText({{mods / "Weapon.ini", szGame + "\\Data\\INI"},
                                                     {mods / "Readme.txt", szGame + "\\..\\Outside\\Made"}}));
        before = SnapshotTree(game.Path());
    }

    // The game's folder and the one beside it, byte for byte; named, not
    // dumped, when they differ (the game's program is among them).
    void ExpectAsBefore() const {
        const TreeSnapshot after = SnapshotTree(game.Path());
        EXPECT_TRUE(after == before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
    }
};

TEST_F(AroundTheGameFolder, AModWritingOutsideAsksAndTheDefaultAnswerTouchesNothing) {
    CorvaneProcess corvane(program.Path(), "-PLAY Generals Outside", work.Path());
    HWND hBox = nullptr;
    EXPECT_EQ(corvane.WaitForMessageBox(20000, &hBox), szQuestion);
    ASSERT_TRUE(hBox);
    PressKey(VK_RETURN, hBox);  // what a player who only presses Enter answers
    EXPECT_TRUE(corvane.WaitForLogLine(kStopped));
    EXPECT_TRUE(Enabled(ChildWithText(corvane.WaitForWindow("Launching..."), "Button", "&Close")));
    EXPECT_FALSE(Present(szReport)) << "no game started";
    ExpectAsBefore();
}

TEST_F(AroundTheGameFolder, YesPlaysAndTheFolderOutsideComesBackToo) {
    CorvaneProcess corvane(program.Path(), "-SILENT Outside", work.Path());
    HWND hBox = nullptr;
    ASSERT_EQ(corvane.WaitForMessageBox(20000, &hBox), szQuestion);
    PostMessageA(hBox, WM_COMMAND, IDYES, 0);
    WaitForStandInReport(szReport);
    EXPECT_EQ(ReadBytes(szOutside + "\\Made\\Readme.txt"), "read me");
    ReleaseGame();
    EXPECT_TRUE(corvane.WaitForLogLine("END"));
    ExpectAsBefore();
}

// Windows reads "/" as a backslash: copied under its name, this source
// would land in the folder beside the game's.
TEST_F(AroundTheGameFolder, ASourceWhoseNameClimbsOutIsRefused) {
    WriteBytes(program / "Climb.zcf", ZcfText({{mods / "Sub\\x/../../Outside/Readme.txt", szGame}}));
    WriteBytes(mods / "Outside\\Readme.txt", "read me");
    CorvaneProcess corvane(program.Path(), "-PLAY Generals Climb", work.Path());
    EXPECT_TRUE(corvane.WaitForLogLine(
        "ERROR: This source's name cannot be copied as it is, please check configuration ZCF file with NotePad!"));
    EXPECT_FALSE(Present(szReport)) << "no game started";
    ExpectAsBefore();
}

// Windows reads an unquoted program path up to each blank in turn and would
// start "Command.exe" first, were Corvane not to name the program apart; an
// installer key without the folder's backslash would name the program
// beside the folder, were Corvane not to add it.
TEST_F(AroundTheGameFolder, TheGamesOwnProgramStartsThoughAnotherIsNamedLikeItsFolder) {
    ASSERT_TRUE(CopyFileA(CORVANE_TEST_STAND_IN_GAME, (game / "Command.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(CORVANE_TEST_STAND_IN_GAME, (szGame + "Generals.exe").c_str(), FALSE));
    registration->SetText("InstallPath", szGame);
    CorvaneProcess corvane(program.Path(), "-PLAY Generals - -- -quickstart -win", work.Path());
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szGameFolder, szGame) << "the report's writer";
    EXPECT_EQ(report.szCommandLine, szGame + "\\Generals.exe -quickstart -win");
    EXPECT_FALSE(corvane.WaitForWindow("Generals Corvane", 0)) << "the -PLAY road opens no main window";
}

// A Generals installed in a drive's root (a hand-made installer key) is
// played, but the drive is not its folder: a Zero Hour mod that climbs to
// that drive's Windows folder asks first, and Corvane.log says why once.
using GameInADrivesRoot = CorvaneRunTest;

TEST_F(GameInADrivesRoot, AModThatClimbsToThatDrivesWindowsFolderAsks) {
    TempFolder behindDrive;
    const LateDrive drive(behindDrive.Path());
    ASSERT_FALSE(drive.Root().empty()) << "no free drive letter";
    InstallGenerals(0x00010008, drive.Root());
    InstallZeroHour(drive.Root() + "Games\\ZH");
    MakeFolders(drive.Root() + "Windows");
    WriteBytes(mods / "Evil.dll", "not the game's");
    WriteBytes(program / "Climb.zcf", ZcfText({{mods / "Evil.dll", drive.Root() + "Games\\ZH\\..\\..\\Windows"}}));
    CorvaneProcess corvane(program.Path(), "-PLAY ZeroHour Climb", work.Path());
    HWND hBox = nullptr;
    EXPECT_EQ(corvane.WaitForMessageBox(20000, &hBox), "This mod writes outside the game's folders:\r" + drive.Root() +
                                                           "Windows\r\rOnly go on if you trust where the mod came from. Go on?");
    if (hBox) PostMessageA(hBox, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(corvane.WaitForLogLine(kStopped)) << "nothing touched";
    const std::string szLog = ReadBytes(program / "Corvane.log"), szWhy = "is installed in " + drive.Root() + ", a drive's root";
    EXPECT_NE(szLog.find(szWhy), std::string::npos) << szLog;
    EXPECT_EQ(szLog.find(szWhy), szLog.rfind(szWhy)) << "once per start";
}

}  // namespace
}  // namespace corvane::test
