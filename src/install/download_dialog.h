// The system's open-file dialog, set up for a mod's download.
#pragma once

#include <optional>
#include <string>

#include "platform/win32.h"

namespace corvane {

// Shows the dialog modal over hOwner, listing .zip, .7z, .rar and .exe
// files. The full path of the chosen file, or nothing when the player
// cancelled. The process's current folder stays as it was.
std::optional<std::string> AskForDownload(HWND hOwner);

}  // namespace corvane
