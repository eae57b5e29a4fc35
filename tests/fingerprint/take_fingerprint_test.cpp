// The fingerprint of a seeded Zero Hour with a mod laid over it: what it
// holds, the pinned code, each difference a player would meet named by the
// compare and changing the code, what the game does not load changing
// nothing, and the refusals while the folder is not as the game will find it.
#include <gtest/gtest.h>

#include <functional>

#include "fingerprint/manifest_compare.h"
#include "fingerprint/seeded_game.h"
#include "fingerprint/take_fingerprint.h"
#include "launch/folder_locks.h"
#include "launch/journal/journal_records.h"
#include "support/fake_platform.h"

namespace corvane::test {
namespace {

const SeededRoots kRoots{"C:\\Games\\ZH", "C:\\Games\\Gen", "C:\\Mods\\Plasma"};
const std::string kZh = kRoots.szZeroHour + "\\", kMods = kRoots.szMods + "\\";

struct Seeded {
    FakePlatform fakes;
    GameTable games = MakeGameTable();
    ModConfig mod;
    std::vector<ModConfig> mods;

    Seeded() {
        SeedGame(kRoots, [&](const std::string& szPath, const std::string& szBytes) { fakes.disk.AddFile(szPath, szBytes); });
        fakes.disk.AddFolder("C:\\Corvane");
        games[kGenerals].szInstallPath = kRoots.szGenerals + "\\";
        games[kZeroHour].szInstallPath = kZh;
        mod.szTitle = "Plasma";
        for (const auto& [szSrc, szDst] : PlasmaEntries(kRoots)) mod.AddEntry(szSrc, szDst);
        mods = {mod};
    }

    Fingerprint Take() {
        HashProgress progress;
        Fingerprint taken = TakeFingerprint(fakes.Get(), {games, kZeroHour, &mod, mods, "C:\\Corvane"}, progress);
        EXPECT_EQ(progress.lDone.load(), progress.lTotal.load());
        return taken;
    }
};

TEST(TakeFingerprint, TheSeededTreeWithTheModLaidOverIt) {
    Seeded seeded;
    const Fingerprint taken = seeded.Take();
    std::vector<std::string> szNames;
    for (const FileLine& file : taken.manifest.files) szNames.push_back(file.szName);
    EXPECT_EQ(szNames, (std::vector<std::string>{"art\\w3d\\jet.w3d", "data\\ini\\commandset.ini", "maps\\plasma\\map.ini",
                                                 "plasma.big|art\\w3d\\plasma.w3d", "plasma.big|data\\ini\\weapon.ini",
                                                 "w3dzh.big|art\\w3d\\tank.w3d", "zh_generals\\ini.big|data\\ini\\object.ini"}));
    EXPECT_EQ(taken.szCode, kSeededCode);
}

const struct {
    const char* szWhat;
    std::function<void(MemoryDisk&)> change;
    std::string szLine;  // what the compare of the changed with the seeded says; "" when the code stays
} kChanges[] = {
    {"a file inside the mod's archive", [](MemoryDisk& d) { d.WriteItem(kMods + "Plasma.big", PlasmaBig("Weapon Laser")); },
     "Differs: plasma.big|data\\ini\\weapon.ini"},
    {"a loose CommandSet.ini", [](MemoryDisk& d) { d.WriteItem(kZh + "Data\\INI\\CommandSet.ini", "CommandSet Other"); },
     "Differs: data\\ini\\commandset.ini"},
    {"a W3D model", [](MemoryDisk& d) { d.WriteItem(kZh + "Art\\W3D\\Jet.w3d", "jet 2"); }, "Differs: art\\w3d\\jet.w3d"},
    {"a stray archive in a subfolder",
     [](MemoryDisk& d) { d.AddFile(kZh + "Data\\Mod\\Stray.big", BigBytes({{"Data\\INI\\Armor.ini", "Armor"}})); },
     "Only yours: data\\mod\\stray.big|data\\ini\\armor.ini"},
    {"EA's leftover INIZH.big",
     [](MemoryDisk& d) { d.AddFile(kZh + "Data\\INI\\INIZH.big", BigBytes({{"Data\\INI\\Armor.ini", "Armor"}})); },
     "Only yours: data\\ini\\inizh.big|data\\ini\\armor.ini"},
    {"another edition's program", [](MemoryDisk& d) { d.WriteItem(kZh + "Generals.exe", "another edition"); },
     "Program: yours is an edition not known (SHA-256 "},
    {"a folder entry's file", [](MemoryDisk& d) { d.WriteItem(kMods + "Maps\\Plasma\\map.ini", "Plasma map 2"); },
     "Differs: maps\\plasma\\map.ini"},
    {"Options.ini", [](MemoryDisk& d) { d.WriteItem(kZh + "Options.ini", "Resolution = 1920 1080"); }, ""},
    {"a replay", [](MemoryDisk& d) { d.AddFile(kZh + "Replays\\Last Replay.rep", "replay"); }, ""},
    {"a screenshot", [](MemoryDisk& d) { d.AddFile(kZh + "sshot001.bmp", "picture"); }, ""},
    {"a .original item",
     [](MemoryDisk& d) {
         d.AddFile(kZh + "Data\\INI\\CommandSet.ini.original", "CommandSet Old");
         d.AddFile(kZh + "Art.original\\Old.big", BigBytes({{"a.ini", "a"}}));
     },
     ""},
    {"a set-aside archive", [](MemoryDisk& d) { d.AddFile(kZh + "Stray.big.aside", BigBytes({{"a.ini", "a"}})); }, ""},
    {"the game's map the mod's maps replace", [](MemoryDisk& d) { d.WriteItem(kZh + "Maps\\Old\\Old.map", "changed"); }, ""},
    {"Generals' loose file", [](MemoryDisk& d) { d.WriteItem(kRoots.szGenerals + "\\Data\\INI\\Loose.ini", "other"); }, ""},
    {"times and attributes",
     [](MemoryDisk& d) {
         d.WriteItem(kZh + "Art\\W3D\\Jet.w3d", "jet");
         d.RemoveItem(kZh + "W3DZH.big");
         d.AddFile(kZh + "W3DZH.big", BigBytes({{"Art\\W3D\\Tank.w3d", "tank"}}), kAttrHidden | kAttrReadOnly);
     },
     ""},
    {"letter case of names",
     [](MemoryDisk& d) {
         d.RemoveItem(kZh + "Data\\INI\\CommandSet.ini");
         d.AddFile(kZh + "Data\\INI\\COMMANDSET.INI", "CommandSet Base");
     },
     ""},
    {"the order a folder lists", [](MemoryDisk& d) { d.ListBackwards(); }, ""},
};

TEST(TakeFingerprint, EachDifferenceIsNamedAndChangesTheCodeAndNothingElseDoes) {
    for (const auto& change : kChanges) {
        Seeded seeded;
        const Fingerprint before = seeded.Take();
        change.change(seeded.fakes.disk);
        const Fingerprint after = seeded.Take();
        if (change.szLine.empty()) {
            EXPECT_EQ(after.szCode, before.szCode) << change.szWhat;
            continue;
        }
        EXPECT_NE(after.szCode, before.szCode) << change.szWhat;
        const std::vector<std::string> szLines = CompareManifests(after.manifest, before.manifest);
        ASSERT_EQ(szLines.size(), 1u) << change.szWhat;
        EXPECT_EQ(szLines[0].substr(0, change.szLine.size()), change.szLine) << change.szWhat;
    }
}

TEST(TakeFingerprint, RefusedWhileTheFolderIsNotAsTheGameWillFindIt) {
    for (const bool bRunning : {true, false}) {
        Seeded seeded;
        if (bRunning)
            seeded.fakes.locks.held.insert(FolderLockName(seeded.fakes.disk, seeded.fakes.problems, kZh));
        else
            seeded.fakes.disk.Replace(EncodeRecord(RecordOf(JournalStep::kBegin, kRoots.szZeroHour)) +
                                      EncodeRecord(RecordOf(JournalStep::kCreateFolder, kZh + "Mods")));
        try {
            seeded.Take();
            ADD_FAILURE() << "taken while " << (bRunning ? "a launch runs" : "a launch is not undone");
        } catch (const FingerprintRefused& e) {
            EXPECT_EQ(std::string(e.what()).rfind(bRunning ? "A launch of this game runs" : "Corvane has not yet put", 0), 0u);
        }
    }

    Seeded missing;
    missing.fakes.disk.RemoveItem(kMods + "Plasma.big");
    try {
        missing.Take();
        ADD_FAILURE() << "a mod the launch refuses";
    } catch (const FingerprintRefused& e) {
        EXPECT_EQ(std::string(e.what()), "A launch would refuse this mod, so the game would load nothing of it:\nChecking..." +
                                             kMods + "Plasma.big\nERROR: This file does not exist, please check "
                                             "configuration ZCF file with NotePad!");
    }
}

}  // namespace
}  // namespace corvane::test
