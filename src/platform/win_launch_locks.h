// Launch locks as named mutexes in the global namespace, so that they also
// keep apart programs of two players signed in on one computer. Only the
// mutex's existence counts, not which thread owns it: the lock is held as
// long as a handle to it is open.
#pragma once

#include "platform/launch_locks.h"

namespace corvane {

class WinLaunchLocks : public LaunchLocks {
public:
    std::unique_ptr<HeldLock> TryHold(const std::string& szName) override;
};

}  // namespace corvane
