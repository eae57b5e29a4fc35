// How Corvane.exe starts: the single-instance guard, which ends the program,
// and what Explorer shows of it.
#include <vector>

#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

class Startup : public CorvaneRunTest {};

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

TEST_F(Startup, AnotherInstanceIsReportedAndNothingElseHappens) {
    InstallGenerals();
    WriteBytes(program / "MyMod.zcf", "Location=\r\n");
    WindowCaptionedCorvane other;
    ASSERT_TRUE(other.hwnd);

    for (const char* szArguments : {"", "-SILENT MyMod"}) {
        SCOPED_TRACE(szArguments);
        CorvaneProcess corvane(program.Path(), szArguments, work.Path());
        HWND hBox = nullptr;
        EXPECT_EQ(corvane.WaitForMessageBox(10000, &hBox), "Another instance of the Corvane is already running!");
        ASSERT_TRUE(hBox);
        EXPECT_EQ(WindowText(hBox), "GeneralsCorvane");
        EXPECT_FALSE(corvane.FindWindowNow("Generals Corvane"));
        EXPECT_FALSE(corvane.FindWindowNow("Launching..."));
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(corvane.WaitForExit(5000));
        EXPECT_FALSE(Present(szReport));
    }
}

std::string VersionString(const std::vector<char>& info, const std::string& szName) {
    char* pValue = nullptr;
    UINT lLength = 0;
    const std::string szQuery = "\\StringFileInfo\\040904B0\\" + szName;
    if (!VerQueryValueA(info.data(), szQuery.c_str(), reinterpret_cast<void**>(&pValue), &lLength) || !pValue)
        return "<missing>";
    return std::string(pValue);
}

TEST(CorvaneExe, CarriesTheVersionInformationPlayersSeeInExplorer) {
    const DWORD lSize = GetFileVersionInfoSizeA(CORVANE_TEST_CORVANE_EXE, nullptr);
    ASSERT_GT(lSize, 0u);
    std::vector<char> info(lSize);
    ASSERT_TRUE(GetFileVersionInfoA(CORVANE_TEST_CORVANE_EXE, 0, lSize, info.data()));
    for (const auto& [szName, szValue] : {std::pair{"FileDescription", "Corvane"}, {"ProductName", "Corvane"},
                                          {"FileVersion", "1.03.0001"}, {"ProductVersion", "1.03.0001"},
                                          {"Comments", "Allows the easy swapping of Generals Mods, just copy your "
                                                       "mod to a sub-directory of Corvane."}})
        EXPECT_EQ(VersionString(info, szName), szValue);

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT lLength = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &lLength));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1u);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 3u);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 1u);
}

}  // namespace
}  // namespace corvane::test
