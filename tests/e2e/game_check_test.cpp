// Back to the game's own files, as a player gets there with Corvane.exe:
// the check of a game folder alone (-CHECK), its Set Aside and Put Back,
// and a real player's Steam Zero Hour that reads clean and whose launch
// offers, once, to play the mod without a stray archive.
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

// Steam's Zero Hour as a real player's copy ships it (3 GB of sparse
// files), with the stand-in as its program: it reads clean, and a mod plays
// without a question. A stray archive is asked about once: Yes sets it
// aside while the game runs, at this launch and the next, which does not
// ask; forgotten in the check window, it is asked about again, and No
// leaves it where the game sees it. Set Aside and Put Back in the check
// window rename it and give it its name back.
TEST_F(GameCheck, ARealSteamFolderReadsCleanAndAStrayIsAskedOnce) {
    RebuildIn(zeroHour.Path(), ListedFiles(RealFolder::kZeroHourSteam, true));
    InstallZeroHour();
    for (const char* szStandIns : {"Data\\INI\\GameData.ini", "Data\\INI\\Weapon.ini", "Data\\English\\generals.csf"})
        DeleteFileA((zeroHour / szStandIns).c_str());  // the stand-in's loose files: no edition has them
    WriteBytes(mods / "Weapon.ini", "Weapon Plasma\r\nEnd\r\n");
    WriteBytes(program / "Plasma.zcf", ZcfText({{mods / "Weapon.ini", zeroHour / "Data\\INI"}}));
    const std::string szStray = zeroHour / "!Stray.big";
    const auto check = [&](const std::function<void(HWND hCheck, HWND hList)>& look) {
        CorvaneProcess corvane(program.Path(), "-CHECK ZeroHour", work.Path());
        const HWND hCheck = corvane.WaitForWindow("Check Game Folder");
        ASSERT_TRUE(hCheck) << corvane.Said();
        EXPECT_FALSE(corvane.WaitForWindow("Generals Corvane", 0)) << "-CHECK opens this window only";
        look(hCheck, ChildOfClass(hCheck, "ListBox"));
        ClickButton(ChildWithText(hCheck, "Button", "&Close"));
        EXPECT_TRUE(corvane.WaitForExit(5000)) << "the program ends with the window";
    };
    const ScopedEnvironment noReport("STANDIN_REPORT", "");  // which would read the 3 GB
    const auto play = [&](int lAnswer, bool bAside) {  // lAnswer 0: not asked
        CorvaneProcess corvane(program.Path(), "-PLAY ZeroHour Plasma", work.Path());
        HWND hBox = nullptr;
        if (lAnswer) {
            ASSERT_EQ(corvane.WaitForMessageBox(20000, &hBox).rfind(szStray + "\r\rThese archives", 0), 0u) << corvane.Said();
            PostMessageA(hBox, WM_COMMAND, static_cast<WPARAM>(lAnswer), 0);
        }
        ASSERT_TRUE(corvane.WaitForLogLine("Launching...", 20000)) << corvane.Said();
        EXPECT_EQ(Present(szStray + ".aside"), bAside) << "while the game runs";
        ReleaseGame();
        EXPECT_TRUE(corvane.WaitForLogLine("END"));
        EXPECT_FALSE(Present(szStray + ".aside")) << "back after the game";
        ClickButton(ChildWithText(corvane.WaitForWindow("Launching..."), "Button", "&Close"));
        EXPECT_TRUE(corvane.WaitForExit(5000));
        standIn.Rearm();
    };
    check([](HWND, HWND hList) {  // only the stand-in program, of no known build
        EXPECT_EQ(ListLines(hList).at(0).rfind("Program: Generals.exe is not a known build (SHA-256 ", 0), 0u);
        EXPECT_EQ(ListLines(hList).size(), 1u);
    });
    play(0, false);
    WriteBytes(szStray, std::string("BIGF\x20\0\0\0\0\0\0\x01\0\0\0\x20", 16) + "holds one");
    play(IDYES, true);
    play(0, true);
    check([&](HWND hCheck, HWND) {
        const HWND hAnswers = ChildOfClass(hCheck, "ListBox", 1);
        EXPECT_EQ(ListLines(hAnswers), Lines{"Set aside at every launch: " + szStray + " (25 bytes)"});
        ClickButton(ChildWithText(hCheck, "Button", "&Forget Answer"));
        EXPECT_TRUE(PumpUntil([&] { return ListLines(hAnswers).empty(); }));
    });
    play(IDNO, false);
    check([&](HWND hCheck, HWND hList) {
        EXPECT_EQ(ListLines(hList).at(1), "Stray archive: !Stray.big (loads before the game's own archives and overrides them)");
        ClickButton(ChildWithText(hCheck, "Button", "Set &Aside"));
        ASSERT_TRUE(PumpUntil([&] { return OnlyEnabled(hCheck, "&Put Back", "Set &Aside"); }, 20000));
        EXPECT_EQ(ListLines(hList).at(0), "Set aside: " + szStray);
        ClickButton(ChildWithText(hCheck, "Button", "&Put Back"));
        ASSERT_TRUE(PumpUntil([&] { return OnlyEnabled(hCheck, "Set &Aside", "&Put Back"); }, 20000));
        EXPECT_EQ(ListLines(hList).at(0), "Put back: " + szStray);
        EXPECT_TRUE(Present(szStray) && !Present(szStray + ".aside"));
        EXPECT_NE(ReadBytes(program / "Corvane.log").find("Put back: " + szStray), std::string::npos);
    });
}

}  // namespace
}  // namespace corvane::test
