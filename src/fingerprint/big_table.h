// The table of contents of a game archive (a .big file): which files it
// holds and where their bytes lie. The names in it are data, never paths
// to open. A table that lies about the archive is told as such, so that
// the archive is taken as one whole file instead.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace corvane {

// One file inside an archive, as its table gives it.
struct BigEntry {
    std::string szName;  // as written in the table
    uint32_t lOffset = 0;
    uint32_t lSize = 0;
};

enum class BigTableKind {
    kArchive,     // a sound table: every entry within the archive
    kNoArchive,   // no "BIGF" or "BIG4" at its start: the game loads no archive from it
    kLies,        // the header or the table does not fit the file
};

struct BigTable {
    BigTableKind kind = BigTableKind::kNoArchive;
    std::string szHeader;  // "BIGF" or "BIG4"
    std::vector<BigEntry> entries;
    std::string szLie;  // where the table lies, said for the player
};

// Reads the header and the table in bounded steps, whatever the file
// holds: no read past the archive's end, no more memory than its table.
// Failures of the file itself are thrown as PlatformError.
BigTable ReadBigTable(InputFile& file);

}  // namespace corvane
