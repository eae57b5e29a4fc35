// Names in any language, and editions Corvane finds without the retail key.
// Corvane's folder, Zero Hour's, the mods' sources and titles named in
// Cyrillic and CJK: a folder mod is listed, and a mod written for the
// retail folders (with a line an older tool wrote in the legacy code page)
// is listed, played and put back byte for byte. Generals under the current user's key
// and Zero Hour in Origin's folder are listed whole on scaled displays,
// where the whole folder chooser is on the screen.
#include <optional>

#include "e2e/e2e_fixture.h"
#include "ui/dpi.h"

namespace corvane::test {
namespace {

using Editions = CorvaneRunTest;

TEST_F(Editions, ModsNamedInAnyLanguageAreListedPlayedAndPutBack) {
    const std::string P = program / "Корвейн 程序", Z = game / "Игры 游戏\\Zero Hour", M = mods / "Исходники 源";
    const std::string kZh = "C:\\Program Files\\EA Games\\Command & Conquer Generals Zero Hour\\";
    InstallZeroHour(Z);
    WriteBytes(M + "\\Данные 数据\\GameData.ini", "; the mod's settings\r\n");
    WriteBytes(mods / "Caf\xc3\xa9.map", "map\r\n");
    WriteBytes(P + "\\Моды 模组\\Data\\INI\\Оружие 武器.ini", "folder mod\r\n");
    WriteBytes(P + "\\Танки 坦克.zcf",
               "Location=" + M + "\\Танки 坦克.big\r\n[Folder]\r\nSource=" + M + "\\Данные 数据\\GameData.ini\r\n"
               "Destination=" + kZh + "Data\\INI\r\n[Folder]\r\nSource=" + mods / "Caf\xe9.map" + "\r\nDestination=" + kZh +
               "Maps\r\n");
    const TreeSnapshot before = SnapshotTree(Z);

    CorvaneProcess corvane(P, "", work.Path());
    const MainWindow main{corvane.WaitForWindow("Generals Corvane")};
    ASSERT_TRUE(main.h);
    EXPECT_EQ(ListLines(main.Mods()), (Lines{"Танки 坦克", "Моды 模组"}));
    ClickListEntry(main.Mods(), 0);
    ClickButton(main.Button("Start &Game"));
    const StandInReport report = GameReport(corvane);
    EXPECT_EQ(report.szCommandLine, Z + "\\Generals.exe -mod Танки 坦克.big");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini"), "; the mod's settings\r\n");
    EXPECT_EQ(report.gameFolder.at("Maps\\Caf\xc3\xa9.map"), "map\r\n");
    ReleaseGame();
    EXPECT_TRUE(corvane.WaitForLogLine("END"));
    EXPECT_EQ(SnapshotTree(Z), before);
}

// The desktop's scaling, which Wine reads as a program starts; put back.
struct DesktopScaling {
    explicit DesktopScaling(DWORD lDpi) {
        bHad = RegGetValueA(HKEY_CURRENT_USER, kKey, "LogPixels", RRF_RT_REG_DWORD, nullptr, &lOld, &lSize) == 0;
        Set(lDpi);
    }
    ~DesktopScaling() { bHad ? Set(lOld) : void(RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels")); }
    void Set(DWORD lDpi) { RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels", REG_DWORD, &lDpi, sizeof(lDpi)); }

    static constexpr const char* kKey = "Control Panel\\Desktop";
    DWORD lOld = 0, lSize = sizeof(lOld);
    bool bHad = false;
};

// The colour the screen shows at a point of a window: a window that never
// painted shows black there.
COLORREF OnScreen(HWND hwnd, POINT pt) {
    ClientToScreen(hwnd, &pt);
    HDC hScreen = GetDC(nullptr);
    const COLORREF lColour = GetPixel(hScreen, pt.x, pt.y);
    ReleaseDC(nullptr, hScreen);
    return lColour;
}

int TextWidth(const std::string& szText, UINT lDpi) {
    const LOGFONTA lf = ui::MessageFontFor(lDpi);
    HFONT hFont = CreateFontIndirectA(&lf);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    SIZE size{};
    GetTextExtentPoint32A(hdc, szText.c_str(), static_cast<int>(szText.size()), &size);
    DeleteObject(SelectObject(hdc, hOld));
    DeleteDC(hdc);
    return size.cx;
}

TEST_F(Editions, TheCurrentUsersKeyAndOriginAreListedWholeAtScaledDisplaysWhereTheChooserIsSeen) {
    const std::string G = game / "Generals", szOrigin = game / "Origin Games\\C&C";
    PlaceGame(G);
    PlaceGame(szOrigin + "\\Command and Conquer Generals Zero Hour");
    ScratchRegistryKey user(RegistryView::k32Bit, kGeneralsRegistryKey, HKEY_CURRENT_USER);
    user.SetText("InstallPath", G);
    user.SetDword("Version", 0x00010008);
    ScratchRegistryKey origin(RegistryView::k32Bit, "SOFTWARE\\EA Games\\Command and Conquer Generals Zero Hour");
    origin.SetText("Install Dir", szOrigin);
    const Lines titles = {"Generals Version 1.08", "Zero Hour Generals Expansion Version 1.04",
                          "Generals WorldBuilder Version 1.08", "Zero Hour WorldBuilder Version 1.04"};

    for (const UINT lDpi : {144u, 192u}) {
        SCOPED_TRACE(lDpi);
        std::optional<DesktopScaling> scaled(std::in_place, lDpi);
        CorvaneProcess corvane(program.Path(), "", work.Path());
        const MainWindow main{corvane.WaitForWindow("Generals Corvane")};
        scaled.reset();  // read at start
        ASSERT_TRUE(main.h);
        EXPECT_EQ(ListLines(main.Games()), titles);
        // Measured in the font for the scaling: Corvane started at it.
        const LRESULT lExtent = SendMessageA(main.Games(), LB_GETHORIZONTALEXTENT, 0, 0);
        for (const std::string& szTitle : titles) EXPECT_GE(lExtent, TextWidth(szTitle, lDpi)) << szTitle;

        ClickButton(main.Button("&Add..."));
        const ModEditor ed{corvane.WaitForWindow("Add Mod...")};
        ASSERT_TRUE(ed.h);
        ClickButton(ed.Button("&Add Folder"));
        HWND hChooser = corvane.WaitForWindow("Choose location to place folder");
        ASSERT_TRUE(hChooser);
        RECT rcWork{}, rcChooser{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
        GetWindowRect(hChooser, &rcChooser);
        EXPECT_TRUE(rcChooser.bottom <= rcWork.bottom && rcChooser.right <= rcWork.right) << "the whole chooser shown";
        HWND hFolders = ChildOfClass(hChooser, "ListBox");
        const int lOpen = ListSelection(hFolders);
        ASSERT_EQ(lOpen, FindListEntry(hFolders, "Generals")) << "it opens in Generals' folder";
        RECT rc{};
        SendMessageA(hFolders, LB_GETITEMRECT, lOpen, reinterpret_cast<LPARAM>(&rc));
        EXPECT_TRUE(PumpUntil([&] {
            return OnScreen(hFolders, {rc.right - 4, (rc.top + rc.bottom) / 2}) == GetSysColor(COLOR_HIGHLIGHT) &&
                   OnScreen(hFolders, {rc.right - 4, rc.bottom + (rc.bottom - rc.top) * 2}) == GetSysColor(COLOR_WINDOW);
        }, 6000)) << "the open folder highlighted in the chooser's list, on the screen";
    }
}

}  // namespace
}  // namespace corvane::test
