// Files with more than one name: a BIG archive linked into the game folder
// is the mod's own file under a second name. Writing through that name, or
// changing its attributes, would change the mod's file.
#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// The file at the path has more than one name. A file that cannot be
// opened to ask counts as having one.
bool HasOtherNames(const std::string& szPath);

// Deletes this name of a read-only, hidden or system file with other names,
// and leaves the file's attributes as they were for those names.
void DeleteNameKeepingAttributes(const std::string& szPath);

}  // namespace corvane
