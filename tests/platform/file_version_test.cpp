// A program file's version as its version resource gives it, read without
// version.dll; anything that is not a program with a version gives none.
#include <gtest/gtest.h>

#include "platform/win_file_version.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

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
}

}  // namespace
}  // namespace corvane
