#include "e2e/game_registration.h"

#include <stdexcept>

#include "platform/win32.h"

namespace corvane::test {

GameRegistration::GameRegistration(std::string szSubKey, const std::string& szInstallPath,
                                   uint32_t lVersion)
    : szKey(std::move(szSubKey)) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, szKey.c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot register " + szKey);
    RegSetValueExA(hKey, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(szInstallPath.c_str()),
                   static_cast<DWORD>(szInstallPath.size() + 1));
    RegSetValueExA(hKey, "Version", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&lVersion), sizeof(lVersion));
    RegCloseKey(hKey);
}

GameRegistration::~GameRegistration() {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, szKey.c_str(), KEY_WOW64_32KEY, 0);
}

}  // namespace corvane::test
