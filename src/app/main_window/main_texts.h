// The texts and paths the main window builds from the program's state: its
// version label, the configuration file a listed mod lives in, and the name
// of a desktop shortcut.
#pragma once

#include <cstdint>
#include <string>

#include "state/mod_config.h"

namespace corvane {

// "Version:" & major & "." & minor & "." & revision, plain decimals, no space.
std::string VersionCaption(int lMajor, int lMinor, int lRevision);

// The file that Remove (and Edit) act on for a listed mod. The reader notes
// the file each mod came from, so "My.Mod.zcf", listed as "My", is still
// found; without that note the file is the program folder's title & ".zcf".
// A bare file name in the note is taken as lying in the program folder.
std::string ModConfigPath(const std::string& szAppPath, const ModConfig& mod,
                          const std::string& szListedTitle);

// The desktop shortcut that plays a mod with GameTable row dGame is named
// after both, "Contra (Zero Hour)"; without the ".lnk" of its file.
std::string ShortcutName(const std::string& szModTitle, int16_t dGame);

}  // namespace corvane
