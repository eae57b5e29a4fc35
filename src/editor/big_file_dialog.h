// The system's open-file dialog, set up for a mod's BIG file.
#pragma once

#include <optional>
#include <string>

#include "platform/win32.h"

namespace corvane {

// Shows the dialog modal over hOwner, listing only names that end in ".big"
// (in any letter case); a name typed without extension gets ".BIG". The
// full path of the chosen file, or nothing when the player cancelled or the
// dialog failed. The process's current folder stays as it was.
std::optional<std::string> AskForBigFile(HWND hOwner);

}  // namespace corvane
