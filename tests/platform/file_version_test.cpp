// A program file's version as its version resource gives it, read without
// version.dll; anything that is not a program with a version gives none.
// Corvane.exe's resource also carries what players see in Explorer.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32.h"
#include "platform/win_file_version.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// As Explorer reads it, through version.dll.
std::string VersionString(const std::string& szName) {
    std::vector<char> info(GetFileVersionInfoSizeA(CORVANE_TEST_CORVANE_EXE, nullptr));
    char* pValue = nullptr;
    UINT lLength = 0;
    if (info.empty() || !GetFileVersionInfoA(CORVANE_TEST_CORVANE_EXE, 0, static_cast<DWORD>(info.size()), info.data()) ||
        !VerQueryValueA(info.data(), ("\\StringFileInfo\\040904B0\\" + szName).c_str(), reinterpret_cast<void**>(&pValue),
                        &lLength) || !pValue)
        return "<missing>";
    return pValue;
}

TEST(FileVersionsTest, ReadTheFirstTwoPartsOfAProgramsVersionAndNothingFromOtherFiles) {
    test::TempFolder folder;
    test::WriteBytes(folder / "readme.txt", "MZ but no program");
    WinFileVersions versions;
    const std::optional<FileVersion> corvane = versions.Of(CORVANE_TEST_CORVANE_EXE);
    ASSERT_TRUE(corvane);
    EXPECT_EQ(corvane->dMajor, 1);
    EXPECT_EQ(corvane->dMinor, 3);
    for (const std::string& szPath : {std::string(CORVANE_TEST_STAND_IN_GAME), folder / "readme.txt", folder / "none.exe"})
        EXPECT_FALSE(versions.Of(szPath)) << szPath;
    for (const auto& [szName, szValue] : {std::pair{"FileDescription", "Corvane"}, {"ProductName", "Corvane"},
                                          {"FileVersion", "1.03.0001"}, {"ProductVersion", "1.03.0001"},
                                          {"Comments", "Allows the easy swapping of Generals Mods, just copy your "
                                                       "mod to a sub-directory of Corvane."}})
        EXPECT_EQ(VersionString(szName), szValue);
}

}  // namespace
}  // namespace corvane
