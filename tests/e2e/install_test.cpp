// Corvane.exe -INSTALL as a player runs it on what mod sites ship: the mod
// lands as a folder mod that plays, what is unsafe, damaged or a program is
// refused with nothing left behind, and Cancel leaves nothing either.
#include "e2e/e2e_fixture.h"

#include <commctrl.h>

#include <algorithm>

namespace corvane::test {
namespace {

const std::string kFixtures = CORVANE_TEST_INSTALL_FIXTURES;

class Install : public CorvaneRunTest {
protected:
    // The "Install Mod" window once it has read the archive.
    HWND OpenWindow(CorvaneProcess& corvane) {
        const HWND hWindow = corvane.WaitForWindow("Install Mod", 20000);
        EXPECT_TRUE(hWindow) << corvane.Said();
        if (hWindow) {
            EXPECT_TRUE(PumpUntil([&] { return Enabled(InstallButton(hWindow)); }, 30000)) << corvane.Said();
        }
        return hWindow;
    }
    static HWND InstallButton(HWND hWindow) { return ChildWithText(hWindow, "Button", "&Install"); }
    // What is in the program folder besides Corvane.exe, its log and its locks.
    TreeSnapshot Installed() {
        TreeSnapshot tree = SnapshotTree(program.Path());
        for (const char* szOwn : {"Corvane.exe", "Corvane.log", "Corvane.lock", "Corvane.staging.lock"}) tree.erase(szOwn);
        return tree;
    }
    // The window installing the 10,000 files of many.7z, once it has begun
    // writing them.
    HWND StartManyFiles(CorvaneProcess& corvane) {
        const HWND hWindow = OpenWindow(corvane);
        if (!hWindow) return nullptr;
        ClickButton(InstallButton(hWindow));
        const HWND hProgress = ChildOfClass(hWindow, PROGRESS_CLASSA);
        EXPECT_TRUE(PumpUntil([&] { return SendMessageA(hProgress, PBM_GETPOS, 0, 0) > 0; }, 20000));
        return hWindow;
    }
    // Presses Install and answers the message box that ends the window.
    std::string InstallAndAnswer(CorvaneProcess& corvane, HWND hWindow) {
        ClickButton(InstallButton(hWindow));
        HWND hBox = nullptr;
        const std::string szSaid = corvane.WaitForMessageBox(60000, &hBox);
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        return szSaid;
    }
};

// A taken title is said and the window stays; the mod then installs under
// another, its disabled archive under the .big name, and plays: the game
// folder comes back byte for byte.
TEST_F(Install, AWrappedZipInstallsUnderAFreeTitleAndPlays) {
    InstallGenerals();
    WriteBytes(program / "Rotr 2.0\\Data\\mine.ini", "the player's own");
    const TreeSnapshot before = SnapshotTree(game.Path());
    {
        CorvaneProcess corvane(program.Path(), "-INSTALL \"" + kFixtures + "\\wrapper.zip\"", work.Path());
        const HWND hWindow = OpenWindow(corvane);
        ASSERT_TRUE(hWindow);
        const HWND hTitle = ChildOfClass(hWindow, "Edit", 0);
        char szTitle[64] = {};
        SendMessageA(hTitle, WM_GETTEXT, sizeof(szTitle), reinterpret_cast<LPARAM>(szTitle));
        EXPECT_STREQ(szTitle, "wrapper");
        EXPECT_EQ(ListLines(ChildOfClass(hWindow, "ListBox", 0)),
                  (Lines{"Note: !Rotr_INI.gib becomes !Rotr_INI.big", "!Rotr_INI.big", "Data\\INI\\Weapon.ini", "Readme.txt"}));
        SetWindowTextA(hTitle, "Rotr 2.0");
        ClickButton(InstallButton(hWindow));
        HWND hBox = nullptr;
        EXPECT_EQ(corvane.WaitForMessageBox(10000, &hBox), "There is a mod \"Rotr 2.0\" already. Choose another title.");
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        SetWindowTextA(hTitle, "Rotr");
        ASSERT_TRUE(PumpUntil([&] { return Enabled(InstallButton(hWindow)) && !WaitForMessageBox(ProcessOf(hWindow), 0); }));
        ClickButton(InstallButton(hWindow));
        DWORD lExit = 99;
        EXPECT_TRUE(corvane.WaitForExit(20000, &lExit));
        EXPECT_EQ(lExit, 0u);
    }
    EXPECT_EQ(ReadBytes(program / "Rotr 2.0\\Data\\mine.ini"), "the player's own");
    EXPECT_EQ(ReadBytes(program / "Rotr\\!Rotr_INI.big").substr(0, 4), "BIGF");
    EXPECT_EQ(ReadBytes(program / "Rotr\\Data\\INI\\Weapon.ini"), "Weapon RotrLaser\r\nEnd\r\n");
    const std::string szLog = ReadBytes(program / "Corvane.log");
    EXPECT_NE(szLog.find("wrapper.zip (SHA-256 "), std::string::npos) << szLog;
    EXPECT_NE(szLog.find("Installed the mod \"Rotr\""), std::string::npos) << szLog;

    CorvaneProcess play(program.Path(), "-PLAY Generals Rotr", work.Path());
    const StandInReport report = GameReport(play);
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), "Weapon RotrLaser\r\nEnd\r\n");
    EXPECT_EQ(report.gameFolder.count("!Rotr_INI.big"), 1u);
    ReleaseGame();
    EXPECT_TRUE(play.WaitForLogLine("END"));
    EXPECT_EQ(SnapshotTree(game.Path()), before);
}

TEST_F(Install, SolidSevenZipAndRarsInstall) {
    const struct {
        const char* szArchive;
        const char* szFile;  // one of what it installs, in the mod's folder
    } cases[] = {
        {"cyrillic.7z", "cyrillic\\Data\\INI\\Оружие.ini"},
        {"test_read_format_rar.rar", "test_read_format_rar\\testdir\\test.txt"},
        {"test_read_format_rar5_solid.rar", "test_read_format_rar5_solid\\test6.bin"},
    };
    for (const auto& c : cases) {
        CorvaneProcess corvane(program.Path(), "-INSTALL " + kFixtures + "\\" + c.szArchive, work.Path());
        if (const HWND hWindow = OpenWindow(corvane)) ClickButton(InstallButton(hWindow));
        DWORD lExit = 99;
        EXPECT_TRUE(corvane.WaitForExit(20000, &lExit)) << c.szArchive;
        EXPECT_EQ(lExit, 0u) << c.szArchive;
        EXPECT_TRUE(Present(program / c.szFile)) << Describe(Installed());
    }
}

// Refused with the reason, nothing left behind, the installer never started.
TEST_F(Install, UnsafeDamagedAndProgramDownloadsAreRefused) {
    const struct {
        const char* szArchive;
        const char* szSaid;  // the start of the message
    } cases[] = {
        {"escape.zip", "Corvane does not install \"escape.zip\": the entry \"../../evil.ini\" climbs above"},
        {"cut short.7z", "\"cut short.7z\" is damaged or cut short"},
        {"setup.exe", "\"setup.exe\" is a program, not a self-extracting archive"},
    };
    for (const auto& c : cases) {
        CorvaneProcess corvane(program.Path(), "-INSTALL \"" + kFixtures + "\\" + c.szArchive + "\"", work.Path());
        HWND hBox = nullptr;
        EXPECT_EQ(corvane.WaitForMessageBox(20000, &hBox).rfind(c.szSaid, 0), 0u) << corvane.Said();
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        DWORD lExit = 99;
        EXPECT_TRUE(corvane.WaitForExit(10000, &lExit)) << c.szArchive;
        EXPECT_EQ(lExit, 1u) << c.szArchive;
        EXPECT_EQ(Installed(), TreeSnapshot{}) << c.szArchive;
    }
    EXPECT_FALSE(Present(szReport)) << "the installer was started";
    EXPECT_FALSE(Present(program.Path() + "\\..\\evil.ini"));
}

// A checksum that does not match shows when the data is read: refused
// then, nothing left. A RAR cut between two entries lacks its end.
TEST_F(Install, DamageFoundWhileUnpackingLeavesNothing) {
    const struct {
        const char* szArchive;
        const char* szSaid;
    } cases[] = {
        {"bad crc.zip", "\"bad crc.zip\" is damaged or cut short (\"Rotr 2.0/Data/INI/Weapon.ini\": ZIP bad CRC"},
        {"cut between.rar", "\"cut between.rar\" is damaged or cut short (\"testdir"},
    };
    for (const auto& c : cases) {
        CorvaneProcess corvane(program.Path(), "-INSTALL \"" + kFixtures + "\\" + c.szArchive + "\"", work.Path());
        HWND hBox = nullptr;
        std::string szSaid = corvane.WaitForMessageBox(1000, &hBox);
        if (hBox) PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        else if (const HWND hWindow = OpenWindow(corvane)) szSaid = InstallAndAnswer(corvane, hWindow);
        EXPECT_EQ(szSaid.rfind(c.szSaid, 0), 0u) << szSaid;
        DWORD lExit = 99;
        EXPECT_TRUE(corvane.WaitForExit(10000, &lExit)) << c.szArchive;
        EXPECT_EQ(lExit, 1u) << c.szArchive;
        EXPECT_EQ(Installed(), TreeSnapshot{}) << c.szArchive;
    }
}

// Another Corvane started while 10,000 files are written, to install
// another download: the staging folder stays the first install's, which
// ends whole.
TEST_F(Install, ASecondCorvaneDuringAnInstallLeavesItWhole) {
    CorvaneProcess corvane(program.Path(), "-INSTALL " + kFixtures + "\\many.7z", work.Path());
    const HWND hWindow = StartManyFiles(corvane);
    ASSERT_TRUE(hWindow);
    {
        CorvaneProcess second(program.Path(), "-INSTALL \"" + kFixtures + "\\wrapper.zip\"", work.Path());
        const HWND hSecond = OpenWindow(second);
        ASSERT_TRUE(hSecond);
        ASSERT_TRUE(IsWindow(hWindow)) << "the first install ended before the second was asked";
        EXPECT_EQ(InstallAndAnswer(second, hSecond).rfind("Another install is running in Corvane's folder.", 0), 0u);
        EXPECT_TRUE(second.WaitForExit(10000));
    }
    DWORD lExit = 99;
    EXPECT_TRUE(corvane.WaitForExit(120000, &lExit));
    EXPECT_EQ(lExit, 0u);
    size_t lFiles = 0;
    for (const auto& [szPath, szContent] : Installed())
        lFiles += szPath.rfind("many\\Data\\", 0) == 0 && std::count(szPath.begin(), szPath.end(), '\\') == 3;
    EXPECT_EQ(lFiles, 10000u);
    EXPECT_FALSE(Present(program / "wrapper"));
}

// Cancel while 10,000 files are written: the window goes within a second
// and takes everything along.
TEST_F(Install, CancelDuringTheUnpackingLeavesNothing) {
    CorvaneProcess corvane(program.Path(), "-INSTALL " + kFixtures + "\\many.7z", work.Path());
    const HWND hWindow = StartManyFiles(corvane);
    ASSERT_TRUE(hWindow);
    const ULONGLONG lPressed = GetTickCount64();
    ClickButton(ChildWithText(hWindow, "Button", "Cancel"));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hWindow); }, 5000));
    EXPECT_LT(GetTickCount64() - lPressed, 1500u);
    DWORD lExit = 99;
    EXPECT_TRUE(corvane.WaitForExit(10000, &lExit));
    EXPECT_EQ(lExit, 1u);
    EXPECT_EQ(Installed(), TreeSnapshot{});
}

}  // namespace
}  // namespace corvane::test
