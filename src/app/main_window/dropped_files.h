// Files dropped on a window from the shell.
#pragma once

#include <optional>
#include <string>

#include "platform/win32.h"

namespace corvane {

// The first file of the drop (WM_DROPFILES' wParam), in the program's text;
// nothing when the drop holds none. The drop is finished either way.
std::optional<std::string> TakeFirstDroppedFile(WPARAM wDrop);

}  // namespace corvane
