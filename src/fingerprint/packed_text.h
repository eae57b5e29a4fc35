// A text kept in a file of its own, compressed with zlib behind a first
// line that says what the file is: the manifests players send each other
// and the hash cache. zlib's own checksum tells a damaged file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace corvane {

// bSmallest: packed as small as zlib can, for a file sent to another player;
// else stored as it is, for a file read back often, whose reading is then a
// copy (zlib's checksum still tells a damaged one).
std::string PackText(const std::string& szMarker, const std::string& szText, bool bSmallest = true);

enum class PackedKind {
    kText,     // the file is what the marker says, whole
    kOther,    // it does not begin with the marker
    kDamaged,  // it does, but what follows is cut short, changed or too long
};

struct UnpackedText {
    PackedKind kind = PackedKind::kOther;
    std::string szText;
};

// Refuses a text of more than lLargest bytes as damaged, so that a small
// file cannot unpack to gigabytes.
UnpackedText UnpackText(const std::string& szMarker, const std::string& szBytes, size_t lLargest);

// The whole file; nothing when it holds more than lLargest bytes.
std::optional<std::string> ReadSmallFile(FileSystem& files, const std::string& szPath, uint64_t lLargest);

}  // namespace corvane
