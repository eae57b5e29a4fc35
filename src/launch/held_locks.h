// The locks one launch holds, taken a name at a time and given up together.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/launch_locks.h"

namespace corvane {

class HeldLocks {
public:
    explicit HeldLocks(LaunchLocks& locks) : locks(locks) {}

    // Takes every lock of these names not held yet; false as soon as one is
    // held by another program (those taken stay held).
    bool Hold(const std::vector<std::string>& szNames);
    // The same for the lock on a file.
    bool HoldFile(const std::string& szPath);
    void Release();

private:
    LaunchLocks& locks;
    std::vector<std::unique_ptr<HeldLock>> held;
    std::vector<std::string> szHeld;  // their names
};

}  // namespace corvane
