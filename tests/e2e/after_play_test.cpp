// The game folder after a launch, on real disks: what the game made or
// changed while it ran stays where a player finds it and the game's own items
// get their names back, a patch laid over a base mod never writes into the
// base mod's linked archive, and game folders on volumes Wine cannot describe
// come back as they were.
#include <algorithm>

#include "e2e/e2e_fixture.h"
#include "e2e/late_drive.h"

namespace corvane::test {
namespace {

const std::string kKept = "Kept what was made or changed during play:";

// What Corvane asks of the volume that holds a folder.
bool VolumeAnswers(const std::string& szFolder) {
    char szVolume[MAX_PATH] = {};
    DWORD lSerial = 0;
    return GetVolumePathNameA(szFolder.c_str(), szVolume, MAX_PATH) &&
           GetVolumeInformationA(szVolume, nullptr, 0, &lSerial, nullptr, nullptr, nullptr, 0);
}

class AfterPlay : public CorvaneRunTest {
protected:
    // One whole silent launch of the mod, the game released once it has
    // reported (and done what it was told to do); the launch window's lines
    // at END.
    Lines Play(const std::string& szMod) {
        standIn.Rearm();
        CorvaneProcess corvane(program.Path(), "-SILENT " + szMod, work.Path());
        report = GameReport(corvane);
        ReleaseGame();
        EXPECT_TRUE(corvane.WaitForLogLine("END"));
        return corvane.LaunchLog();
    }

    StandInReport report;
};

// A replay saved into a folder the swap created, a file saved into and one
// rewritten in a folder that stood in for the game's own, and a rewritten
// copy that stood in for a game file.
TEST_F(AfterPlay, WhatTheGameMadeOrChangedIsKeptAndTheNextLaunchPlays) {
    InstallGenerals();
    const std::string G = game.Path();
    WriteBytes(mods / "GameData.ini", "; the mod's settings\r\n");
    WriteBytes(mods / "English\\generals.csf", "mod strings");
    WriteBytes(mods / "English\\mod.txt", "mod notes");
    WriteBytes(mods / "Intro.map", "intro map");
    WriteBytes(program / "Mod.zcf", ZcfText({{mods / "GameData.ini", G + "\\Data\\INI"},
                                             {mods / "English", G + "\\Data"},
                                             {mods / "Intro.map", G + "\\Replays"}}));
    TreeSnapshot expected = SnapshotTree(G);
    Lines log;
    {
        ScopedEnvironment writes("STANDIN_WRITE", "Replays\\Last Replay.rep=replay;Data\\English\\Saved.txt=saved;"
                                                  "Data\\English\\generals.csf=strings rewritten;"
                                                  "Data\\INI\\GameData.ini=settings rewritten");
        log = Play("Mod");
    }
    expected["Replays"] = "<folder>";
    expected["Replays\\Last Replay.rep"] = "replay";
    expected["Data\\English\\Saved.txt"] = "saved";
    expected["Data\\English\\generals.csf.changed"] = "strings rewritten";
    expected["Data\\INI\\GameData.ini.changed"] = "settings rewritten";
    const TreeSnapshot after = SnapshotTree(G);
    EXPECT_EQ(after, expected) << Describe(after);
    const auto Said = [&](const Lines& lines) { return !std::ranges::search(log, lines).empty(); };
    const std::string szProblems = ReadBytes(program / "Corvane.log");
    for (const std::string& szKept : {G + "\\Replays\\Last Replay.rep", G + "\\Data\\English\\Saved.txt",
                                      G + "\\Data\\English\\generals.csf.changed", G + "\\Data\\INI\\GameData.ini.changed"}) {
        EXPECT_TRUE(Said({kKept, szKept})) << szKept;
        EXPECT_NE(szProblems.find(kKept + " " + szKept + "\r\n"), std::string::npos) << szKept;
    }
    EXPECT_FALSE(Said({"Deleting swapped folder:", G + "\\Replays"}));
    EXPECT_FALSE(Present(program / "Corvane.journal"));

    Play("Mod");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\GameData.ini"), "; the mod's settings\r\n");
    EXPECT_EQ(report.gameFolder.at("Data\\English\\generals.csf"), "mod strings");
    EXPECT_EQ(report.gameFolder.at("Replays\\Intro.map"), "intro map");
    EXPECT_EQ(SnapshotTree(G), expected);
}

// A folder copied over the game's and another over the copy's, the game
// saving a replay into the inner one; and a hidden game folder, which a
// folder entry replaces rather than merges into.
TEST_F(AfterPlay, CopiesLaidOverCopiesAndAHiddenGameFolderComeBackAsTheyWere) {
    InstallGenerals();
    const std::string G = game.Path();
    WriteBytes(G + "\\Data\\INI\\Object\\Tank.ini", "game's tank");
    WriteBytes(G + "\\Data\\Art\\a.tga", "game's art");
    ASSERT_TRUE(SetFileAttributesA((G + "\\Data\\Art").c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteBytes(mods / "INI\\Object\\Tank.ini", "mod's tank");
    WriteBytes(mods / "Patch\\Object\\Tank.ini", "patch's tank");
    WriteBytes(mods / "Art\\a.tga", "mod's art");
    WriteBytes(program / "Mod.zcf", ZcfText({{mods / "INI", G + "\\Data"}, {mods / "Patch\\Object", G + "\\Data\\INI"},
                                             {mods / "Art", G + "\\Data"}}));
    TreeSnapshot expected = SnapshotTree(G);
    {
        ScopedEnvironment writes("STANDIN_WRITE", "Data\\INI\\Object\\Last Replay.rep=replay");
        Play("Mod");
    }
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Object\\Tank.ini"), "patch's tank");
    EXPECT_EQ(report.gameFolder.at("Data\\Art\\a.tga"), "mod's art");
    EXPECT_EQ(report.gameFolder.at("Data\\Art.original\\a.tga"), "game's art") << "moved aside, not merged into";
    expected["Data\\INI\\Object\\Last Replay.rep"] = "replay";
    EXPECT_EQ(SnapshotTree(G), expected) << Describe(SnapshotTree(G));
    Play("Mod");
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Object\\Tank.ini"), "patch's tank") << "the next launch plays";
    EXPECT_EQ(SnapshotTree(G), expected);
}

// Both lie on the game's drive: the base mod's archive is linked in, and the
// patch's takes its place.
TEST_F(AfterPlay, APatchOverABaseModsLinkedArchiveLeavesBothModsAsTheyWere) {
    InstallGenerals();
    WriteBytes(mods / "Base\\Data\\Units.big", std::string(64 * 1024, 'B'));
    WriteBytes(mods / "Base\\Data\\INI\\Base.ini", "base");
    WriteBytes(mods / "Patch\\Data\\Units.big", std::string(48 * 1024, 'P'));
    WriteBytes(program / "Patched.zcf", ZcfText({{mods / "Base\\Data", game.Path()}, {mods / "Patch\\Data", game.Path()}}));
    const TreeSnapshot before = SnapshotTree(game.Path()), both = SnapshotTree(mods.Path());
    Play("Patched");
    EXPECT_EQ(report.gameFolder.at("Data\\Units.big"), both.at("Patch\\Data\\Units.big"));
    EXPECT_EQ(report.gameFolder.at("Data\\INI\\Base.ini"), "base");
    EXPECT_EQ(SnapshotTree(mods.Path()), both);
    EXPECT_EQ(SnapshotTree(game.Path()), before);
}

// A drive mapped while Wine runs, and a folder on another Linux file system
// (a tmpfs) reached through Z:.
TEST_F(AfterPlay, GameFoldersOnVolumesWineCannotDescribeComeBackAsTheyWere) {
    TempFolder behindDrive;
    const LateDrive drive(behindDrive.Path());
    ASSERT_FALSE(drive.Root().empty()) << "no free drive letter";
    struct Scratch {
        const std::string szPath = "Z:\\dev\\shm\\" + UniqueScratchName("corvane-test-");
        ~Scratch() { RemoveTree(szPath); }
    } onTmpfs;
    WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
    WriteBytes(mods / "Art\\Art.big", "BIGF art");
    WriteBytes(mods / "Art\\tank.tga", "TGA tank");
    for (const std::string& szGame : {drive.Root() + "Game", onTmpfs.szPath}) {
        SCOPED_TRACE(szGame);
        registration.reset();  // it takes its key with it: gone before the key is made again
        InstallGenerals(0x00010008, szGame);
        ASSERT_TRUE(PumpUntil([&] { return !VolumeAnswers(szGame); }, 5000)) << "the volume answers after all";
        WriteBytes(program / "Mod.zcf", ZcfText({{mods / "Weapon.ini", szGame + "\\Data\\INI"}, {mods / "Art", szGame + "\\Data"}}));
        const TreeSnapshot before = SnapshotTree(szGame);
        Play("Mod");
        EXPECT_EQ(report.gameFolder.at("Data\\INI\\Weapon.ini"), "Weapon Plasma\r\nEnd\r\n");
        EXPECT_EQ(report.gameFolder.at("Data\\Art\\Art.big"), "BIGF art");
        EXPECT_EQ(SnapshotTree(szGame), before);
    }
}

}  // namespace
}  // namespace corvane::test
