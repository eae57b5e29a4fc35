#include "support/scratch_desktop.h"

#include <stdexcept>

// Left out by the lean Windows headers.
#include <shlobj.h>

namespace corvane::test {

namespace {

// Where the shell looks first for the folders it gives out.
constexpr const char* kUserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

}  // namespace

ScratchDesktop::ScratchDesktop() {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kUserShellFolders, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot open the shell's folders");
    DWORD lSize = 0;
    bHadValue = RegQueryValueExA(hKey, "Desktop", nullptr, &lOldType, nullptr, &lSize) == ERROR_SUCCESS;
    if (bHadValue) {
        oldValue.resize(lSize);
        bHadValue = RegQueryValueExA(hKey, "Desktop", nullptr, &lOldType, oldValue.data(), &lSize) == ERROR_SUCCESS;
    }
    const std::string& szPath = folder.Path();
    if (RegSetValueExA(hKey, "Desktop", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(szPath.c_str()),
                       static_cast<DWORD>(szPath.size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("cannot move the desktop");
}

ScratchDesktop::~ScratchDesktop() {
    if (bHadValue)
        RegSetValueExA(hKey, "Desktop", 0, lOldType, oldValue.data(), static_cast<DWORD>(oldValue.size()));
    else
        RegDeleteValueA(hKey, "Desktop");
    RegCloseKey(hKey);
}

bool ScratchDesktop::Active() const {
    char szDesktop[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, szDesktop)) &&
           lstrcmpiA(szDesktop, folder.Path().c_str()) == 0;
}

}  // namespace corvane::test
