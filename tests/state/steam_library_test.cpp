// Steam's library list in both its forms and its app manifests: where a
// Steam game's folder is looked for, and nothing at all from damaged text.
#include "state/steam_library.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Paths = std::vector<std::string>;

// Each library as "path[app,app]", or "path" in the older form.
std::string Described(const std::vector<SteamLibrary>& libraries) {
    std::string szText;
    for (const SteamLibrary& library : libraries) {
        szText += (szText.empty() ? "" : "|") + library.szPath;
        if (!library.bListsApps) continue;
        szText += "[";
        for (const std::string& szApp : library.szApps) szText += szApp + (&szApp == &library.szApps.back() ? "" : ",");
        szText += "]";
    }
    return szText;
}

TEST(SteamLibraries, ReadBothFormsAndGiveTheLibrariesToLookInForAnApp) {
    const std::string kCurrent = R"("libraryfolders"
{
	"0"
	{
		"path"		"C:\\Program Files (x86)\\Steam"
		"label"		""
		"apps"
		{
			"228980"		"29212173"
		}
	}
	"1"
	{
		"path"		"D:\\Games\\Lib \"2\"\\"
		"apps"
		{
			"2732960"		"1342177280"
			"2229870"		"1"
		}
	}
})";
    const std::string kOlder = "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1690000000\"\n"
                               "\t\"ContentStatsID\"\t\t\"-5\"\n\t\"1\"\t\t\"E:\\\\SteamLibrary\" // moved\n"
                               "\t\"2\"\t\t\"c:\\\\steam\"\n\t\"3\"\t\t\"F:\\\\More\"\n}\n";
    const struct {
        const char* szWhat;
        std::string szVdf;
        std::string szLibraries;
        Paths zeroHour;  // where Zero Hour is looked for, Steam being in C:\Steam
    } kCases[] = {
        {"current form: the libraries that list the app", kCurrent,
         "C:\\Program Files (x86)\\Steam[228980]|D:\\Games\\Lib \"2\"[2732960,2229870]", {"D:\\Games\\Lib \"2\""}},
        {"older form: Steam's own folder, then every library once", kOlder, "E:\\SteamLibrary|c:\\steam|F:\\More",
         {"C:\\Steam", "E:\\SteamLibrary", "F:\\More"}},
        {"current form, the app in no library", "\"libraryfolders\"{\"0\"{\"path\" \"C:\\\\Steam\" \"apps\"{}}}",
         "C:\\Steam[]", {}},
        {"no file", "", "", {"C:\\Steam"}},
        {"unclosed quote", "\"libraryfolders\" { \"1\" \"E:\\\\Lib", "", {"C:\\Steam"}},
        {"unclosed block", "\"libraryfolders\" { \"1\" \"E:\\\\Lib\"", "", {"C:\\Steam"}},
        {"stray brace", "\"libraryfolders\" { \"1\" \"E:\\\\Lib\" } }", "", {"C:\\Steam"}},
        {"nested beyond any Steam file", "\"libraryfolders\" " + std::string(40, '{') + std::string(40, '}'), "",
         {"C:\\Steam"}},
        {"binary", std::string("\0\xff{\"\x01", 5), "", {"C:\\Steam"}},
    };
    for (const auto& c : kCases) {
        const std::vector<SteamLibrary> libraries = ReadLibraryFolders(c.szVdf);
        EXPECT_EQ(Described(libraries), c.szLibraries) << c.szWhat;
        EXPECT_EQ(LibrariesForApp(libraries, "C:\\Steam\\", kSteamZeroHourApp), c.zeroHour) << c.szWhat;
    }
}

TEST(SteamLibraries, AnAppManifestNamesTheGamesFolder) {
    const std::pair<std::string, std::string> kCases[] = {
        {"\"AppState\"\n{\n\t\"appid\"\t\t\"2732960\"\n\t\"name\"\t\t\"Command & Conquer\\u2122 Generals Zero Hour\"\n"
         "\t\"installdir\"\t\t\"Command & Conquer Generals - Zero Hour\"\n\t\"UserConfig\"\n\t{\n\t}\n}\n",
         "Command & Conquer Generals - Zero Hour"},
        {"\"appstate\" { \"INSTALLDIR\" \"Zero Hour\" }", "Zero Hour"},
        {"\"AppState\" { \"appid\" \"2732960\" }", ""},
        {"\"AppState\" { \"installdir\" { } }", ""},
        {"\"AppState\" { \"installdir\" \"Zero Hour", ""},
    };
    for (const auto& [szAcf, szDir] : kCases) EXPECT_EQ(ReadInstallDir(szAcf), szDir) << szAcf;
}

}  // namespace
}  // namespace corvane
