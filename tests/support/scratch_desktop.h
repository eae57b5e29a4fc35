// The desktop of the tests' Wine prefix moved to a scratch folder for one
// test, and put back when the test ends: the prefix's own desktop may be a
// link to the desktop of whoever runs the tests, which no test may touch.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"
#include "support/temp_folder.h"

namespace corvane::test {

class ScratchDesktop {
public:
    ScratchDesktop();
    ~ScratchDesktop();
    ScratchDesktop(const ScratchDesktop&) = delete;
    ScratchDesktop& operator=(const ScratchDesktop&) = delete;

    const TempFolder& Folder() const { return folder; }
    // The shell now gives the scratch folder as the desktop; check it before
    // anything may write there.
    bool Active() const;

private:
    TempFolder folder;
    HKEY hKey = nullptr;
    bool bHadValue = false;
    DWORD lOldType = 0;
    std::vector<BYTE> oldValue;
};

}  // namespace corvane::test
