// Names in any language, on a system whose own code page is Western: a
// program folder, a game folder, a folder mod and a configuration file in
// Cyrillic and CJK letters are listed by their names, launched, and the game
// folder comes back byte for byte. A line an older tool wrote in the
// system's legacy code page is read too.
#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

using Names = CorvaneRunTest;

// The mod launched from the main window; the game's view of its folder.
StandInReport Launch(HWND hMain, const std::string& szMod, const std::string& szReport) {
    HWND hMods = ChildOfClass(hMain, "ListBox", 1);
    ClickListEntry(hMods, FindListEntry(hMods, szMod));
    ClickButton(ChildWithText(hMain, "Button", "Start &Game"));
    return WaitForStandInReport(szReport);
}

TEST_F(Names, CyrillicAndCjkNamesAreListedLaunchedAndTheGameFolderComesBack) {
    const std::string P = program / "Корвейн 程序", G = game / "Игра 游戏", M = mods / "Исходники 源";
    InstallGenerals(0x00010008, G);
    WriteBytes(P + "\\Моды 模组\\Data\\INI\\Оружие 武器.ini", "folder mod\r\n");
    WriteBytes(M + "\\Данные 数据\\Карта 地图.map", "map\r\n");
    WriteBytes(mods / "Caf\xc3\xa9.ini", "legacy\r\n");
    WriteBytes(P + "\\Танки 坦克.zcf", "Location=" + M + "\\Танки 坦克.big\r\n[Folder]\r\nSource=" + M +
                                           "\\Данные 数据\r\nDestination=" + G + "\\Maps\r\n"
                                           "[Folder]\r\nSource=" + mods / "Caf\xe9.ini" + "\r\n"  // as an older tool wrote it
                                           "Destination=" + G + "\\Data\r\n");
    const TreeSnapshot before = SnapshotTree(G);

    CorvaneProcess corvane(P, "", work.Path());
    HWND hMain = corvane.WaitForWindow("Generals Corvane");
    ASSERT_TRUE(hMain);
    EXPECT_EQ(ListLines(ChildOfClass(hMain, "ListBox", 1)), (Lines{"Танки 坦克", "Моды 模组"}));

    StandInReport report = Launch(hMain, "Танки 坦克", szReport);
    EXPECT_EQ(report.szGameFolder, G);
    EXPECT_NE(report.szCommandLine.find(" -mod Танки 坦克.big"), std::string::npos) << report.szCommandLine;
    EXPECT_EQ(report.gameFolder.at("Maps\\Данные 数据\\Карта 地图.map"), "map\r\n");
    EXPECT_EQ(report.gameFolder.at("Data\\Caf\xc3\xa9.ini"), "legacy\r\n");
    HWND hLaunch = corvane.WaitForWindow("Launching...");
    ASSERT_TRUE(hLaunch);
    ReleaseGame();
    EXPECT_EQ(WaitForLastLine(ChildOfClass(hLaunch, "ListBox"), "END").back(), "END");
    EXPECT_EQ(SnapshotTree(G), before);

    standIn.Rearm();
    RemoveTree(szReport);
    report = Launch(hMain, "Моды 模组", szReport);
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Оружие 武器.ini"), "folder mod\r\n");
    ReleaseGame();
    EXPECT_EQ(WaitForLastLine(ChildOfClass(hLaunch, "ListBox"), "END").back(), "END");
    EXPECT_EQ(SnapshotTree(G), before);
}

}  // namespace
}  // namespace corvane::test
