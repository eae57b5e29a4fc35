// What a plain program does with the same trees, with nothing but the
// system's own calls: the yardstick the launch and the scan are measured
// against. Failures are thrown as std::runtime_error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::bench {

// Creates szTo and copies every folder and file below szFrom into it:
// FindFirstFileA, CreateDirectoryA and CopyFileA.
void BareCopy(const std::string& szFrom, const std::string& szTo);

// Deletes szFolder and everything below it: FindFirstFileA, DeleteFileA and
// RemoveDirectoryA. Nothing there is nothing to do.
void BareDelete(const std::string& szFolder);

// Lists every folder below szFolder with FindFirstFileA; the number of
// entries seen ("." and ".." left out).
uint64_t BareWalk(const std::string& szFolder);

// BareWalk, and each file whose name ends in ".big" opened and its first
// four bytes read: the least a check for stray archives has to do.
uint64_t BareWalkOpeningArchives(const std::string& szFolder);

struct TreeItem {
    std::string szPath;  // below the listed folder
    uint32_t lAttr = 0;
    uint64_t lSize = 0;
    bool operator==(const TreeItem&) const = default;
};

// Every item below szFolder with its attributes and size, in path order:
// enough to tell whether a folder came back as it was.
std::vector<TreeItem> TreeSnapshot(const std::string& szFolder);

}  // namespace corvane::bench
