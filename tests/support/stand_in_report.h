// What the stand-in game recorded when it started.
#pragma once

#include <string>

#include "support/test_files.h"

namespace corvane::test {

struct StandInReport {
    std::string szCommandLine;
    std::string szCurrentFolder;
    std::string szGameFolder;
    TreeSnapshot gameFolder;  // as the game saw it, in the form of SnapshotTree
};

// Waits up to lTimeoutMs for the report file and reads it; throws when it
// does not come.
StandInReport WaitForStandInReport(const std::string& szPath, unsigned lTimeoutMs = 20000);

}  // namespace corvane::test
