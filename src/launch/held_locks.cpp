#include "launch/held_locks.h"

#include <algorithm>

namespace corvane {

bool HeldLocks::Hold(const std::vector<std::string>& szNames) {
    for (const std::string& szName : szNames) {
        if (std::find(szHeld.begin(), szHeld.end(), szName) != szHeld.end()) continue;
        std::unique_ptr<HeldLock> lock = locks.TryHold(szName);
        if (!lock) return false;
        held.push_back(std::move(lock));
        szHeld.push_back(szName);
    }
    return true;
}

bool HeldLocks::HoldFile(const std::string& szPath) {
    const std::string szName = "file:" + szPath;
    if (std::find(szHeld.begin(), szHeld.end(), szName) != szHeld.end()) return true;
    std::unique_ptr<HeldLock> lock = locks.TryHoldFile(szPath);
    if (!lock) return false;
    held.push_back(std::move(lock));
    szHeld.push_back(szName);
    return true;
}

void HeldLocks::Release() {
    held.clear();
    szHeld.clear();
}

}  // namespace corvane
