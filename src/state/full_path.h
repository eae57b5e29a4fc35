// Full paths as Windows makes them of what a player, a mod or an installer
// wrote, in the one plain form the program compares and writes them in:
// "C:\Games\Gen", "\\server\share\Games", and under Wine, for Unix folders
// no drive letter reaches, "\\?\unix\home\deck\Games".
#pragma once

#include <optional>
#include <string>

namespace corvane {

// The full path a path names, as Windows resolves it: forward slashes are
// backslashes, backslashes in a row count as one, "." and ".." are resolved
// (never above the root), a part loses one trailing dot, the last part all
// its trailing dots and blanks, and a trailing backslash goes (a drive's or
// Unix root keeps its own). "\\?\C:\", "\\?\UNC\server\share\" and
// "\\?\unix\" paths are taken as they stand, so one that the plain form
// would spell otherwise names what no plain path reaches and is none;
// "\\.\C:\" paths are made plain like "C:\" ones. Nothing for a path that
// is no full path ("Data\INI", "C:Data", "\Data"), or that names a device.
std::optional<std::string> FullPathOf(const std::string& szPath);

// How many of a full path's first characters are its root: 3 for "C:\",
// 9 for "\\?\unix\", the length of "\\server\share"; 0 for any other text.
size_t RootLength(const std::string& szPath);

}  // namespace corvane
