// The games' registry keys read through the ANSI registry calls.
#pragma once

#include "platform/registry.h"
#include "platform/win32.h"

namespace corvane {

class WinRegistry : public Registry {
public:
    explicit WinRegistry(HKEY hRoot = HKEY_LOCAL_MACHINE) : hRootKey(hRoot) {}
    // Opened in the 32-bit view: the games' installers are 32-bit programs,
    // so on 64-bit Windows their keys live there.
    std::unique_ptr<RegistryKey> OpenKey(const std::string& szSubKey) override;

private:
    HKEY hRootKey;
};

}  // namespace corvane
