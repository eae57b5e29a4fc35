// Finding the mods in the program folder: every ".zcf" file directly in it,
// then every plain sub-folder as a folder mod whose files go to the same
// relative paths in the game folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/mod_config.h"
#include "platform/file_system.h"
#include "state/program_state.h"

namespace corvane {

// Name order of every listing: ASCII letters compared without regard to
// case, other bytes as they are, ties broken by the exact bytes. Lists then
// look the same whatever order the file system keeps.
bool NameLess(const std::string& szLeft, const std::string& szRight);

// The entries in szFolder matching szPattern, as ListFolder selects them, with
// the attributes the listing reported; nothing found gives an empty list.
std::vector<DirEntry> ListEntries(FileSystem& files, const std::string& szFolder, const std::string& szPattern,
                                  uint32_t lAttr, bool bDirsOnly);

// The names in szFolder matching szPattern ("\*.zcf", beginning with a
// backslash) under the attribute selector lAttr, blanks trimmed, in name
// order; with lAttr 16 without "." and "..", with bDirsOnly only folders
// that carry no attribute but the folder bit. Nothing found gives a list of
// one empty name. Failures of the file system pass to the caller.
std::vector<std::string> ListFolder(FileSystem& files, const std::string& szFolder,
                                    const std::string& szPattern, uint32_t lAttr, bool bDirsOnly);

// Appends to udtCfg every file below szRoot & szRel (szRoot ends in a
// backslash), with destinations relative to szRoot. A folder below that
// carries further attributes, or is empty, becomes one entry of its own.
// Returns "" when the folder had entries, szRel when it was empty.
std::string WalkModFolder(FileSystem& files, const std::string& szRoot, const std::string& szRel, ModConfig& udtCfg);

// Rebuilds state.ModList and state.dModCount from the program folder. Stops
// at the first failure and keeps the mods completed until then.
void ScanMods(FileSystem& files, const std::string& szAppPath, ProgramState& state);

}  // namespace corvane
