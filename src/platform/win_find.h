// One pass of FindFirstFile/FindNextFile over a wildcard pattern.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct FoundEntry {
    std::string szName;   // without folder
    uint32_t lAttributes; // as the listing reports them
    uint64_t lSize;       // bytes of a file
    uint64_t lWriteTime;  // last write, in 100 ns steps since 1601
};

// Every entry that matches the pattern, "." and ".." included, in the order
// the file system lists them. A pattern whose folder or files do not exist
// lists nothing; any other failure throws PlatformError.
std::vector<FoundEntry> FindEntries(const std::string& szPattern);

}  // namespace corvane
