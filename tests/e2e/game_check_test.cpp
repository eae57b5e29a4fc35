// Back to the game's own files, as a player gets there with Corvane.exe:
// the check of a game folder alone (-CHECK), its Set Aside and Put Back,
// a Zero Hour launch that offers to play its mod without the stray
// archives it found, and a real player's Steam folder that reads clean and
// is asked about a stray archive once.
#include <functional>

#include "e2e/e2e_fixture.h"
#include "support/real_game_folder.h"

namespace corvane::test {
namespace {

using GameCheck = CorvaneRunTest;

// The buttons change once the list is filled anew: the list is read only
// then, as a line that changes while it is read can outgrow its buffer.
bool OnlyEnabled(HWND hCheck, const char* szButton, const char* szOther) {
    return Enabled(ChildWithText(hCheck, "Button", szButton)) && !Enabled(ChildWithText(hCheck, "Button", szOther));
}

// Stray archives at the top and in a subfolder, a leftover, the game's own
// archives and a file named like an archive that is none; the stand-in
// game brings loose files of its own.
TEST_F(GameCheck, TellsEachKindAndSetAsideAndPutBackLeaveTheFolderAsItWas) {
    InstallGenerals();
    const std::string G = game.Path();
    for (const char* szOwn : {"INI.big", "Window.big"}) WriteBytes(game / szOwn, "BIGF the game's own");
    WriteBytes(game / "!Extra.big", "BIGF another mod's");
    WriteBytes(game / "Data\\Mods\\Window.big", "BIG4 a second copy");
    WriteBytes(game / "Data\\Readme.big", "no archive");
    WriteBytes(game / "Old.gib", "BIGF switched off");
    const TreeSnapshot before = SnapshotTree(G);

    CorvaneProcess corvane(program.Path(), "-CHECK generals", work.Path());
    const HWND hCheck = corvane.WaitForWindow("Check Game Folder");
    ASSERT_TRUE(hCheck) << corvane.Said();
    EXPECT_FALSE(corvane.WaitForWindow("Generals Corvane", 0)) << "-CHECK opens this window only";
    const HWND hList = ChildOfClass(hCheck, "ListBox");
    Lines lines = ListLines(hList);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind("Program: Generals.exe is not a known build (SHA-256 ", 0), 0u) << lines[0];
    const std::string kBefore = " (loads before the game's own archives and overrides them)";
    EXPECT_EQ(Lines(lines.begin() + 1, lines.end()),
              (Lines{"Stray archive: !Extra.big" + kBefore, "Stray archive: Data\\Mods\\Window.big" + kBefore,
                     "Loose file: Data\\English\\generals.csf", "Loose file: Data\\INI\\GameData.ini",
                     "Loose file: Data\\INI\\Weapon.ini",
                     "Leftover: Data\\Readme.big (named like an archive but none: the game skips it)",
                     "Leftover: Old.gib (an archive GenLauncher switched off)"}));

    ClickButton(ChildWithText(hCheck, "Button", "Set &Aside"));
    ASSERT_TRUE(PumpUntil([&] { return OnlyEnabled(hCheck, "&Put Back", "Set &Aside"); }, 20000));
    lines = ListLines(hList);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 2), (Lines{"Set aside: " + G + "\\!Extra.big",
                                                              "Set aside: " + G + "\\Data\\Mods\\Window.big"}));
    for (const std::string& szLine : lines) EXPECT_NE(szLine.rfind("Stray archive:", 0), 0u) << szLine;
    EXPECT_EQ(ReadBytes(game / "!Extra.big.aside"), "BIGF another mod's");

    ClickButton(ChildWithText(hCheck, "Button", "&Put Back"));
    ASSERT_TRUE(PumpUntil([&] { return OnlyEnabled(hCheck, "Set &Aside", "&Put Back"); }, 20000));
    EXPECT_EQ(ListLines(hList).at(0), "Put back: " + G + "\\!Extra.big");
    const TreeSnapshot after = SnapshotTree(G);
    EXPECT_TRUE(after == before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
    EXPECT_NE(ReadBytes(program / "Corvane.log").find("Put back: " + G + "\\Data\\Mods\\Window.big"), std::string::npos);

    ClickButton(ChildWithText(hCheck, "Button", "&Close"));
    EXPECT_TRUE(corvane.WaitForExit(5000)) << "the program ends with the window";
}

// Yes: the game sees the stray archive under its set-aside name only, and
// it is back after the game. No: the game sees it as it was.
TEST_F(GameCheck, AZeroHourModPlaysWithoutAStrayArchiveWhenThePlayerSaysSo) {
    InstallZeroHour();
    WriteBytes(zeroHour / "Data\\!Stray.big", "BIGF another mod's");
    WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
    WriteBytes(program / "Plasma.zcf", ZcfText({{mods / "Weapon.ini", zeroHour / "Data\\INI"}}));
    const TreeSnapshot before = SnapshotTree(zeroHour.Path());
    const std::string szQuestion = zeroHour / "Data\\!Stray.big" +
                                   "\r\rThese archives are neither the game's nor the mod's, and the game would load "
                                   "them with the mod. Set them aside while you play? They come back when the game ends."
                                   "\r\rCorvane remembers your answer for them; Check Game Folder lets you forget it.";
    for (const int lAnswer : {IDYES, IDNO}) {
        CorvaneProcess corvane(program.Path(), "-PLAY ZeroHour Plasma", work.Path());
        HWND hBox = nullptr;
        ASSERT_EQ(corvane.WaitForMessageBox(20000, &hBox), szQuestion) << corvane.Said();
        PostMessageA(hBox, WM_COMMAND, static_cast<WPARAM>(lAnswer), 0);
        const StandInReport report = GameReport(corvane);
        EXPECT_EQ(report.gameFolder.count("Data\\!Stray.big"), lAnswer == IDNO ? 1u : 0u);
        EXPECT_EQ(report.gameFolder.count("Data\\!Stray.big.aside"), lAnswer == IDYES ? 1u : 0u);
        ReleaseGame();
        EXPECT_TRUE(corvane.WaitForLogLine("END"));
        EXPECT_TRUE(SnapshotTree(zeroHour.Path()) == before);
        ClickButton(ChildWithText(corvane.WaitForWindow("Launching..."), "Button", "&Close"));
        EXPECT_TRUE(corvane.WaitForExit(5000));
        standIn.Rearm();
    }
}

// Steam's Zero Hour as a real player's copy ships it (3 GB of sparse
// files), with the stand-in as its program: it reads clean, a mod plays
// without a question; a stray archive is asked about once, and the answer
// shows in the check window until it is forgotten.
TEST_F(GameCheck, ARealSteamFolderReadsCleanAndAStrayIsAskedOnce) {
    RebuildIn(zeroHour.Path(), ListedFiles(RealFolder::kZeroHourSteam, true));
    InstallZeroHour();
    for (const char* szStandIns : {"Data\\INI\\GameData.ini", "Data\\INI\\Weapon.ini", "Data\\English\\generals.csf"})
        DeleteFileA((zeroHour / szStandIns).c_str());  // the stand-in's loose files: no edition has them
    WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
    WriteBytes(program / "Plasma.zcf", ZcfText({{mods / "Weapon.ini", zeroHour / "Data\\INI"}}));
    const auto check = [&](const std::function<void(HWND hCheck)>& look) {
        CorvaneProcess corvane(program.Path(), "-CHECK ZeroHour", work.Path());
        const HWND hCheck = corvane.WaitForWindow("Check Game Folder");
        ASSERT_TRUE(hCheck) << corvane.Said();
        look(hCheck);
        ClickButton(ChildWithText(hCheck, "Button", "&Close"));
        EXPECT_TRUE(corvane.WaitForExit(5000));
    };
    const auto play = [&](bool bAsked) {
        CorvaneProcess corvane(program.Path(), "-PLAY ZeroHour Plasma", work.Path());
        HWND hBox = nullptr;
        if (bAsked) {
            ASSERT_EQ(corvane.WaitForMessageBox(20000, &hBox).rfind(zeroHour / "!Stray.big\r", 0), 0u) << corvane.Said();
            PostMessageA(hBox, WM_COMMAND, IDNO, 0);
        }
        EXPECT_EQ(GameReport(corvane).gameFolder.count("!Stray.big"), 1u);
        ReleaseGame();
        EXPECT_TRUE(corvane.WaitForLogLine("END"));
        ClickButton(ChildWithText(corvane.WaitForWindow("Launching..."), "Button", "&Close"));
        EXPECT_TRUE(corvane.WaitForExit(5000));
        standIn.Rearm();
    };
    check([](HWND hCheck) {
        const Lines lines = ListLines(ChildOfClass(hCheck, "ListBox"));
        ASSERT_EQ(lines.size(), 1u) << "only the stand-in program, of no known build";
        EXPECT_EQ(lines[0].rfind("Program: Generals.exe is not a known build", 0), 0u) << lines[0];
    });
    play(false);
    WriteBytes(zeroHour / "!Stray.big", std::string("BIGF\x20\0\0\0\0\0\0\x01\0\0\0\x20", 16) + "holds one");
    play(true);
    play(false);
    check([&](HWND hCheck) {
        const HWND hAnswers = ChildOfClass(hCheck, "ListBox", 1);
        EXPECT_EQ(ListLines(hAnswers), Lines{"Kept at every launch: " + zeroHour / "!Stray.big (25 bytes)"});
        ClickButton(ChildWithText(hCheck, "Button", "&Forget Answer"));
        EXPECT_TRUE(PumpUntil([&] { return ListLines(hAnswers).empty(); }));
    });
    play(true);
}

}  // namespace
}  // namespace corvane::test
