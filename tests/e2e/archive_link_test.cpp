// A mod's BIG archives linked into the game folder instead of copied where
// the mod and the game share a drive, copied where they do not, and a mod
// that would not fit on the game's drive stopped before anything is touched.
#include "e2e/e2e_fixture.h"

namespace corvane::test {
namespace {

using ArchiveLinks = CorvaneRunTest;

TEST_F(ArchiveLinks, TheGameReadsTheModsArchivesAndTheirSourcesStayAsTheyWere) {
    InstallGenerals();
    const std::string szArchive(200 * 1024, 'T');
    WriteBytes(program / "Tanks\\Tanks.big", szArchive);
    WriteBytes(program / "Tanks\\Data\\INI\\Tank.ini", "Object Tank\r\nEnd\r\n");
    WriteBytes(mods / "Pack\\Pack.big", "BIGF pack");
    WriteBytes(mods / "Pack\\readme.txt", "read me");
    // An archive on another file system (drive H:, when the machine has one)
    // cannot be linked: it is copied.
    const bool bOtherDrive = GetDriveTypeA("H:\\") != DRIVE_NO_ROOT_DIR;
    const std::string szFar = "H:\\Far" + std::to_string(GetCurrentProcessId()) + ".big";
    std::vector<std::pair<std::string, std::string>> entries{{mods / "Pack", game / "Data"}};
    if (bOtherDrive) {
        WriteBytes(szFar, "BIGF far");
        entries.push_back({szFar, game / "Data"});
    }
    WriteBytes(program / "Pack.zcf", ZcfText(entries));
    const TreeSnapshot before = SnapshotTree(game.Path()), folderMod = SnapshotTree(program / "Tanks"),
                       pack = SnapshotTree(mods.Path());

    for (const char* szArguments : {"-PLAY Generals Tanks", "-SILENT Pack"}) {
        SCOPED_TRACE(szArguments);
        standIn.Rearm();
        DeleteFileA(szReport.c_str());
        CorvaneProcess corvane(program.Path(), szArguments, work.Path());
        const StandInReport report = WaitForStandInReport(szReport);
        if (szArguments[1] == 'P') {
            EXPECT_EQ(report.gameFolder.at("Tanks.big"), szArchive);
            EXPECT_EQ(LinkCount(game / "Tanks.big"), 2u);
            EXPECT_EQ(LinkCount(game / "Data\\INI\\Tank.ini"), 1u) << "what the game may write into is copied";
        } else {
            EXPECT_EQ(report.gameFolder.at("Data\\Pack\\Pack.big"), "BIGF pack");
            EXPECT_EQ(LinkCount(game / "Data\\Pack\\Pack.big"), 2u);
            if (bOtherDrive) {
                EXPECT_EQ(LinkCount(game / "Data" + szFar.substr(2)), 1u);
            }
        }
        ReleaseGame();
        EXPECT_TRUE(corvane.WaitForLogLine("END"));
        EXPECT_EQ(SnapshotTree(game.Path()), before);
    }
    EXPECT_EQ(SnapshotTree(program / "Tanks"), folderMod);
    EXPECT_EQ(SnapshotTree(mods.Path()), pack);
    if (bOtherDrive) {
        EXPECT_EQ(ReadBytes(szFar), "BIGF far");
        DeleteFileA(szFar.c_str());
    }
}

TEST_F(ArchiveLinks, AModTooLargeForTheGamesDriveIsStoppedBeforeTheSwap) {
    InstallGenerals();
    WriteBytes(mods / "Small.ini", "small");
    // A file a gigabyte larger than the drive has free, which takes no space
    // itself (a file with nothing written in it).
    ULARGE_INTEGER lFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(game.Path().c_str(), &lFree, nullptr, nullptr));
    HANDLE hHuge = CreateFileA((mods / "Huge.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    LARGE_INTEGER lSize{};
    lSize.QuadPart = static_cast<LONGLONG>(lFree.QuadPart + (1ull << 30));
    ASSERT_TRUE(SetFilePointerEx(hHuge, lSize, nullptr, FILE_BEGIN) && SetEndOfFile(hHuge));
    CloseHandle(hHuge);
    WriteBytes(program / "Huge.zcf", ZcfText({{mods / "Small.ini", game / "Data"}, {mods / "Huge.bin", game / "Data"}}));
    const TreeSnapshot before = SnapshotTree(game.Path());
    CorvaneProcess corvane(program.Path(), "-SILENT Huge", work.Path());
    HWND hBox = nullptr;
    EXPECT_EQ(corvane.WaitForMessageBox(20000, &hBox), "An error occurred whilst trying to launch the game!");
    const Lines log = corvane.LaunchLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().rfind("ERROR: There is not enough free space on ", 0), 0u) << log.back();
    EXPECT_EQ(SnapshotTree(game.Path()), before);
    if (hBox) PostMessageA(hBox, WM_COMMAND, IDOK, 0);
}

}  // namespace
}  // namespace corvane::test
