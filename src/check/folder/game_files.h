// What a clean Generals 1.08 or Zero Hour 1.04 folder holds, and what other
// tools are known to leave in one: the tables the game folder check sorts
// every item by. Paths are relative to a game folder, with backslashes, and
// folded: their ASCII letters in lower case, as the file system compares
// them (a folder of 20,000 files is folded once, not once a table).
#pragma once

#include <optional>
#include <string>

namespace corvane {

// One of the game's own archives: a name of a clean Generals or Zero Hour
// (either game's, in any of their languages, and the three that Steam's and
// the EA App's editions add) at the folder's top level, or at the top of the
// ZH_Generals folder Steam's Zero Hour carries. The same name in any other
// subfolder is not the game's.
bool IsOwnArchive(const std::string& szFolded);

// An archive players install on purpose (hotkeys, Control Bar Pro, a
// community translation in the player's language), by its name wherever it
// lies: what it is. A translation's name is a language's with anything but
// a letter before it ("00RussianZH.big"): the bare name is the game's own.
std::optional<std::string> AddOnArchiveOf(const std::string& szFolded);

// Another add-on's file beside the game's program (GenTool's): what it is.
std::optional<std::string> AddOnFileOf(const std::string& szFolded);

// A file of the game's own beside its program that is known to break it:
// what it does.
std::optional<std::string> KnownProblemOf(const std::string& szFolded);

// The first bytes of a file the game loads as an archive.
bool IsArchiveHeader(const std::string& szFirstBytes);

// A file the game reads in place of its archives' copy: one of the kinds it
// loads, under Data, Art, Window or Maps, and not where a clean game keeps
// such files of its own (Data\Scripts, Data\Movies, Data\Cursors,
// Data\WaterPlane).
bool IsLooseFile(const std::string& szFolded);

// What another tool (or an earlier edition of the game) left behind, with
// what it is ("" when that is not known); nothing when the item is none of
// those. Corvane's own backups (".original") are among them: the caller
// leaves out those an unfinished launch still owns.
std::optional<std::string> LeftoverOf(const std::string& szFolded, bool bFolder);

// A leftover the game loads as an archive: Set Aside takes it as it takes a
// stray archive.
bool IsLoadedLeftover(const std::string& szFolded);

// A DLL beside the game's program that the game loads in place of the
// system's: what it is.
std::optional<std::string> WrapperOf(const std::string& szFolded);

// The build of a game program with this SHA-256 (hexadecimal, any letter
// case); nothing for one that is not known.
std::optional<std::string> BuildOf(const std::string& szSha256);

}  // namespace corvane
