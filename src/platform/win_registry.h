// Registry keys read through the ANSI registry calls, in the registry's
// 32-bit view.
#pragma once

#include "platform/registry.h"
#include "platform/win32.h"

namespace corvane {

enum class RegistryRights {
    kGameKey,   // the rights the games' keys have always been opened with
    kReadOnly,  // only what reading values needs, granted to every user
};

class WinRegistry : public Registry {
public:
    explicit WinRegistry(HKEY hRoot = HKEY_LOCAL_MACHINE, RegistryRights rights = RegistryRights::kGameKey)
        : hRootKey(hRoot), rights(rights) {}
    // Opened in the 32-bit view: the games' installers are 32-bit programs,
    // so on 64-bit Windows their keys live there.
    std::unique_ptr<RegistryKey> OpenKey(const std::string& szSubKey) override;

private:
    HKEY hRootKey;
    RegistryRights rights;
};

}  // namespace corvane
