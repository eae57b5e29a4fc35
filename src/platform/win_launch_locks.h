// Launch locks as named mutexes in the global namespace, so that they also
// keep apart programs of two players signed in on one computer. Only the
// mutex's existence counts, not which thread owns it: the lock is held as
// long as a handle to it is open. File locks lock the file's first byte,
// which Wine carries to the Unix file.
#pragma once

#include "platform/launch_locks.h"

namespace corvane {

class WinLaunchLocks : public LaunchLocks {
public:
    std::unique_ptr<HeldLock> TryHold(const std::string& szName) override;
    std::unique_ptr<HeldLock> TryHoldFile(const std::string& szPath) override;
};

}  // namespace corvane
