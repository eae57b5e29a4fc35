// Zero Hour from Steam for Linux, as Corvane under Wine finds it with no key
// in the registry for the game or Steam: Steam in the Unix home, the game in
// a second library on another Linux file system, as on an SD card. It is
// listed, Corvane.log says where it is and that it runs in this prefix, and
// a mod written for the retail folder swaps into it and comes back byte for
// byte.
#include <algorithm>

#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

// A Unix path as Wine reaches it through drive Z:, the Linux root.
std::string ThroughZ(std::string szUnixPath) {
    std::replace(szUnixPath.begin(), szUnixPath.end(), '/', '\\');
    return "Z:" + szUnixPath;
}

class LinuxSteam : public CorvaneRunTest {
protected:
    // Wine takes the home it hands every program from HOME as the program
    // starts, and CTest starts these runs in a scratch home of their own:
    // anywhere else nothing is written.
    void SetUp() override {
        char szHomeDir[MAX_PATH + 1] = {};
        GetEnvironmentVariableA("WINEHOMEDIR", szHomeDir, MAX_PATH);
        if (szHomeDir != "\\??\\" + szHome) GTEST_SKIP() << "not in the tests' own Unix home: " << szHomeDir;
        bOwnHome = true;
        RemoveTree(szHome + "\\.local");
        const std::string szSteam = szHome + "\\.local\\share\\Steam";
        WriteBytes(szSteam + "\\steamapps\\libraryfolders.vdf",
                   "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" CORVANE_TEST_LINUX_HOME "/.local/share/Steam\"\n"
                   "\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" +
                       szSdCardUnix + "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"2732960\"\t\t\"2\"\n\t\t}\n\t}\n}\n");
        WriteBytes(szSdCard + "\\steamapps\\appmanifest_2732960.acf",
                   "\"AppState\"\n{\n\t\"appid\"\t\t\"2732960\"\n\t\"installdir\"\t\t\"Command & Conquer Generals - Zero Hour\"\n}\n");
        PlaceGame(Z, "generals.exe");
    }
    void TearDown() override {
        RemoveTree(szSdCard);
        if (bOwnHome) RemoveTree(szHome + "\\.local");
    }

    const std::string szHome = ThroughZ(CORVANE_TEST_LINUX_HOME);
    // The machine's memory file system, another one than the home's.
    const std::string szSdCardUnix = "/dev/shm/" + UniqueScratchName("corvane-sd-");
    const std::string szSdCard = ThroughZ(szSdCardUnix);
    const std::string Z = szSdCard + "\\steamapps\\common\\Command & Conquer Generals - Zero Hour";
    bool bOwnHome = false;
};

TEST_F(LinuxSteam, ZeroHourOnAnSdCardIsListedRunsInThisPrefixAndAModForTheRetailFolderComesBack) {
    const std::string kZh = "C:\\Program Files\\EA Games\\Command & Conquer Generals Zero Hour\\";
    WriteBytes(mods / "GameData.ini", "; the mod's settings\r\n");
    WriteBytes(mods / "Desert.map", "desert map\r\n");
    WriteBytes(program / "Tanks.zcf",
               ZcfText({{mods / "GameData.ini", kZh + "Data\\INI"}, {mods / "Desert.map", kZh + "Maps"}}, mods / "Tanks.big"));
    const TreeSnapshot before = SnapshotTree(Z);

    CorvaneProcess corvane(program.Path(), "", work.Path());
    const MainWindow main{corvane.WaitForWindow("Generals Corvane")};
    ASSERT_TRUE(main.h);
    // The line's own words are the game search's; here, that Corvane under Wine found this library.
    const std::string szFound = " in " + Z + "\\ (Linux Steam library " + szSdCard + ", app 2732960; ";
    EXPECT_NE(ReadBytes(program / "Corvane.log").find(szFound + "version of the last release; it will run in this prefix"),
              std::string::npos) << ReadBytes(program / "Corvane.log");

    ClickListEntry(main.Mods(), FindListEntry(main.Mods(), "Tanks"));
    ClickButton(main.Button("Start &Game"));
    const StandInReport report = GameReport(corvane);
    EXPECT_EQ(report.szGameFolder, Z);
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini"), "; the mod's settings\r\n");
    EXPECT_EQ(report.gameFolder.at("Maps\\Desert.map"), "desert map\r\n");
    ReleaseGame();
    EXPECT_TRUE(corvane.WaitForLogLine("END"));
    EXPECT_EQ(SnapshotTree(Z), before);
}

}  // namespace
}  // namespace corvane::test
