// What the running program knows about itself: its folder, its arguments,
// and whether a top-level window of a given title exists.
#pragma once

#include <string>

namespace corvane {

// The full path of the running .exe.
std::string ProgramFile();

// The folder that holds the running .exe, without a trailing backslash
// except at a drive root ("C:\").
std::string AppPath();
// The folder part of a program file's full path, by the same rule.
std::string FolderOfProgramFile(const std::string& szProgramFile);

// The arguments as typed, without the program's own name.
std::string ArgumentText();

// A top-level window whose whole title is szTitle (letter case aside) exists.
bool FindTopLevelWindow(const std::string& szTitle);

}  // namespace corvane
