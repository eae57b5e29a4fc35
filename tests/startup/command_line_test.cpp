#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct SilentCase {
    const char* szArguments;
    const char* szAppPath;
    const char* szExpected;  // "" = normal mode
};

void PrintTo(const SilentCase& c, std::ostream* os) { *os << '[' << c.szArguments << ']'; }

class SilentConfigPathTest : public ::testing::TestWithParam<SilentCase> {};

TEST_P(SilentConfigPathTest, NamesTheConfigurationFromTheNinthCharacter) {
    const SilentCase& c = GetParam();
    EXPECT_EQ(SilentConfigPath(c.szArguments, c.szAppPath), c.szExpected);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SilentConfigPathTest,
    ::testing::Values(
        SilentCase{"-SILENT MyMod", "C:\\Corvane", "C:\\Corvane\\MyMod.zcf"},
        SilentCase{"-silent MyMod", "C:\\Corvane", "C:\\Corvane\\MyMod.zcf"},
        SilentCase{"-SiLeNt MyMod", "C:\\Corvane", "C:\\Corvane\\MyMod.zcf"},
        // Inner blanks, quotes and trailing blanks stay in the name.
        SilentCase{"-SILENT My Mod", "C:\\Corvane", "C:\\Corvane\\My Mod.zcf"},
        SilentCase{"-SILENT \"My Mod\"", "C:\\C", "C:\\C\\\"My Mod\".zcf"},
        SilentCase{"-SILENT MyMod ", "C:\\C", "C:\\C\\MyMod .zcf"},
        // The switch alone names ".zcf".
        SilentCase{"-SILENT", "C:\\Corvane", "C:\\Corvane\\.zcf"},
        SilentCase{"-SILENT ", "C:\\Corvane", "C:\\Corvane\\.zcf"},
        // The ninth character is taken wherever the switch stands.
        SilentCase{"MyMod -SILENT", "C:\\Corvane", "C:\\Corvane\\ILENT.zcf"},
        // A program in a drive root gives two backslashes in a row.
        SilentCase{"-SILENT MyMod", "C:\\", "C:\\\\MyMod.zcf"},
        // Without the switch: normal mode, whatever else is there.
        SilentCase{"", "C:\\Corvane", ""}, SilentCase{"MyMod", "C:\\Corvane", ""},
        SilentCase{"-SILEN MyMod", "C:\\Corvane", ""},
        SilentCase{"/SILENT MyMod", "C:\\Corvane", ""}));

struct ArgumentCase {
    const char* szCommandLine;
    const char* szExpected;
};

void PrintTo(const ArgumentCase& c, std::ostream* os) { *os << '[' << c.szCommandLine << ']'; }

class ArgumentTextTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentTextTest, DropsTheProgramNameAndLeadingBlanksOnly) {
    EXPECT_EQ(ArgumentTextOf(GetParam().szCommandLine), GetParam().szExpected);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ArgumentTextTest,
    ::testing::Values(ArgumentCase{"Corvane.exe -SILENT MyMod", "-SILENT MyMod"},
                      ArgumentCase{"\"C:\\Program Files\\Corvane\\Corvane.exe\" -SILENT My Mod",
                                   "-SILENT My Mod"},
                      ArgumentCase{"\"C:\\Corvane.exe\"-silent x", "-silent x"},
                      ArgumentCase{"Corvane.exe    \t -SILENT  \"A  B\"  ", "-SILENT  \"A  B\"  "},
                      ArgumentCase{"Corvane.exe", ""}, ArgumentCase{"Corvane.exe   ", ""},
                      ArgumentCase{"\"C:\\Corvane.exe", ""}, ArgumentCase{"", ""}));

}  // namespace
}  // namespace corvane
