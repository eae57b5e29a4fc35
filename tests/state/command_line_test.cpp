#include "platform/argument_text.h"
#include "state/command_line.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CommandLine, SilentNamesTheConfigurationFromTheNinthCharacter) {
    const struct {
        const char *szArguments, *szAppPath, *szExpected;  // "" = normal mode
    } cases[] = {
        {"-SILENT MyMod", "C:\\Corvane", "C:\\Corvane\\MyMod.zcf"},
        {"-silent MyMod", "C:\\Corvane", "C:\\Corvane\\MyMod.zcf"},
        {"-SiLeNt MyMod", "C:\\Corvane", "C:\\Corvane\\MyMod.zcf"},
        // Inner blanks, quotes and trailing blanks stay in the name.
        {"-SILENT My Mod", "C:\\Corvane", "C:\\Corvane\\My Mod.zcf"},
        {"-SILENT \"My Mod\"", "C:\\C", "C:\\C\\\"My Mod\".zcf"},
        {"-SILENT MyMod ", "C:\\C", "C:\\C\\MyMod .zcf"},
        // The switch alone names ".zcf".
        {"-SILENT", "C:\\Corvane", "C:\\Corvane\\.zcf"},
        {"-SILENT ", "C:\\Corvane", "C:\\Corvane\\.zcf"},
        // The ninth character is taken wherever the switch stands.
        {"MyMod -SILENT", "C:\\Corvane", "C:\\Corvane\\ILENT.zcf"},
        // A program in a drive root gives two backslashes in a row.
        {"-SILENT MyMod", "C:\\", "C:\\\\MyMod.zcf"},
        // Without the switch: normal mode, whatever else is there.
        {"", "C:\\Corvane", ""}, {"MyMod", "C:\\Corvane", ""}, {"-SILEN MyMod", "C:\\Corvane", ""},
        {"/SILENT MyMod", "C:\\Corvane", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(SilentConfigPath(c.szArguments, c.szAppPath), c.szExpected) << c.szArguments;
}

TEST(CommandLine, InstallTakesTheRestAsTheArchiveWithoutItsQuotes) {
    const std::pair<const char*, const char*> cases[] = {
        {"-INSTALL \"C:\\Downloads\\My Mod 1.0.7z\" ", "C:\\Downloads\\My Mod 1.0.7z"},
        {"-install   C:\\a b.zip", "C:\\a b.zip"},
        {"-INSTALL", ""},
    };
    for (const auto& [szArguments, szArchive] : cases) EXPECT_EQ(InstallArchive(szArguments), szArchive) << szArguments;
}

TEST(CommandLine, ArgumentTextDropsTheProgramNameAndLeadingBlanksOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"Corvane.exe -SILENT MyMod", "-SILENT MyMod"},
        {"\"C:\\Program Files\\Corvane\\Corvane.exe\" -SILENT My Mod", "-SILENT My Mod"},
        {"\"C:\\Corvane.exe\"-silent x", "-silent x"},
        {"Corvane.exe    \t -SILENT  \"A  B\"  ", "-SILENT  \"A  B\"  "},
        {"Corvane.exe", ""}, {"Corvane.exe   ", ""}, {"\"C:\\Corvane.exe", ""}, {"", ""},
    };
    for (const auto& [szCommandLine, szExpected] : cases) EXPECT_EQ(ArgumentTextOf(szCommandLine), szExpected) << szCommandLine;
}

}  // namespace
}  // namespace corvane
