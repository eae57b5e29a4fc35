#include "support/scratch_registry_key.h"

#include <stdexcept>

#include "support/temp_folder.h"

namespace corvane::test {

ScratchRegistryKey::ScratchRegistryKey(RegistryView view, std::string szKey, HKEY hRoot)
    : hRootKey(hRoot),
      lView(view == RegistryView::k32Bit ? KEY_WOW64_32KEY : KEY_WOW64_64KEY), szSubKey(szKey.empty() ? "SOFTWARE\\" + UniqueScratchName("CorvaneTest-") : std::move(szKey)) {
    const LSTATUS lResult = RegCreateKeyExA(hRootKey, szSubKey.c_str(), 0, nullptr, 0,
                                            KEY_ALL_ACCESS | lView, nullptr, &hKey, nullptr);
    if (lResult != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the scratch key " + szSubKey);
}

ScratchRegistryKey::~ScratchRegistryKey() {
    RegDeleteTreeA(hKey, nullptr);
    RegCloseKey(hKey);
    RegDeleteKeyExA(hRootKey, szSubKey.c_str(), lView, 0);
}

void ScratchRegistryKey::SetText(const std::string& szValueName, const std::string& szText) {
    SetValue(szValueName, REG_SZ, szText.c_str(), static_cast<DWORD>(szText.size() + 1));
}

void ScratchRegistryKey::SetDword(const std::string& szValueName, uint32_t lValue) {
    const DWORD lData = lValue;
    SetValue(szValueName, REG_DWORD, &lData, sizeof(lData));
}

void ScratchRegistryKey::SetValue(const std::string& szValueName, DWORD lType, const void* pData,
                                  DWORD lSize) {
    if (RegSetValueExA(hKey, szValueName.c_str(), 0, lType, static_cast<const BYTE*>(pData),
                       lSize) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set " + szSubKey + "\\" + szValueName);
}

}  // namespace corvane::test
