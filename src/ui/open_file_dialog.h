// The system's open-file and save-file dialogs, modal over their owner,
// for one existing file or a file to write. The process's current folder
// stays as it was.
#pragma once

#include <optional>
#include <string>

#include "platform/win32.h"

namespace corvane::ui {

struct OpenFileRequest {
    const char* szFilter;                // pairs of a caption and its patterns, each ended by a NUL
    const char* szTitle = nullptr;       // the dialog's caption; the system's own when none
    const char* szDefaultExt = nullptr;  // given to a name typed without one
    const char* szFirstName = "";        // in the name box when the dialog opens
};

// The full path of the chosen file, or nothing when the player cancelled or
// the dialog failed.
std::optional<std::string> AskForFile(HWND hOwner, const OpenFileRequest& request);
// The same for a file to write: a name that is taken is asked about first.
std::optional<std::string> AskForNewFile(HWND hOwner, const OpenFileRequest& request);

}  // namespace corvane::ui
