#include "ui/main/main_texts.h"

#include <gtest/gtest.h>

#include <ostream>

namespace corvane {
namespace {

TEST(VersionCaption, HasNoSpaceAfterTheColonAndPlainDecimals) {
    EXPECT_EQ(VersionCaption(1, 3, 1), "Version:1.3.1");
    EXPECT_EQ(VersionCaption(10, 0, 205), "Version:10.0.205");
}

ModConfig ConfigMod(const std::string& szConfigFile, bool bFolderMod = false) {
    ModConfig mod;
    mod.szTitle = "My";
    mod.szConfigFile = szConfigFile;
    mod.bFolderMod = bFolderMod;
    return mod;
}

struct PathCase {
    const char* szWhat;
    ModConfig mod;
    const char* szListed;
    const char* szPath;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.szWhat; }

class ModFile : public testing::TestWithParam<PathCase> {};

TEST_P(ModFile, IsTheFileTheModWasReadFrom) {
    EXPECT_EQ(ModConfigPath("C:\\Corvane", GetParam().mod, GetParam().szListed), GetParam().szPath);
}

INSTANTIATE_TEST_SUITE_P(
    Mods, ModFile,
    testing::Values(
        // Listed as "My" but read from My.Mod.zcf: Remove must hit that file.
        PathCase{"name_with_a_further_dot", ConfigMod("C:\\Corvane\\My.Mod.zcf"), "My",
                 "C:\\Corvane\\My.Mod.zcf"},
        PathCase{"plain_name", ConfigMod("C:\\Corvane\\My.zcf"), "My", "C:\\Corvane\\My.zcf"},
        PathCase{"bare_file_name_lies_in_the_program_folder", ConfigMod("My.Mod.zcf"), "My",
                 "C:\\Corvane\\My.Mod.zcf"},
        PathCase{"drive_relative_kept", ConfigMod("D:My.zcf"), "My", "D:My.zcf"},
        PathCase{"no_note_uses_the_listed_title", ConfigMod(""), "My", "C:\\Corvane\\My.zcf"},
        PathCase{"folder_mod_of_the_same_title", ConfigMod("", true), "My",
                 "C:\\Corvane\\My.zcf"}),
    [](const testing::TestParamInfo<PathCase>& info) { return info.param.szWhat; });

}  // namespace
}  // namespace corvane
