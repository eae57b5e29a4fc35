// The header of a BIG archive, the game's own kind: "BIGF" or "BIG4", the
// archive's size (4 bytes, lowest first), then the number of files in it and
// where its file table ends (4 bytes each, highest first).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

inline constexpr size_t kBigHeaderSize = 16;

struct BigHeader {
    uint32_t lArchiveSize = 0;
    uint32_t lFileCount = 0;
    uint32_t lTableEnd = 0;
};

// The header of an archive from its first bytes; nothing when they are not
// the header of one (another kind of file, or cut short).
std::optional<BigHeader> ReadBigHeader(const std::string& szFirstBytes);

}  // namespace corvane
