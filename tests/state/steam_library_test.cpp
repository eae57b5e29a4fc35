// Steam's library list in both its forms and its app manifests: where a
// Steam game's folder is looked for, and nothing at all from damaged text.
#include "state/steam_library.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(SteamLibraries, ReadBothFormsAndGiveTheLibrariesToLookInForAnApp) {
    // Blocks nested n deep inside the list: the reader descends to its limit, and no further.
    const auto nested = [](int n) { std::string sz; while (n--) sz = "\"k\" { " + sz + "}"; return sz; };
    const struct {
        const char* szWhat;
        std::string szVdf;
        std::vector<std::string> zeroHour;  // where Zero Hour is looked for, Steam being in C:\Steam
    } kCases[] = {
        {"current form: the libraries that list the app, then Steam's own folder, then the others",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"C:\\\\Program Files (x86)\\\\Steam\"\n\t\t\"label\"\t\t\"\"\n"
         "\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"29212173\"\n\t\t}\n\t}\n\t\"1\" { \"path\" \"D:\\\\Lib \\\"2\\\"\\\\\" "
         "\"apps\" { \"2732960\" \"1342177280\" \"2229870\" \"1\" } }\n}\n",
         {"D:\\Lib \"2\"", "C:\\Steam", "C:\\Program Files (x86)\\Steam"}},
        {"older form: Steam's own folder, then every library once",
         "\"LibraryFolders\" { \"TimeNextStatsReport\" \"1690000000\" \"1\" \"E:\\\\SteamLibrary\" // moved\n"
         "\"2\" \"c:\\\\steam\" \"3\" \"F:\\\\More\" }",
         {"C:\\Steam", "E:\\SteamLibrary", "F:\\More"}},
        {"no file", "", {"C:\\Steam"}},
        {"unclosed quote", "\"libraryfolders\" { \"1\" \"E:\\\\Lib", {"C:\\Steam"}},
        {"unclosed block", "\"libraryfolders\" { \"1\" \"E:\\\\Lib\"", {"C:\\Steam"}},
        {"stray brace", "\"libraryfolders\" { \"1\" \"E:\\\\Lib\" } }", {"C:\\Steam"}},
        {"nested as deep as the reader goes", "\"libraryfolders\" { \"1\" \"E:\\\\Lib\" " + nested(30) + "}",
         {"C:\\Steam", "E:\\Lib"}},
        {"nested beyond any Steam file", "\"libraryfolders\" { \"1\" \"E:\\\\Lib\" " + nested(31) + "}", {"C:\\Steam"}},
        {"binary", std::string("\0\xff{\"\x01", 5), {"C:\\Steam"}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(LibrariesForApp(ReadLibraryFolders(c.szVdf), "C:\\Steam\\", kSteamZeroHourApp), c.zeroHour) << c.szWhat;
    }
}

TEST(SteamLibraries, AnAppManifestNamesTheGamesFolder) {
    const std::pair<std::string, std::string> kCases[] = {
        {"\"AppState\"\n{\n\t\"appid\"\t\t\"2732960\"\n\t\"installdir\"\t\t\"C&C - Zero Hour\"\n\t\"UserConfig\" { }\n}\n",
         "C&C - Zero Hour"},
        {"\"appstate\" { \"INSTALLDIR\" \"Zero Hour\" }", "Zero Hour"},
        {"\"AppState\" { \"appid\" \"2732960\" }", ""},
        {"\"AppState\" { \"installdir\" \"Zero Hour", ""},
    };
    for (const auto& [szAcf, szDir] : kCases) EXPECT_EQ(ReadInstallDir(szAcf), szDir) << szAcf;
}

}  // namespace
}  // namespace corvane
