// Where a path truly lies, as the system resolves it: long names, links,
// junctions, and the drive a subst or mapped letter stands for.
#pragma once

#include <optional>
#include <string>

namespace corvane {

// The item's final path in its drive-letter (or \\server\share) form;
// nothing when it cannot be opened or asked.
std::optional<std::string> FinalPathOf(const std::string& szPath);

}  // namespace corvane
