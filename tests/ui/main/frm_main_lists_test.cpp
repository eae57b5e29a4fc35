// The main window as it loads, its mod list under selection and Remove, and
// its Tab order through the dialog manager as the message loop runs it.
#include "ui/main/main_window_fixture.h"

namespace corvane::test {
namespace {

using MainWindowLists = MainWindowTest;

TEST_F(MainWindowLists, OpensWithNoModSelectedThenEditAndRemoveFollowTheSelectedKind) {
    Install({3, 1});
    WriteBytes(program / "Alpha.zcf", "Location=\r\n");
    WriteBytes(program / "Beta.zcf", "Location=\r\n");
    WriteBytes(program / "Gamma\\Data\\INI\\Weapon.ini", "Weapon\r\n");
    Open();
    EXPECT_EQ(sounds.played, Lines{program / "13gun.wav"});
    EXPECT_EQ(ListLines(Games()), (Lines{"Zero Hour Generals Expansion Version 1.08",
                                         "Zero Hour WorldBuilder Version 1.08"}));
    EXPECT_EQ(ListSelection(Games()), 0);
    EXPECT_EQ(ListSelection(Mods()), LB_ERR);
    EXPECT_FALSE(Enabled(Button("&Edit...")) || Enabled(Button("&Remove...")));
    for (const auto& [lEntry, bConfigFile] : {std::pair{2, false}, {0, true}, {2, false}, {1, true}}) {
        ClickListEntry(Mods(), lEntry);
        EXPECT_EQ(ListSelection(Mods()), lEntry);
        EXPECT_EQ(Enabled(Button("&Edit...")), bConfigFile) << "entry " << lEntry;
        EXPECT_EQ(Enabled(Button("&Remove...")), bConfigFile) << "entry " << lEntry;
    }
    SetFocus(Mods());
    PressKey(VK_END);  // from a configuration file to the folder mod
    EXPECT_FALSE(Enabled(Button("&Remove...")));
}

TEST_F(MainWindowLists, RemoveDeletesTheModsOwnFileAndRebuildsTheListEvenWhenItFails) {
    WriteBytes(program / "Beta.zcf", "Location=\r\n");
    SetAttributes(program / "Beta.zcf", FILE_ATTRIBUTE_READONLY);
    WriteBytes(program / "My.Mod.zcf", "Location=\r\n");
    WriteBytes(program / "My.zcf", "Location=\r\n");
    Open();
    ASSERT_EQ(ListLines(Mods()), (Lines{"Beta", "My", "My"}));
    const struct {
        int lEntry;
        const char* szAddedMeanwhile;  // shows only if the list is rebuilt
        Lines after;
    } removes[] = {
        {1, "Delta.zcf", {"Beta", "Delta", "My"}},
        {0, "Echo.zcf", {"Beta", "Delta", "Echo", "My"}},  // read-only: stays
    };
    for (const auto& r : removes) {
        WriteBytes(program / r.szAddedMeanwhile, "Location=\r\n");
        ClickListEntry(Mods(), r.lEntry);
        ClickButton(Button("&Remove..."));
        EXPECT_EQ(ListLines(Mods()), r.after);
        EXPECT_EQ(ListSelection(Mods()), LB_ERR);
        EXPECT_FALSE(Enabled(Button("&Edit...")) || Enabled(Button("&Remove...")));
    }
    EXPECT_FALSE(Present(program / "My.Mod.zcf"));
    EXPECT_TRUE(Present(program / "My.zcf")) << "the other mod of that title is left alone";
    EXPECT_TRUE(Present(program / "Beta.zcf"));
    EXPECT_TRUE(boxes.shown.empty()) << "no question, no message";
}

TEST_F(MainWindowLists, TabVisitsTheControlsInTheirOrderSkippingDisabledOnes) {
    WriteBytes(program / "Classic.zcf", "Location=\r\n");
    Open();
    const auto tabRound = [this](size_t lCount) {
        SetFocus(Games());
        std::vector<HWND> visited;
        while (visited.size() < lCount) {
            PressKey(VK_TAB);
            visited.push_back(GetFocus());
        }
        return visited;
    };
    std::vector<HWND> expected = {Mods()};
    for (const char* szBox : {"Skip Movie Intro.", "No Shell Anims.", "No Music", "No Audio", "Run In Window", "Debug"})
        expected.push_back(Button(szBox));
    expected.insert(expected.end(), {Button("Start &Game"), Button("&Add..."), Link(), Games()});
    EXPECT_EQ(tabRound(expected.size()), expected) << "Edit and Remove are disabled and skipped";
    ClickListEntry(Mods(), 0);
    expected.insert(expected.end() - 2, {Button("&Edit..."), Button("&Remove...")});
    EXPECT_EQ(tabRound(expected.size()), expected);
}

}  // namespace
}  // namespace corvane::test
