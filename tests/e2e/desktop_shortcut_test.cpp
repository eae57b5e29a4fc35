// A desktop shortcut made from a mod's menu in the main window, read back
// through the shell's link object and then started as a double click starts
// it: it plays that mod with the game and switches chosen, on the silent road.
#include "e2e/e2e_fixture.h"
// After the Windows header, which they need.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace corvane::test {
namespace {

// The prefix's desktop may be a link to the desktop of whoever runs the
// tests: for one test the shell gives a scratch folder instead.
class ScratchDesktop {
public:
    ScratchDesktop() {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                        nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &hKey, nullptr);
        bHadValue = RegQueryValueExA(hKey, "Desktop", nullptr, &lType, oldValue, &lSize) == ERROR_SUCCESS;
        RegSetValueExA(hKey, "Desktop", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.Path().c_str()),
                       static_cast<DWORD>(folder.Path().size() + 1));
    }
    ~ScratchDesktop() {
        if (bHadValue) RegSetValueExA(hKey, "Desktop", 0, lType, oldValue, lSize);
        else RegDeleteValueA(hKey, "Desktop");
        RegCloseKey(hKey);
    }
    // Checked before anything may write there.
    bool Active() const {
        char szDesktop[MAX_PATH] = {};
        SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, szDesktop);
        return lstrcmpiA(szDesktop, folder.Path().c_str()) == 0;
    }
    TempFolder folder;

private:
    HKEY hKey = nullptr;
    bool bHadValue = false;
    DWORD lType = 0, lSize = MAX_PATH;
    BYTE oldValue[MAX_PATH] = {};
};

// Target, arguments, working folder and icon, as the shell reads them.
Lines ReadShellLink(const std::string& szPath) {
    Lines fields;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(std::wstring(szPath.begin(), szPath.end()).c_str(), STGM_READ))) {
        char sz[4][MAX_PATH] = {};
        int lIcon = -1;
        link->GetPath(sz[0], MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetArguments(sz[1], MAX_PATH);
        link->GetWorkingDirectory(sz[2], MAX_PATH);
        link->GetIconLocation(sz[3], MAX_PATH, &lIcon);
        fields = {sz[0], sz[1], sz[2], sz[3] + std::string(",") + std::to_string(lIcon)};
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return fields;
}

class PlayFromTheDesktop : public CorvaneRunTest {};

TEST_F(PlayFromTheDesktop, AShortcutMadeFromAModsMenuPlaysThatModWithTheGameAndSwitchesChosen) {
    InstallZeroHour();
    WriteBytes(program / "HD Skies\\Data\\INI\\GameData.ini", "; the mod's sky\r\n");
    ScratchDesktop desktop;
    ASSERT_TRUE(desktop.Active()) << "no shortcut may land on a real desktop";
    const std::string szLink = desktop.folder / "HD Skies (Zero Hour).lnk";
    {
        CorvaneProcess corvane(program.Path(), "", work.Path());
        HWND hMain = corvane.WaitForWindow("Generals Corvane");
        ASSERT_TRUE(hMain);
        for (const char* szBox : {"Run In Window", "No Music"}) ClickButton(ChildWithText(hMain, "Button", szBox));
        RightClickListEntry(ChildOfClass(hMain, "ListBox", 1), 0);
        HWND hMenu = WaitForPopupMenu(corvane.Id());
        ASSERT_TRUE(hMenu);
        ChooseMenuItem(hMenu, 0);
        EXPECT_TRUE(PumpUntil([&] { return Present(szLink); }, 5000));
        PostMessageA(hMain, WM_CLOSE, 0, 0);
        EXPECT_TRUE(corvane.WaitForExit(5000));
    }
    const std::string szCorvane = program / "Corvane.exe";
    EXPECT_EQ(ReadShellLink(szLink),
              (Lines{szCorvane, "-PLAY ZeroHour \"HD Skies\" -- -nomusic -win", program.Path(), szCorvane + ",0"}));

    const TreeSnapshot before = SnapshotTree(zeroHour.Path());
    ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", szLink.c_str(), nullptr, nullptr, SW_SHOWNORMAL)), 32);
    // The game's command line is what Start Game builds for the same choice.
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, zeroHour / "Generals.exe -nomusic -win");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini"), "; the mod's sky\r\n");

    HWND hLaunch = nullptr;
    PumpUntil([&] { return (hLaunch = FindWindowA(nullptr, "Launching...")) != nullptr; });
    ASSERT_TRUE(hLaunch);
    EXPECT_FALSE(WaitForTopLevel("Generals Corvane", ProcessOf(hLaunch), nullptr, 0)) << "no main window on this road";
    ReleaseGame();
    WaitForLastLine(ChildOfClass(hLaunch, "ListBox"), "END");
    EXPECT_EQ(SnapshotTree(zeroHour.Path()), before);
    ClickButton(ChildWithText(hLaunch, "Button", "&Close"));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hLaunch); }, 5000));
}

}  // namespace
}  // namespace corvane::test
