// A scratch folder for one test, removed with everything in it (read-only,
// hidden and system items included) when the test ends.
#pragma once

#include <string>

namespace corvane::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing backslash.
    const std::string& Path() const { return szPath; }
    // Path() & "\" & szRelative.
    std::string operator/(const std::string& szRelative) const { return szPath + "\\" + szRelative; }

private:
    std::string szPath;
};

// A name no other test, in this process or another, uses at the same time.
std::string UniqueScratchName(const std::string& szPrefix);

// Deletes a file or a folder tree whatever its attributes; missing is fine.
void RemoveTree(const std::string& szPath);

}  // namespace corvane::test
