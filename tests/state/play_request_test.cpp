// The command line as a shortcut or a player types it: which road it takes,
// and for -PLAY the game row, the mod and the switches, or the message that
// says what was not found.
#include <gtest/gtest.h>

#include <tuple>

#include "state/command_line.h"
#include "state/play_request.h"

namespace corvane {
namespace {

// Zero Hour and its WorldBuilder installed, Generals not; five mods listed.
ProgramState ZeroHourWithMods() {
    ProgramState state;
    for (int16_t dRow : {kZeroHour, kZeroHourWorldBuilder}) state.GameTable[dRow].szInstallPath = "C:\\ZH\\";
    state.ClearMods();
    for (const char* szTitle : {"Contra", "Rise of the Reds", "-", "ShockWave", "shockwave"}) {
        ModConfig mod;
        mod.szTitle = szTitle;
        state.AppendMod(mod);
    }
    return state;
}

TEST(PlayCommand, TakesItsRoadAndFindsTheGameRowModAndSwitchesOrSaysWhatIsMissing) {
    const ProgramState state = ZeroHourWithMods();
    const std::string szMods = "Mods found: Contra, Rise of the Reds, -, ShockWave, shockwave.";
    const struct {
        const char* szArguments;
        Road road;
        int16_t dGame = -1, dMod = -1;
        const char* szArgs = "";
        std::string szProblem = "";
    } cases[] = {
        // -SILENT anywhere wins; -PLAY and help count only as the first word.
        {"-PLAY ZeroHour Contra -SILENT", Road::kSilent},
        {"Contra -PLAY ZeroHour", Road::kNormal},
        {"-PLAYER ZeroHour", Road::kNormal},
        {"-?", Road::kHelp},
        {"/? -PLAY ZeroHour", Road::kHelp},
        {"-install C:\\Mods\\x.zip", Road::kInstall},
        {"C:\\x.zip -INSTALL", Road::kNormal},
        // Letter case of the switch and the game key does not matter.
        {"-play zerohour Contra", Road::kPlay, kZeroHour, 0, ""},
        {"-Play ZEROHOURWB", Road::kPlay, kZeroHourWorldBuilder, -1, ""},
        // Quotes hold blanks in; unquoted words are joined by one blank.
        {"-PLAY ZeroHour \"Rise of the Reds\" -- -win", Road::kPlay, kZeroHour, 1, " -win"},
        {"-PLAY ZeroHour  Rise   of the\tReds", Road::kPlay, kZeroHour, 1, ""},
        {"-PLAY\tZeroHour\tContra", Road::kPlay, kZeroHour, 0, ""},
        // A lone - is no mod; quoted, it is the mod of that title.
        {"-PLAY ZeroHour - -- -nologo", Road::kPlay, kZeroHour, -1, " -nologo"},
        {"-PLAY ZeroHour \"-\"", Road::kPlay, kZeroHour, 2, ""},
        // The switches as they stand, behind one blank; -- alone gives none.
        {"-PLAY ZeroHour Contra --   -win  \"-x y\" ", Road::kPlay, kZeroHour, 0, " -win  \"-x y\" "},
        {"-PLAY ZeroHour Contra -- ", Road::kPlay, kZeroHour, 0, ""},
        {"-PLAY ZeroHour Contra --win", Road::kPlay, kZeroHour, -1, "", "There is no mod \"Contra --win\" in C:\\Corvane.\n" + szMods},
        // The exact title first, then the first one letter case aside.
        {"-PLAY ZeroHour shockwave", Road::kPlay, kZeroHour, 4, ""},
        {"-PLAY ZeroHour SHOCKWAVE", Road::kPlay, kZeroHour, 3, ""},
        // What is missing is named, what is there listed, in one message.
        {"-PLAY Generals Contra", Road::kPlay, kGenerals, 0, "", "Generals is not installed.\nGames installed: ZeroHour, ZeroHourWB."},
        {"-PLAY ZeroHour Contr", Road::kPlay, kZeroHour, -1, "", "There is no mod \"Contr\" in C:\\Corvane.\n" + szMods},
        {"-PLAY Zero Hour", Road::kPlay, -1, -1, "", "There is no game \"Zero\".\nGames installed: ZeroHour, ZeroHourWB.\n\n"
                                                     "There is no mod \"Hour\" in C:\\Corvane.\n" + szMods},
        {"-PLAY", Road::kPlay, -1, -1, "", "No game was named after -PLAY.\nGames installed: ZeroHour, ZeroHourWB."},
        // -CHECK names a game as -PLAY does, and nothing else.
        {"-check ZEROHOURWB", Road::kCheck, kZeroHourWorldBuilder},
        {"-CHECK Generals", Road::kCheck, -1, -1, "", "Generals is not installed.\nGames installed: ZeroHour, ZeroHourWB."},
        {"-CHECK", Road::kCheck, -1, -1, "", "No game was named after -CHECK.\nGames installed: ZeroHour, ZeroHourWB."},
        // -FINGERPRINT names a game and a mod as -PLAY does, and says so.
        {"-fingerprint zerohour \"Rise of the Reds\"", Road::kFingerprint, kZeroHour, 1},
        {"-FINGERPRINT", Road::kFingerprint, -1, -1, "", "No game was named after -FINGERPRINT.\nGames installed: ZeroHour, ZeroHourWB."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szArguments);
        ASSERT_EQ(RoadOf(c.szArguments), c.road);
        if (c.road != Road::kPlay && c.road != Road::kCheck && c.road != Road::kFingerprint) continue;
        const PlayChoice choice =
            c.road == Road::kCheck ? ChooseCheck(c.szArguments, state.GameTable)
                                   : ChoosePlay(ParsePlayRequest(c.szArguments), state, "C:\\Corvane",
                                                c.road == Road::kFingerprint ? "-FINGERPRINT" : "-PLAY");
        EXPECT_EQ(choice.szProblem, c.szProblem);
        if (!c.szProblem.empty()) continue;
        EXPECT_EQ(std::tuple(choice.dGame, choice.dMod, choice.szArgs), std::tuple(c.dGame, c.dMod, std::string(c.szArgs)));
    }
    // With nothing installed and no mod found, the lists say so.
    EXPECT_EQ(ChoosePlay(ParsePlayRequest("-PLAY ZeroHour Contra"), ProgramState(), "D:\\").szProblem,
              "ZeroHour is not installed.\nGames installed: none.\n\nThere is no mod \"Contra\" in D:\\.\nMods found: none.");
}

}  // namespace
}  // namespace corvane
