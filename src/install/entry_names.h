// Which names the install may give the files and folders it writes: what
// Windows cannot create, takes for a device or a stream, or reads as a
// place outside the mod's folder.
#pragma once

#include <cstddef>
#include <string>

namespace corvane {

// The longest name of one file or folder, and the longest path, that
// Windows creates (in UTF-16 units; the path with long paths enabled).
inline constexpr size_t kMaxNameUnits = 255;
inline constexpr size_t kMaxPathUnits = 32767;

// Why a name (a title, or one folder or file name of an entry) cannot name
// a file or folder on Windows; "" when it can.
std::string NameProblem(const std::string& szName);

// Why the entry name may not be written below a folder: absolute, naming a
// drive or a stream, climbing above the archive's top, a device, a name
// Windows refuses, or longer than Windows allows; "" when it may, szPath
// then holds it with "\" between its parts, "." and ".." resolved.
std::string EntryProblem(const std::string& szName, std::string& szPath);

}  // namespace corvane
