// What Start Game hands to the launch window: the GameTable row of the
// entry chosen in the game list and the switches of the ticked option boxes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "state/game_table.h"

namespace corvane {

inline constexpr int kOptionCount = 6;

// The switch each option box adds, by box index. Every switch starts with its
// own space so that they can be joined with nothing between them.
inline constexpr std::array<const char*, kOptionCount> kOptionSwitches = {
    " -nologo", " -noshellmap", " -nomusic", " -noaudio", " -win", " -constantdebug -scriptdebug"};

// The switches of every box whose value is not 0 (a grayed box counts too),
// always in index order, whatever order the boxes were ticked in.
std::string BuildSwitchString(const std::array<int, kOptionCount>& lValues);

// The first row whose title contains szText (case-sensitive), or -1. An empty
// text finds nothing: with no game listed there is no selection, and that must
// not quietly launch row 0.
int16_t FindGameIndex(const GameTable& games, const std::string& szText);

}  // namespace corvane
