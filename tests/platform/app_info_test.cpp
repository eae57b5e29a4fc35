#include <gtest/gtest.h>

#include <string>

#include "platform/app_info.h"
#include "platform/win32.h"
#include "platform/win_process.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

constexpr char kReportVariable[] = "CORVANE_TEST_APP_INFO_REPORT";

TEST(AppInfoTest, FolderOfProgramFileDropsTheNameAndKeepsOnlyADriveRootsBackslash) {
    struct Case {
        const char* szProgramFile;
        const char* szFolder;
    };
    const Case cases[] = {
        {"C:\\Games\\Corvane\\Corvane.exe", "C:\\Games\\Corvane"},
        {"C:\\Corvane.exe", "C:\\"},
        {"\\\\server\\share\\Corvane.exe", "\\\\server\\share"},
        {"Z:\\tmp\\a b\\Corvane.exe", "Z:\\tmp\\a b"},
    };
    for (const Case& c : cases) EXPECT_EQ(FolderOfProgramFile(c.szProgramFile), c.szFolder);
}

TEST(AppInfoTest, AppPathIsThisProgramsFolderWithoutATrailingBackslash) {
    const std::string szAppPath = AppPath();
    ASSERT_FALSE(szAppPath.empty());
    EXPECT_NE(szAppPath.back(), '\\');
    EXPECT_TRUE(test::Present(szAppPath + "\\platform_tests.exe")) << szAppPath;
}

// Run only as the child of the next test: reports what the program sees of
// itself when started with a known command line.
TEST(AppInfoChild, ReportArgumentText) {
    char szReport[MAX_PATH] = {};
    if (!GetEnvironmentVariableA(kReportVariable, szReport, sizeof(szReport)))
        GTEST_SKIP() << "started by AppInfoTest.ArgumentTextIsTheCommandLineWithoutTheProgram only";
    test::WriteBytes(szReport, ArgumentText());
}

TEST(AppInfoTest, ArgumentTextIsTheCommandLineWithoutTheProgram) {
    test::TempFolder temp;
    const std::string szReport = temp / "arguments.txt";
    test::ScopedEnvironment report(kReportVariable, szReport);
    const std::string szArguments = "--gtest_filter=AppInfoChild.*  -SILENT \"My Mod\" ";
    // Quoted with blanks, and bare; the program folder has no blanks.
    const std::string szExe = AppPath() + "\\platform_tests.exe";
    std::string szQuoted = "\"";
    szQuoted.append(szExe).append("\"  ");
    for (const std::string& szProgram : {szQuoted, szExe + " "}) {
        SCOPED_TRACE(szProgram);
        DeleteFileA(szReport.c_str());
        const auto child = WinProcessStarter().Start(szProgram + szArguments);
        const ULONGLONG lDeadline = GetTickCount64() + 20000;
        while (!child->Poll().bEnded && GetTickCount64() < lDeadline) Sleep(20);
        ASSERT_TRUE(test::Present(szReport));
        EXPECT_EQ(test::ReadBytes(szReport), szArguments);
    }
}

TEST(AppInfoTest, FindTopLevelWindowLooksForTheWholeTitleOfTopLevelWindowsOnly) {
    const std::string szTitle = "Corvane search " + std::to_string(GetTickCount64());
    const std::string szChildTitle = szTitle + " child";
    HWND hTop = CreateWindowExA(0, "STATIC", szTitle.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hTop, nullptr);
    HWND hChild = CreateWindowExA(0, "STATIC", szChildTitle.c_str(), WS_CHILD, 0, 0, 10, 10, hTop,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(hChild, nullptr);

    std::string szUpper = szTitle;
    for (char& c : szUpper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(FindTopLevelWindow(szTitle));
    EXPECT_TRUE(FindTopLevelWindow(szUpper));
    EXPECT_FALSE(FindTopLevelWindow(szTitle.substr(0, szTitle.size() - 1)));
    EXPECT_FALSE(FindTopLevelWindow(szChildTitle));
    DestroyWindow(hTop);
    EXPECT_FALSE(FindTopLevelWindow(szTitle));
}

}  // namespace
}  // namespace corvane
