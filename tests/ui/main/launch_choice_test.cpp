#include "ui/main/launch_choice.h"

#include <gtest/gtest.h>

#include <ostream>

namespace corvane {
namespace {

struct SwitchCase {
    const char* szWhat;
    std::array<int, kOptionCount> lValues;
    const char* szArgs;
};

void PrintTo(const SwitchCase& c, std::ostream* os) { *os << c.szWhat; }

class SwitchString : public testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchString, JoinsTheSwitchesOfTheTickedBoxesInIndexOrder) {
    EXPECT_EQ(BuildSwitchString(GetParam().lValues), GetParam().szArgs);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, SwitchString,
    testing::Values(
        SwitchCase{"none", {0, 0, 0, 0, 0, 0}, ""},
        SwitchCase{"intro_and_window", {1, 0, 0, 0, 1, 0}, " -nologo -win"},
        SwitchCase{"all",
                   {1, 1, 1, 1, 1, 1},
                   " -nologo -noshellmap -nomusic -noaudio -win -constantdebug -scriptdebug"},
        SwitchCase{"debug_alone_gives_both_switches", {0, 0, 0, 0, 0, 1},
                   " -constantdebug -scriptdebug"},
        SwitchCase{"grayed_counts", {0, 2, 0, 2, 0, 0}, " -noshellmap -noaudio"},
        SwitchCase{"any_other_value_counts", {0, 0, -1, 0, 0, 0}, " -nomusic"},
        SwitchCase{"last_four", {0, 0, 1, 1, 1, 1},
                   " -nomusic -noaudio -win -constantdebug -scriptdebug"}),
    [](const testing::TestParamInfo<SwitchCase>& info) { return info.param.szWhat; });

GameTable TitledTable() {
    GameTable games = MakeGameTable();
    games[0].szTitle = "Generals Version 1.08";
    games[1].szTitle = "Zero Hour Generals Expansion Version 1.04";
    games[2].szTitle = "Generals WorldBuilder Version 1.08";
    games[3].szTitle = "Zero Hour WorldBuilder Version 1.04";
    return games;
}

struct FindCase {
    const char* szWhat;
    const char* szText;
    int16_t dRow;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << '[' << c.szText << ']'; }

class GameLookup : public testing::TestWithParam<FindCase> {};

TEST_P(GameLookup, FindsTheFirstRowWhoseTitleContainsTheText) {
    EXPECT_EQ(FindGameIndex(TitledTable(), GetParam().szText), GetParam().dRow);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, GameLookup,
    testing::Values(
        FindCase{"each_title_finds_its_row", "Zero Hour WorldBuilder Version 1.04", 3},
        FindCase{"worldbuilder_of_generals", "Generals WorldBuilder Version 1.08", 2},
        FindCase{"zero_hour", "Zero Hour Generals Expansion Version 1.04", 1},
        // "Generals" also occurs in row 1's title: the first row wins.
        FindCase{"part_of_several_titles_gives_the_first", "Generals", 0},
        FindCase{"part_in_the_middle", "WorldBuilder", 2},
        FindCase{"letter_case_counts", "generals Version 1.08", -1},
        FindCase{"longer_than_any_title", "Generals Version 1.08 Gold", -1},
        // No game listed means no selection: it must not launch row 0.
        FindCase{"empty_text_finds_nothing", "", -1}),
    [](const testing::TestParamInfo<FindCase>& info) { return info.param.szWhat; });

}  // namespace
}  // namespace corvane
