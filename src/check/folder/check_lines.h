// The findings of a game folder check as the player reads them: one line a
// finding, each beginning with its kind ("Stray archive:", "Loose file:",
// "Add-on:", "Replaced archive:", "Empty archive:", "Leftover:", "Known
// problem:", "Wrapper:", "Program:", "Set aside:"), paths below the game
// folder. Many loose files in one folder make one line with their count. A
// folder with nothing but the game's own files (and, when the program was
// looked at, a program of a known build) gets one line that says so.
#pragma once

#include <string>
#include <vector>

#include "check/folder/folder_check.h"

namespace corvane {

std::vector<std::string> FindingLines(const FolderCheck& check);

// The lines of one kind only.
std::vector<std::string> FindingLines(const FolderCheck& check, FindingKind kind);

}  // namespace corvane
