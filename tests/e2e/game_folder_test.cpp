// Corvane.exe keeps its hands off what is not its own, whatever a mod's
// entries do to one another, wherever the game runs from and whatever
// happens to the drive it lies on.
#include <algorithm>
#include <vector>

#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

const std::string kAnother = "Another Corvane launch is still running. Close it first.";
const std::string kIntoItself =
    "ERROR: This folder would be copied into itself, please check configuration ZCF file with NotePad!";

class GameFolder : public CorvaneRunTest {
protected:
    void ClickClose(CorvaneProcess& corvane) {
        HWND hLaunch = corvane.WaitForWindow("Launching...");
        ASSERT_TRUE(PumpUntil([&] { return Enabled(ChildWithText(hLaunch, "Button", "&Close")); }));
        ClickButton(ChildWithText(hLaunch, "Button", "&Close"));
    }
};

// A folder entry that replaces Data\INI, a file put into that folder and
// the same folder entry again; folder entries whose target is their source
// or lies inside it; and a mod whose swap fails half-way.
TEST_F(GameFolder, NestedRepeatedLoopingAndFailingModsLeaveItAsItWas) {
    InstallGenerals();
    WriteBytes(mods / "INI\\GameData.ini", "; the mod's settings\r\n");
    WriteBytes(mods / "INI\\Object\\Tank.ini", "Object Tank\r\nEnd\r\n");
    WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
    const std::string G = game.Path(), M = mods.Path();
    WriteBytes(program / "Nested.zcf", ZcfText({{M + "\\INI", G + "\\Data"}, {M + "\\Weapon.ini", G + "\\Data\\INI"},
                                           {M + "\\INI", G + "\\Data"}}));
    WriteBytes(program / "Loop.zcf", ZcfText({{G + "\\Data", G}, {G + "\\Data", G + "\\Data\\INI"}}));
    WriteBytes(program / "Broken.zcf", ZcfText({{M + "\\INI\\Object", G + "\\Data"}, {M + "\\Weapon.ini", G + "\\Data\\INI"}}));
    const TreeSnapshot before = SnapshotTree(G);

    {
        CorvaneProcess corvane(program.Path(), "-SILENT Nested", work.Path());
        const StandInReport report = WaitForStandInReport(szReport);
        EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), "Weapon Plasma\r\nEnd\r\n");
        EXPECT_EQ(report.gameFolder.at("Data\\INI\\Object\\Tank.ini"), "Object Tank\r\nEnd\r\n");
        ReleaseGame();
        EXPECT_TRUE(corvane.WaitForLogLine("END"));
        EXPECT_EQ(SnapshotTree(G), before);
        ClickClose(corvane);
        EXPECT_TRUE(corvane.WaitForExit(5000));
    }
    {
        CorvaneProcess corvane(program.Path(), "-SILENT Loop", work.Path());
        EXPECT_TRUE(corvane.WaitForLogLine(kIntoItself));
        const Lines log = corvane.LaunchLog();
        EXPECT_EQ(Lines(log.end() - 4, log.end()),
                  (Lines{"Checking..." + G + "\\Data", kIntoItself, "Checking..." + G + "\\Data", kIntoItself}));
        ClickClose(corvane);
        EXPECT_TRUE(corvane.WaitForExit(5000));
        EXPECT_EQ(SnapshotTree(G), before);
    }
    WriteBytes(game / "Data\\INI\\Weapon.ini.original", "left by a launch long ago");
    const TreeSnapshot withLeftover = SnapshotTree(G);
    CorvaneProcess corvane(program.Path(), "-SILENT Broken", work.Path());
    HWND hBox = nullptr;
    EXPECT_EQ(corvane.WaitForMessageBox(20000, &hBox), "An error occurred whilst trying to launch the game!");
    ASSERT_TRUE(hBox);
    EXPECT_TRUE(Present(game / "Data\\Object\\Tank.ini")) << "shown as it is until the window closes";
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    ClickClose(corvane);
    EXPECT_TRUE(corvane.WaitForExit(10000)) << "the swap undone, the silent run ends";
    EXPECT_EQ(SnapshotTree(G), withLeftover);
    EXPECT_FALSE(Present(program / "Corvane.journal"));
}

// The game on drive G:, Corvane killed while the game ran, G: gone at the
// next start and back at the one after it.
TEST_F(GameFolder, AGameOnADriveThatWentIsPutBackWhenTheDriveIsBack) {
    // Unplugged by moving the folder behind G: away; always plugged in again.
    struct Drive {
        const std::string szFolder = CORVANE_TEST_G_DRIVE, szAway = szFolder + ".away";
        bool Unplug() const { return MoveFileA(szFolder.c_str(), szAway.c_str()); }
        bool PlugIn() const { return MoveFileA(szAway.c_str(), szFolder.c_str()); }
        ~Drive() { PlugIn(); }
    } drive;
    const std::string G = "G:\\Game" + std::to_string(GetCurrentProcessId());
    InstallGenerals(0x00010008, G);
    WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
    WriteBytes(program / "Mod.zcf", ZcfText({{mods / "Weapon.ini", G + "\\Data\\INI"}, {mods.Path(), G + "\\Mods"}}));
    const TreeSnapshot before = SnapshotTree(G);
    {
        CorvaneProcess corvane(program.Path(), "-SILENT Mod", work.Path());
        ASSERT_TRUE(corvane.WaitForLogLine("Launching..."));
        corvane.Kill();
    }
    ReleaseGame();
    Sleep(300);
    ASSERT_TRUE(drive.Unplug());
    {
        CorvaneProcess corvane(program.Path(), "", work.Path());
        EXPECT_TRUE(corvane.WaitForWindow("Generals Corvane", 60000));
        const Lines log = corvane.LaunchLog();
        EXPECT_TRUE(std::ranges::count(log, "ERROR: This could not be put back now; Corvane tries again at its next start:"));
        EXPECT_TRUE(std::ranges::count(log, G + "\\Data\\INI\\Weapon.ini")) << "the copy is named";
        EXPECT_TRUE(Present(program / "Corvane.journal"));
    }
    ASSERT_TRUE(drive.PlugIn());
    CorvaneProcess corvane(program.Path(), "", work.Path());
    EXPECT_TRUE(corvane.WaitForWindow("Generals Corvane", 60000));
    EXPECT_FALSE(Present(program / "Corvane.journal"));
    EXPECT_EQ(SnapshotTree(G), before);
    RemoveTree(G);
}

// A store edition's Generals.exe asks the store's client for the real game
// and ends; the client, which is no child of Corvane's, starts it.
TEST_F(GameFolder, AGameTheStoresClientStartsIsWaitedFor) {
    InstallGenerals();
    ASSERT_TRUE(CopyFileA(CORVANE_TEST_STAND_IN_GAME, (game / "game.dat").c_str(), FALSE));
    WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
    WriteBytes(program / "Mod.zcf", ZcfText({{mods / "Weapon.ini", game / "Data\\INI"}}));
    const TreeSnapshot before = SnapshotTree(game.Path());
    const std::string szAsked = work / "asked.flag";
    {
        ScopedEnvironment clientOrder("STANDIN_STORE_CLIENT", szAsked);
        ScopedEnvironment gameOrder("STANDIN_STORE_GAME", game / "game.dat");
        STARTUPINFOA si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessA(CORVANE_TEST_STAND_IN_GAME, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &si, &pi));
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    ScopedEnvironment stubOrder("STANDIN_ASK_STORE", szAsked);
    CorvaneProcess corvane(program.Path(), "-SILENT Mod", work.Path());
    EXPECT_EQ(WaitForStandInReport(szReport).szGameFolder, game.Path()) << "the real game runs";
    Sleep(2500);  // the watch's ticks, with Generals.exe long gone
    EXPECT_FALSE(std::ranges::count(corvane.LaunchLog(), "Cleanup, restoring original files and folders."));
    EXPECT_EQ(ReadBytes(game / "Data\\INI\\Weapon.ini"), "Weapon Plasma\r\nEnd\r\n");
    ReleaseGame();
    EXPECT_TRUE(corvane.WaitForLogLine("END"));
    EXPECT_EQ(SnapshotTree(game.Path()), before);
}

// Zero Hour launched with a mod that writes into the Generals folder; a
// second Corvane, from another program folder or from the same one,
// launching Generals with a mod for that folder is refused and ends.
TEST_F(GameFolder, TwoLaunchesNeverMeetInOneFolder) {
    InstallGenerals();
    InstallZeroHour();
    TempFolder otherProgram;
    WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
    WriteBytes(program / "Both.zcf",
               ZcfText({{mods / "Weapon.ini", "C:\\Program Files\\EA Games\\Command and Conquer Generals\\Data\\INI"}}));
    for (const TempFolder* folder : {&otherProgram, &program})
        WriteBytes(*folder / "Gen.zcf", ZcfText({{mods / "Weapon.ini", game / "Data"}}));
    const TreeSnapshot before = SnapshotTree(game.Path());

    CorvaneProcess first(program.Path(), "", work.Path());
    const MainWindow main{first.WaitForWindow("Generals Corvane")};
    ASSERT_TRUE(main.h);
    ClickListEntry(main.Games(), FindListEntry(main.Games(), "Zero Hour Generals Expansion Version 1.04"));
    ClickListEntry(main.Mods(), FindListEntry(main.Mods(), "Both"));
    ClickButton(main.Button("Start &Game"));
    EXPECT_EQ(WaitForStandInReport(szReport).szGameFolder, zeroHour.Path());
    const TreeSnapshot modded = SnapshotTree(game.Path());
    EXPECT_NE(modded, before);

    for (const TempFolder* folder : {&otherProgram, &program}) {
        CorvaneProcess second(folder->Path(), "-SILENT Gen", work.Path());
        HWND hBox = nullptr;
        EXPECT_EQ(second.WaitForMessageBox(20000, &hBox), kAnother);
        ASSERT_TRUE(hBox);
        EXPECT_EQ(WindowText(hBox), "GeneralsCorvane");
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(second.WaitForExit(10000)) << "a refused silent launch ends the program";
        EXPECT_EQ(SnapshotTree(game.Path()), modded);
    }
    ReleaseGame();
    EXPECT_TRUE(first.WaitForLogLine("END"));
    EXPECT_EQ(SnapshotTree(game.Path()), before);
}

}  // namespace
}  // namespace corvane::test
