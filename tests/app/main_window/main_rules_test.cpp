// What Start Game hands on: the switches of the ticked boxes and the game row
// of the entry chosen in the list; and the desktop shortcut that plays a mod.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "state/play_request.h"
#include "app/main_window/launch_choice.h"
#include "app/main_window/main_texts.h"

namespace corvane {
namespace {

TEST(SwitchString, JoinsTheSwitchesOfEveryBoxNotZeroInIndexOrder) {
    const struct {
        std::array<int, kOptionCount> lValues;
        const char* szArgs;
    } cases[] = {
        {{0, 0, 0, 0, 0, 0}, ""},
        {{1, 1, 1, 1, 1, 1}, " -nologo -noshellmap -nomusic -noaudio -win -constantdebug -scriptdebug"},
        {{0, 0, 0, 0, 0, 1}, " -constantdebug -scriptdebug"},
        {{0, 2, 0, 2, 0, 0}, " -noshellmap -noaudio"},  // a grayed box counts
        {{0, 0, -1, 0, 1, 0}, " -nomusic -win"},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildSwitchString(c.lValues), c.szArgs);
}

TEST(GameLookup, FindsTheFirstRowWhoseTitleContainsTheText) {
    GameTable games = MakeGameTable();
    games[0].szTitle = "Generals Version 1.08";
    games[1].szTitle = "Zero Hour Generals Expansion Version 1.04";
    games[2].szTitle = "Generals WorldBuilder Version 1.08";
    games[3].szTitle = "Zero Hour WorldBuilder Version 1.04";
    const struct {
        const char* szText;
        int16_t dRow;
    } cases[] = {
        {"Zero Hour WorldBuilder Version 1.04", 3},
        {"Generals", 0},  // also in row 1's title: the first row wins
        {"WorldBuilder", 2},
        {"generals Version 1.08", -1},  // letter case counts
        {"", -1},  // no game listed, no selection: row 0 must not be launched
    };
    for (const auto& c : cases) EXPECT_EQ(FindGameIndex(games, c.szText), c.dRow) << '[' << c.szText << ']';
}

// Read back, a shortcut's arguments name the game, the mod and the switches
// the main window had chosen, whatever the title holds.
TEST(ShortcutText, IsNamedAfterModAndGameAndPlaysWhatTheMainWindowChose) {
    const std::tuple<int16_t, const char*, const char*, const char*> cases[] = {
        {kZeroHour, "Contra", " -nologo -win", "Contra (Zero Hour)"},
        {kGenerals, "Rise of the Reds", "", "Rise of the Reds (Generals)"},
        {kGeneralsWorldBuilder, "-", " -constantdebug -scriptdebug", "- (Generals WorldBuilder)"},
        {kZeroHourWorldBuilder, "--", " -win", "-- (Zero Hour WorldBuilder)"},
    };
    for (const auto& [dGame, szTitle, szArgs, szName] : cases) {
        EXPECT_EQ(ShortcutName(szTitle, dGame), szName);
        const PlayRequest request = ParsePlayRequest(PlayArguments(dGame, szTitle, szArgs));
        EXPECT_EQ(std::tuple(request.szGame, request.szMod, request.szArgs),
                  std::tuple(std::string(kGameKeys[dGame]), std::optional<std::string>(szTitle), std::string(szArgs)));
    }
}

}  // namespace
}  // namespace corvane
