// Where a mod's entries land in the game folder and what the launch calls a
// file, shared by the swap and the restore so that the restore undoes exactly
// what the swap did. Paths are joined as plain text: nothing is inserted,
// trimmed or normalised.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/full_path.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

// A folder mod names its items relative to the game folder; a configuration
// file names the folder the source goes into under its own name (the tail
// from the source's last backslash on). Throws std::invalid_argument for a
// configuration-file source without a backslash: it has no tail.
std::string TargetPath(bool bFolderMod, const std::string& szSrc, const std::string& szDst,
                       const std::string& szInstallPath);

// The target of entry i of the mod, launched into the given game row.
std::string TargetOf(const ModConfig& mod, int16_t i, const GameEntry& game);

// Where an entry goes: the text its log lines show, joined as it always
// was, and the full path Windows makes of all of it, which the swap, the
// journal, the undo and every check before them work on.
struct Target {
    std::string szShown;
    std::string szPath;  // "" when the text is no full path (a relative destination)
};
// Throws std::invalid_argument as TargetOf does.
Target TargetAt(const ModConfig& mod, int16_t i, const GameEntry& game);

// A source's name, after its last backslash, is copied as it stands only
// when Windows takes it for one plain name: not "." or "..", no "/" (which
// Windows reads as a backslash, so "x/../.." climbs out of the
// destination), no ":" (a stream of the file, or a drive), no trailing dot
// or blank (which Windows drops, so the copy would take another name). A
// source without a backslash has no name to check.
bool SourceNameCopies(const std::string& szSrc);

// A path counts as a file when its first "." is not its first character;
// everything else, dotless paths included, counts as a folder.
bool IsFilePath(const std::string& szPath);

// A BIG archive ("x.big", in any letter case): the game only ever reads it.
bool IsBigArchive(const std::string& szName);

// The name a game's own item is moved aside to while a mod takes its place.
std::string BackupName(const std::string& szTarget);

// The folders above the target, outermost first, that the swap must create
// when they are missing. A root (C:\, \\server\share) is never one of them.
std::vector<std::string> ParentFoldersOf(const std::string& szTarget);

// A path in the form paths are compared in: ASCII letters in lower case, as
// the file system ignores their case.
std::string FoldPath(const std::string& szPath);

// One path is the other, or lies inside it (letter case aside).
bool PathsOverlap(const std::string& szOne, const std::string& szOther);
// szPath is szFolder or lies inside it (letter case aside).
bool IsAtOrBelow(const std::string& szPath, const std::string& szFolder);
// The path without trailing backslashes, but a root keeps its own.
std::string WithoutTrailingBackslashes(std::string szPath);
// The path without its last part; "" when it has only one.
std::string ParentOf(const std::string& szPath);
// The folder a full path's item lies in, a root with its backslash
// ("C:\" for "C:\x.ini", which "C:" alone would not name: it is the
// current folder on drive C:).
std::string FolderOf(const std::string& szPath);
// The path lies inside a root ("C:\Games", "\\server\share\Games",
// "\\?\unix\home"), so its parent is a folder too.
bool IsBelowRoot(const std::string& szPath);

// The name of the lock that keeps two launches off one folder: szKind and a
// fingerprint of the folder, which Windows accepts as a lock name whatever
// the folder is called and however long its path.
std::string LockNameFor(const std::string& szKind, const std::string& szFolder);

// The game's executable in its folder followed by the switches, unquoted.
std::string CommandLineFor(const GameEntry& game, const std::string& szArgs);
// The game's executable in its folder: the program Windows is told to run.
std::string ProgramOf(const GameEntry& game);

// Names the mod's BIG file to the game; a name of one character or none is
// not a BIG file and adds nothing.
std::string WithModSwitch(const std::string& szCommandLine, const std::string& szModFile);

}  // namespace corvane
