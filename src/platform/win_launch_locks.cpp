#include "platform/win_launch_locks.h"

#include "platform/win_error.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

class WinHeldLock : public HeldLock {
public:
    explicit WinHeldLock(UniqueHandle hOwned) : hMutex(std::move(hOwned)) {}

private:
    UniqueHandle hMutex;
};

}  // namespace

std::unique_ptr<HeldLock> WinLaunchLocks::TryHold(const std::string& szName) {
    const std::string szGlobal = "Global\\" + szName;
    UniqueHandle hMutex(CreateMutexA(nullptr, FALSE, szGlobal.c_str()));
    const DWORD lError = GetLastError();
    // Another program made it first; a mutex made by another user's program
    // may not even be opened.
    if (lError == ERROR_ALREADY_EXISTS || lError == ERROR_ACCESS_DENIED) return nullptr;
    if (!hMutex.Valid()) ThrowWindowsError("CreateMutexA", szGlobal, lError);
    return std::make_unique<WinHeldLock>(std::move(hMutex));
}

}  // namespace corvane
