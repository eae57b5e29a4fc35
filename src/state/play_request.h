// The form "-PLAY <game> [<mod>] [-- <switches>]": a launch of any game row
// with any mod the main window would list, from a shortcut. Read here,
// checked against the games installed and the mods found, and written back
// for the shortcuts the main window makes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "state/program_state.h"

namespace corvane {

// How each GameTable row is named on the command line (any letter case),
// and in the names of shortcuts.
inline constexpr std::array<const char*, 4> kGameKeys = {"Generals", "ZeroHour", "GeneralsWB", "ZeroHourWB"};
inline constexpr std::array<const char*, 4> kGameNames = {"Generals", "Zero Hour", "Generals WorldBuilder",
                                                          "Zero Hour WorldBuilder"};

struct PlayRequest {
    std::string szGame;                // as typed; "" when none was named
    std::optional<std::string> szMod;  // the title; none for no mod
    std::string szArgs;                // the switches behind one space, or ""
};

// Reads the arguments of a line whose first word is -PLAY. Words are split
// at blanks; quotes hold blanks in and are removed. The words between the
// game and an unquoted "--" are the mod's title, joined by one blank; a lone
// unquoted "-" is no mod. What follows "--" is kept as it stands.
PlayRequest ParsePlayRequest(const std::string& szArguments);

// A request checked against the installed games and the listed mods: what
// to launch, or the one message that names what was not found and lists
// what was.
struct PlayChoice {
    int16_t dGame = -1;
    int16_t dMod = -1;
    std::string szArgs;
    std::string szProblem;  // empty when the launch may go ahead
};

// szAppPath: the folder the mods were looked for in, named in the message.
// A title is matched exactly first, then without regard to letter case.
// szSwitch: the form's first word, as the message names it.
PlayChoice ChoosePlay(const PlayRequest& request, const ProgramState& state, const std::string& szAppPath,
                      const std::string& szSwitch = "-PLAY");

// The form "-CHECK <game>", with the game named as -PLAY names it: the row,
// or the message that names what was not found (dMod and szArgs unused).
PlayChoice ChooseCheck(const std::string& szArguments, const GameTable& games);

// The arguments that play GameTable row dGame with the mod of that title and
// the switches szArgs (as the option boxes make them: each behind a blank).
std::string PlayArguments(int16_t dGame, const std::string& szModTitle, const std::string& szArgs);

}  // namespace corvane
