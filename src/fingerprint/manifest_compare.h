// What differs between two players' fingerprints, file by file: what tells
// them which file to copy from whom before they play together.
#pragma once

#include <string>
#include <vector>

#include "fingerprint/manifest.h"

namespace corvane {

// One line per difference, each beginning with its kind: "Program:" first
// when the programs differ, then in the order of the names "Only yours:",
// "Only theirs:" and "Differs:" with the file's name (the archive's path,
// "|" and the path inside it for a file inside an archive). Where nothing
// differs, one line that says so.
std::vector<std::string> CompareManifests(const Manifest& yours, const Manifest& theirs);

}  // namespace corvane
