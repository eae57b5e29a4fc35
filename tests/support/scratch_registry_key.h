// A registry key of the test's own under HKEY_LOCAL_MACHINE (or another
// root), in the 32-bit or the 64-bit view, removed with everything in it when
// the test ends. Only ever made in the tests' own Wine prefix.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

namespace corvane::test {

enum class RegistryView { k32Bit, k64Bit };

class ScratchRegistryKey {
public:
    // Creates szSubKey, by default SOFTWARE\CorvaneTest-<unique>.
    explicit ScratchRegistryKey(RegistryView view, std::string szSubKey = "", HKEY hRoot = HKEY_LOCAL_MACHINE);
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    // The key's path below its root, e.g. "SOFTWARE\CorvaneTest-1-2".
    const std::string& SubKey() const { return szSubKey; }

    void SetText(const std::string& szValueName, const std::string& szText);
    void SetDword(const std::string& szValueName, uint32_t lValue);

private:
    void SetValue(const std::string& szValueName, DWORD lType, const void* pData, DWORD lSize);

    HKEY hRootKey;
    REGSAM lView;
    std::string szSubKey;
    HKEY hKey = nullptr;
};

}  // namespace corvane::test
