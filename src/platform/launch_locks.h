// Named locks that keep two launches off one game folder. A lock lives as
// long as the object that holds it, and dies with its process, so a crash
// never locks the player out.
#pragma once

#include <memory>
#include <string>

namespace corvane {

class HeldLock {
public:
    virtual ~HeldLock() = default;  // gives the lock up
};

class LaunchLocks {
public:
    virtual ~LaunchLocks() = default;
    // Takes the lock of that name, or nothing when another program holds it.
    virtual std::unique_ptr<HeldLock> TryHold(const std::string& szName) = 0;
    // Takes a lock on the file at the path (made when missing), or nothing
    // when another program holds it. Every program that opens that file
    // sees it, also one in another Wine prefix (another wineserver), where
    // named locks are not seen.
    virtual std::unique_ptr<HeldLock> TryHoldFile(const std::string& szPath) = 0;
};

}  // namespace corvane
