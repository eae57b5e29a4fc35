// Editions Corvane finds without the retail key: Zero Hour bought on Steam
// in a second library, a mod written for the retail folders swapped into it
// and taken out again; Generals under the current user's key and Zero Hour
// in Origin's folder, listed whole on a scaled display, where the folder
// chooser paints.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "e2e/e2e_fixture.h"
#include "ui/dpi.h"

namespace corvane::test {
namespace {

using Editions = CorvaneRunTest;

std::string Escaped(const std::string& szPath) {
    std::string szText;
    for (char c : szPath) szText += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return szText;
}

// The main window's game list and mod list, as the player sees them.
struct MainWindow {
    HWND h;
    HWND Games() const { return ChildOfClass(h, "ListBox", 0); }
    HWND Mods() const { return ChildOfClass(h, "ListBox", 1); }
    HWND Button(const char* szCaption) const { return ChildWithText(h, "Button", szCaption); }
};

TEST_F(Editions, ZeroHourOnlyOnSteamInASecondLibraryTakesAModWrittenForTheRetailFolders) {
    const std::string szSteam = game / "Steam", szLibrary = game / "Library 2";
    const std::string Z = szLibrary + "\\steamapps\\common\\Command & Conquer Generals - Zero Hour";
    PlaceGame(Z, "generals.exe");
    WriteBytes(Z + "\\ZH_Generals\\Data\\INI\\Weapon.ini", "Generals' weapons\r\n");
    WriteBytes(szSteam + "\\steamapps\\libraryfolders.vdf",
               "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + Escaped(szSteam) + "\"\n\t\t\"apps\"\n\t\t{\n"
               "\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + Escaped(szLibrary) +
               "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"2732960\"\t\t\"2\"\n\t\t}\n\t}\n}\n");
    WriteBytes(szLibrary + "\\steamapps\\appmanifest_2732960.acf",
               "\"AppState\"\n{\n\t\"appid\"\t\t\"2732960\"\n\t\"installdir\"\t\t\"Command & Conquer Generals - Zero Hour\"\n}\n");
    ScratchRegistryKey steam(RegistryView::k32Bit, "Software\\Valve\\Steam", HKEY_CURRENT_USER);
    std::string szSteamPath = szSteam;
    std::replace(szSteamPath.begin(), szSteamPath.end(), '\\', '/');
    steam.SetText("SteamPath", szSteamPath);

    WriteBytes(mods / "Data\\INI\\GameData.ini", "; the mod's settings\r\n");
    WriteBytes(mods / "Weapon.ini", "the mod's weapons\r\n");
    WriteBytes(program / "Retail.zcf",
               "Location=" + mods / "Retail.big" + "\r\n[Folder]\r\nSource=" + mods / "Data\\INI\\GameData.ini" +
                   "\r\nDestination=C:\\Program Files\\EA Games\\Command & Conquer Generals Zero Hour\\Data\\INI\r\n"
                   "[Folder]\r\nSource=" + mods / "Weapon.ini" +
                   "\r\nDestination=C:\\Program Files\\EA Games\\Command and Conquer Generals\\Data\\INI\r\n");
    const TreeSnapshot before = SnapshotTree(Z);

    CorvaneProcess corvane(program.Path(), "", work.Path());
    const MainWindow main{corvane.WaitForWindow("Generals Corvane")};
    ASSERT_TRUE(main.h);
    EXPECT_EQ(ListLines(main.Games()), (Lines{"Zero Hour Generals Expansion Version 1.04", "Zero Hour WorldBuilder Version 1.04"}));
    EXPECT_NE(ReadBytes(program / "Corvane.log")
                  .find("Found Zero Hour Generals Expansion Version 1.04 in " + Z + "\\ (Steam library " + szLibrary +
                        ", app 2732960; version of the last release)\r\n"),
              std::string::npos)
        << ReadBytes(program / "Corvane.log");

    ClickListEntry(main.Mods(), FindListEntry(main.Mods(), "Retail"));
    ClickButton(main.Button("Start &Game"));
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szGameFolder, Z);
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini"), "; the mod's settings\r\n");
    EXPECT_EQ(report.gameFolder.at("ZH_Generals\\Data\\INI\\Weapon.ini"), "the mod's weapons\r\n");
    HWND hLaunch = corvane.WaitForWindow("Launching...");
    ASSERT_TRUE(hLaunch);
    ReleaseGame();
    EXPECT_EQ(WaitForLastLine(ChildOfClass(hLaunch, "ListBox"), "END").back(), "END");
    EXPECT_EQ(SnapshotTree(Z), before);
}

// The desktop's scaling as Wine reads it when a program starts, put back
// when the test ends.
class DesktopScaling {
public:
    explicit DesktopScaling(DWORD lDpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        DWORD lSize = sizeof(lOldDpi);
        bHadValue = RegQueryValueExA(hKey, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&lOldDpi), &lSize) == 0;
        RegSetValueExA(hKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&lDpi), sizeof(lDpi));
    }
    ~DesktopScaling() {
        if (bHadValue)
            RegSetValueExA(hKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&lOldDpi), sizeof(lOldDpi));
        else
            RegDeleteValueA(hKey, "LogPixels");
        RegCloseKey(hKey);
    }

private:
    HKEY hKey = nullptr;
    DWORD lOldDpi = 0;
    bool bHadValue = false;
};

// The share of the screen's pixels within a part of the window's client
// area that have about that colour. Read from the screen itself, so a
// window that never painted counts as black.
double ShareOnScreen(HWND hwnd, RECT rc, COLORREF lColour) {
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    rc.right = std::min<LONG>(rc.right, GetSystemMetrics(SM_CXSCREEN));
    rc.bottom = std::min<LONG>(rc.bottom, GetSystemMetrics(SM_CYSCREEN));
    const int lWidth = rc.right - rc.left, lHeight = rc.bottom - rc.top;
    if (lWidth <= 0 || lHeight <= 0) return 0;
    HDC hScreen = GetDC(nullptr);
    HDC hCopy = CreateCompatibleDC(hScreen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), lWidth, -lHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hCopy, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hCopy, hBitmap);
    BitBlt(hCopy, 0, 0, lWidth, lHeight, hScreen, rc.left, rc.top, SRCCOPY);
    const auto* pPixel = static_cast<const uint8_t*>(pBits);  // blue, green, red, unused
    const auto alike = [](int a, int b) { return std::abs(a - b) <= 24; };
    size_t lAlike = 0;
    for (int i = 0; i < lWidth * lHeight; ++i, pPixel += 4)
        lAlike += alike(pPixel[0], GetBValue(lColour)) && alike(pPixel[1], GetGValue(lColour)) &&
                  alike(pPixel[2], GetRValue(lColour));
    SelectObject(hCopy, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hCopy);
    ReleaseDC(nullptr, hScreen);
    return static_cast<double>(lAlike) / (lWidth * lHeight);
}

// How wide the text is in the message font at that scaling.
int TextWidth(const std::string& szText, UINT lDpi) {
    const LOGFONTA lf = ui::MessageFontFor(lDpi);
    HFONT hFont = CreateFontIndirectA(&lf);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    SIZE size{};
    GetTextExtentPoint32A(hdc, szText.c_str(), static_cast<int>(szText.size()), &size);
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    DeleteObject(hFont);
    return size.cx;
}

TEST_F(Editions, TheCurrentUsersKeyAndOriginAreListedWholeAtScaledDisplaysWhereTheChooserPaints) {
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
        RECT rcList{};
        GetClientRect(main.Games(), &rcList);
        EXPECT_GE(rcList.right, ui::TwipsToPixels(3375, lDpi) - 8) << "the window is laid out for the scaling";
        const LRESULT lExtent = SendMessageA(main.Games(), LB_GETHORIZONTALEXTENT, 0, 0);
        for (const std::string& szTitle : titles) EXPECT_GE(lExtent, TextWidth(szTitle, lDpi)) << szTitle;

        ClickButton(main.Button("&Add..."));
        const ModEditor ed{corvane.WaitForWindow("Add Mod...")};
        ASSERT_TRUE(ed.h);
        ClickButton(ed.Button("&Add Folder"));
        HWND hChooser = corvane.WaitForWindow("Choose location to place folder");
        ASSERT_TRUE(hChooser);
        HWND hFolders = ChildOfClass(hChooser, "ListBox");
        ASSERT_EQ(ListSelection(hFolders), FindListEntry(hFolders, "Generals")) << "it opens in Generals' folder";
        RECT rcFolders{}, rcOpen{};
        GetClientRect(hFolders, &rcFolders);
        SendMessageA(hFolders, LB_GETITEMRECT, ListSelection(hFolders), reinterpret_cast<LPARAM>(&rcOpen));
        EXPECT_TRUE(PumpUntil([&] {
            return ShareOnScreen(hFolders, rcFolders, GetSysColor(COLOR_WINDOW)) > 0.5 &&
                   ShareOnScreen(hFolders, rcOpen, GetSysColor(COLOR_HIGHLIGHT)) > 0.5;
        }, 6000)) << "the chooser's folder list, its open folder highlighted, is on the screen";
    }
}

}  // namespace
}  // namespace corvane::test
