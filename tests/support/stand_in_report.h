// What the stand-in game recorded when it started.
#pragma once

#include <string>

#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane::test {

struct StandInReport {
    std::string szCommandLine;
    std::string szCurrentFolder;
    std::string szGameFolder;
    TreeSnapshot gameFolder;  // as the game saw it, in the form of SnapshotTree
};

// The orders every stand-in game started during a test inherits: report to
// szReport, and wait until EndGame. The folder holding both is also a fine
// current folder for the program under test.
struct StandInOrders {
    TempFolder folder;
    const std::string szReport = folder / "report.txt";
    const std::string szEndFlag = folder / "end.flag";
    ScopedEnvironment report{"STANDIN_REPORT", szReport};
    ScopedEnvironment waitFor{"STANDIN_WAIT_FOR", szEndFlag};

    void EndGame() const { WriteBytes(szEndFlag, ""); }
    // The next game waits again, and its report is its own.
    void Rearm() const {
        RemoveTree(szEndFlag);
        RemoveTree(szReport);
    }
};

// Waits up to lTimeoutMs for the report file and reads it; throws when it
// does not come.
StandInReport WaitForStandInReport(const std::string& szPath, unsigned lTimeoutMs = 20000);

}  // namespace corvane::test
