// Corvane.exe keeps out of the way of what is not its own: two launches
// never meet in one folder, and a mod too large for the game's drive is
// stopped before anything is touched.
#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

const std::string kAnother = "Another Corvane launch is still running. Close it first.";

using GameFolder = CorvaneRunTest;

// Zero Hour launched with a mod that writes into the Generals folder; a
// second Corvane, from another program folder, launching Generals with a mod
// for that folder is refused and ends (one program folder used twice is the
// shell test of two Wine prefixes). The main window closed meanwhile leaves
// the launch watching its game, and the last window closed ends the program.
TEST_F(GameFolder, TwoLaunchesNeverMeetInOneFolder) {
    InstallGenerals();
    InstallZeroHour();
    TempFolder otherProgram;
    WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
    WriteBytes(program / "Both.zcf",
               ZcfText({{mods / "Weapon.ini", "C:\\Program Files\\EA Games\\Command and Conquer Generals\\Data\\INI"}}));
    WriteBytes(otherProgram / "Gen.zcf", ZcfText({{mods / "Weapon.ini", game / "Data"}}));
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

    CorvaneProcess second(otherProgram.Path(), "-SILENT Gen", work.Path());
    HWND hBox = nullptr;
    EXPECT_EQ(second.WaitForMessageBox(20000, &hBox), kAnother);
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.WaitForExit(10000)) << "a refused silent launch ends the program";
    EXPECT_EQ(SnapshotTree(game.Path()), modded);

    PostMessageA(main.h, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(main.h); }));
    ReleaseGame();
    EXPECT_TRUE(first.WaitForLogLine("END"));
    EXPECT_EQ(SnapshotTree(game.Path()), before);
    ClickButton(ChildWithText(first.WaitForWindow("Launching..."), "Button", "&Close"));
    EXPECT_TRUE(first.WaitForExit(5000));
}

TEST_F(GameFolder, AModTooLargeForTheGamesDriveIsStoppedBeforeTheSwap) {
    InstallGenerals();
    WriteBytes(mods / "Small.ini", "small");
    // A file a gigabyte larger than the drive has free, which takes no space
    // itself (a file with nothing written in it).
    ULARGE_INTEGER lFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(game.Path().c_str(), &lFree, nullptr, nullptr));
    HANDLE hHuge = CreateFileA((mods / "Huge.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    LARGE_INTEGER lSize{};
    lSize.QuadPart = static_cast<LONGLONG>(lFree.QuadPart + (1ull << 30));
    ASSERT_TRUE(SetFilePointerEx(hHuge, lSize, nullptr, FILE_BEGIN) && SetEndOfFile(hHuge));
    CloseHandle(hHuge);
    WriteBytes(program / "Huge.zcf", ZcfText({{mods / "Small.ini", game / "Data"}, {mods / "Huge.bin", game / "Data"}}));
    const TreeSnapshot before = SnapshotTree(game.Path());
    CorvaneProcess corvane(program.Path(), "-SILENT Huge", work.Path());
    HWND hBox = nullptr;
    EXPECT_EQ(corvane.WaitForMessageBox(20000, &hBox), "An error occurred whilst trying to launch the game!");
    const Lines log = corvane.LaunchLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().rfind("ERROR: There is not enough free space on ", 0), 0u) << log.back();
    EXPECT_EQ(SnapshotTree(game.Path()), before);
    if (hBox) PostMessageA(hBox, WM_COMMAND, IDOK, 0);
}

}  // namespace
}  // namespace corvane::test
