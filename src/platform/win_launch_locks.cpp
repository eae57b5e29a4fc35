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

// The lock goes with the handle, and with the process: a crash never
// leaves it held.
std::unique_ptr<HeldLock> WinLaunchLocks::TryHoldFile(const std::string& szPath) {
    UniqueHandle hFile(CreateFileA(szPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile.Valid()) ThrowLastError("CreateFileA", szPath);
    OVERLAPPED at{};
    if (LockFileEx(hFile.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return std::make_unique<WinHeldLock>(std::move(hFile));
    const DWORD lError = GetLastError();
    if (lError == ERROR_LOCK_VIOLATION || lError == ERROR_IO_PENDING) return nullptr;
    ThrowWindowsError("LockFileEx", szPath, lError);
}

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
