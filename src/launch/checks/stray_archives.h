// Before a mod is swapped in: what else the game would load with it. The
// stray archives in the folders the game loads (not those at or below the
// mod's own targets, which the swap puts in place, nor anything at or below
// a source of the mod, which is the mod's) are offered to be set aside
// while it plays, once: the player's answer is remembered for each archive.
// Loose files are only named in Corvane.log, since a mod is often unpacked
// into the game folder on purpose.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "launch/targets/launch_rules.h"
#include "launch/checks/stray_answers.h"
#include "platform/file_system.h"
#include "platform/problem_log.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

struct StrayArchive {
    std::string szPath;     // in full
    std::string szFolder;   // the game folder it lies in, as checked
    std::string szArchive;  // below it
    uint64_t lSize = 0;
};

struct StrayOffer {
    std::vector<StrayArchive> asked;        // not answered yet: the question names them
    std::vector<std::string> szAsideAgain;  // answered Yes before: set aside without a question
    // The answers as they were read, where there was an archive to answer
    // about: the player's answer joins them, and Corvane.log hears of a
    // missing or damaged file once a launch.
    std::shared_ptr<StrayAnswers> answers;
};

// The stray archives GameTable row dGame would load with this mod of these
// targets, by what the player answered about them before (the answers kept
// in szAppPath, read only when there is an archive to answer about). A
// folder that cannot be read is noted in Corvane.log and gives none: the
// launch goes on as before.
StrayOffer StrayArchivesFor(const GameTable& games, int16_t dGame, const ModConfig& mod,
                            const std::vector<std::optional<Target>>& targets, FileSystem& files, ProblemLog& problems,
                            const std::string& szAppPath);

// The full paths of the sources of these mods' entries (ASCII letters in
// lower case), as written and as the system resolves them: the check leaves
// them and all that lies in them alone.
std::set<std::string> SourcesOf(const std::vector<ModConfig>& mods, FileSystem& files);

// The question before such a launch, naming at most ten of them.
std::string StrayQuestion(const std::vector<StrayArchive>& archives);

// Remembers the player's answer about the archives asked; a file that
// cannot be written is noted in Corvane.log, and they are asked again.
void RememberAnswer(const std::vector<StrayArchive>& asked, bool bSetAside, StrayAnswers& answers,
                    ProblemLog& problems);

}  // namespace corvane
