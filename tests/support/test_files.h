// Reading, writing and snapshotting real files in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace corvane::test {

// Writes the bytes exactly; creates the missing parent folders.
void WriteBytes(const std::string& szPath, const std::string& szBytes);
// The file's bytes; throws when it cannot be read.
std::string ReadBytes(const std::string& szPath);
// Creates the folder and its missing parents.
void MakeFolders(const std::string& szPath);
void SetAttributes(const std::string& szPath, uint32_t lAttributes);
// INVALID_FILE_ATTRIBUTES when the entry does not exist.
uint32_t Attributes(const std::string& szPath);
bool Present(const std::string& szPath);
// How many names the file has: 2 and more for a file that was linked.
uint32_t LinkCount(const std::string& szPath);
// Calls visit with the name and the attributes of each entry of the folder.
void ForEachEntry(const std::string& szFolder, const std::function<void(const std::string&, uint32_t)>& visit);

// A whole tree as relative path -> content; folders map to "<folder>".
// Comparing two snapshots tells whether a tree is byte for byte what it was.
using TreeSnapshot = std::map<std::string, std::string>;
TreeSnapshot SnapshotTree(const std::string& szRoot);
// The snapshot as readable lines, for failure messages.
std::string Describe(const TreeSnapshot& tree);

// The value of an environment variable set for this process and the
// programs it starts; restores the old value when it goes.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string szName, const std::string& szValue);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string szName;
    std::string szOldValue;
    bool bHadValue = false;
};

}  // namespace corvane::test
