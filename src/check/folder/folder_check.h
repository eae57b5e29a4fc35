// What a game would load besides its own files: the check of a game folder
// (and, for Zero Hour, of the archives of the Generals folder it plays from)
// for stray archives, loose files, add-ons, replaced and empty archives,
// other tools' leftovers, known problems and wrapper DLLs, and which build
// the game's program is. It only reads: each item is listed, and of each
// file named like an archive its header is read (and of a game's archive
// with a backup beside it, both, where their sizes are alike).
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "state/game_table.h"

namespace corvane {

// A folder the game loads archives from, as the game table writes it (with
// its trailing backslash).
struct CheckedFolder {
    CheckedFolder(std::string szPath, bool bGeneralsOfZeroHour)
        : szPath(std::move(szPath)), bGeneralsOfZeroHour(bGeneralsOfZeroHour) {}

    std::string szPath;
    bool bGeneralsOfZeroHour = false;  // the Generals folder Zero Hour plays from: only its archives matter
    // The other game's folder where it lies inside this one (ASCII letters
    // in lower case, no trailing backslash): not entered.
    std::set<std::string> szOtherGames;
};

// The folders GameTable row dGame loads: its own, and for Zero Hour (and its
// WorldBuilder) the Generals folder it plays from, unless that is the
// ZH_Generals folder inside its own (Steam's), which its own check covers.
// Each is checked once, whatever the letter case its path is written in.
std::vector<CheckedFolder> FoldersOf(const GameTable& games, int16_t dGame, FileSystem& files);

enum class FindingKind {
    kProgram,
    kStrayArchive,
    kLooseFile,
    kAddOn,
    kReplacedArchive,  // a game's own archive whose original is kept beside it as ".big.bak"
    kEmptyArchive,
    kLeftover,
    kKnownProblem,
    kWrapper,
    kSetAside
};

struct Finding {
    FindingKind kind = FindingKind::kLeftover;
    std::string szRelative;  // below its game folder; the program's file name
    std::string szDetail;    // what it is, when known; a program's build
    size_t lFolder = 0;      // the checked folder it lies in
    bool bInGeneralsFolder = false;
    bool bFolder = false;
    bool bKnown = true;  // a program: of a known build
    bool bOffered = false;  // an archive the game loads that a launch offers to set aside
    uint64_t lSize = 0;     // of an archive offered
};

// Findings of each kind in the order of their paths, kinds in the order of
// FindingKind: the program, when it was added, comes first.
struct FolderCheck {
    std::vector<std::string> szFolders;  // as checked
    std::vector<Finding> findings;
    // Where the finding lies, in full.
    std::string PathOf(const Finding& finding) const { return szFolders.at(finding.lFolder) + finding.szRelative; }
};

// szLeftAlone: paths (ASCII letters in lower case) of items an unfinished
// launch still owns: neither they nor what lies in them is looked at.
// Failures of the file system are thrown.
FolderCheck CheckGameFolders(const std::vector<CheckedFolder>& folders, FileSystem& files,
                             const std::set<std::string>& szLeftAlone);

// Puts the game's program (its file name in the first folder) first among
// the findings, with the build its SHA-256 tells. Apart from the walk, as it
// reads the whole program: a launch that only looks for stray archives
// does without it.
void AddProgram(FolderCheck& check, const std::string& szProgram, FileSystem& files);

// The full paths of the files Set Aside renames (the archives offered and
// loose files), and of those Put Back gives their names back.
std::vector<std::string> ToSetAside(const FolderCheck& check);
std::vector<std::string> ToPutBack(const FolderCheck& check);

// The name a file set aside has, and its own name back from it.
std::string AsideName(const std::string& szPath);
bool IsAsideName(const std::string& szPath);
std::string NameBeforeAside(const std::string& szAside);

}  // namespace corvane
