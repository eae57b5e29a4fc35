// A desktop shortcut made from a mod's menu in the main window, read back
// through the shell's link object and then started as a double click starts
// it: it plays that mod with the game and switches chosen, on the silent road.
#include "e2e/e2e_fixture.h"
#include "support/scratch_desktop.h"
// After the Windows header, which they need.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace corvane::test {
namespace {

struct ShellLinkFields {
    std::string szTarget, szArguments, szWorkingFolder, szIconFile;
    int lIconIndex = -1;
};

ShellLinkFields ReadShellLink(const std::string& szPath) {
    ShellLinkFields fields;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(std::wstring(szPath.begin(), szPath.end()).c_str(), STGM_READ))) {
        char szText[1024] = {};
        link->GetPath(szText, sizeof(szText), nullptr, SLGP_RAWPATH);
        fields.szTarget = szText;
        link->GetArguments(szText, sizeof(szText));
        fields.szArguments = szText;
        link->GetWorkingDirectory(szText, sizeof(szText));
        fields.szWorkingFolder = szText;
        link->GetIconLocation(szText, sizeof(szText), &fields.lIconIndex);
        fields.szIconFile = szText;
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return fields;
}

// Ends, when the test does, a program it did not start itself.
struct ProcessOfWindow {
    explicit ProcessOfWindow(HWND hwnd) : hProcess(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, ProcessOf(hwnd))) {}
    ~ProcessOfWindow() {
        if (!hProcess) return;
        if (WaitForSingleObject(hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(hProcess, 1);
        CloseHandle(hProcess);
    }
    bool WaitForExit(unsigned lTimeoutMs) const { return WaitForSingleObject(hProcess, lTimeoutMs) == WAIT_OBJECT_0; }
    HANDLE hProcess;
};

class PlayFromTheDesktop : public CorvaneRunTest {};

TEST_F(PlayFromTheDesktop, AShortcutMadeFromAModsMenuPlaysThatModWithTheGameAndSwitchesChosen) {
    InstallZeroHour();
    WriteBytes(program / "HD Skies\\Data\\INI\\GameData.ini", "; the mod's sky\r\n");
    WriteBytes(program / "HD Skies\\Data\\Art\\sky.tga", "TGA sky");
    ScratchDesktop desktop;
    ASSERT_TRUE(desktop.Active()) << "no shortcut may land on a real desktop";
    const std::string szLink = desktop.Folder() / "HD Skies (Zero Hour).lnk";
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
    const ShellLinkFields link = ReadShellLink(szLink);
    EXPECT_EQ(link.szTarget, szCorvane);
    EXPECT_EQ(link.szArguments, "-PLAY ZeroHour \"HD Skies\" -- -nomusic -win");
    EXPECT_EQ(link.szWorkingFolder, program.Path());
    EXPECT_EQ(std::pair(link.szIconFile, link.lIconIndex), std::pair(szCorvane, 0));

    const TreeSnapshot before = SnapshotTree(zeroHour.Path());
    ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", szLink.c_str(), nullptr, nullptr, SW_SHOWNORMAL)), 32);
    // The game's command line is what Start Game builds for the same choice.
    const StandInReport report = WaitForStandInReport(szReport);
    EXPECT_EQ(report.szCommandLine, zeroHour / "Generals.exe -nomusic -win");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini"), "; the mod's sky\r\n");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini.original"), before.at("Data\\INI\\GameData.ini"));
    EXPECT_EQ(report.gameFolder.at("Data\\Art\\sky.tga"), "TGA sky");

    HWND hLaunch = nullptr;
    PumpUntil([&] { return (hLaunch = FindWindowA(nullptr, "Launching...")) != nullptr; });
    ASSERT_TRUE(hLaunch);
    const ProcessOfWindow corvane(hLaunch);
    EXPECT_FALSE(WaitForTopLevel("Generals Corvane", ProcessOf(hLaunch), nullptr, 0)) << "no main window on this road";
    ReleaseGame();
    const Lines log = WaitForLastLine(ChildOfClass(hLaunch, "ListBox"), "END");
    EXPECT_TRUE(!log.empty() && log.back() == "END") << "the restore ended";
    EXPECT_EQ(SnapshotTree(zeroHour.Path()), before);
    ClickButton(ChildWithText(hLaunch, "Button", "&Close"));
    EXPECT_TRUE(corvane.WaitForExit(5000));
}

}  // namespace
}  // namespace corvane::test
