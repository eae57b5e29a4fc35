#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/app_info.h"

namespace corvane {
namespace {

// The mods and the configuration files live beside the program, so its
// folder is where everything else is looked for.
TEST(AppInfoTest, TheProgramFolderDropsTheFileNameAndKeepsOnlyADriveRootsBackslash) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Games\\Corvane\\Corvane.exe", "C:\\Games\\Corvane"},
        {"C:\\Corvane.exe", "C:\\"},
        {"\\\\server\\share\\Corvane.exe", "\\\\server\\share"},
        {"Z:\\tmp\\a b\\Corvane.exe", "Z:\\tmp\\a b"},
    };
    for (const auto& [szProgramFile, szFolder] : cases) EXPECT_EQ(FolderOfProgramFile(szProgramFile), szFolder);
}

}  // namespace
}  // namespace corvane
