#include "platform/win_registry.h"

#include <algorithm>
#include <vector>

#include "platform/win_error.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

// Query, set value, create sub-key, enumerate, notify and create link: the
// rights the games' keys have always been opened with, although only values
// are read. Where they are refused the game counts as not installed.
constexpr REGSAM kGameKeyAccess = 0x3F;

class WinRegistryKey : public RegistryKey {
public:
    WinRegistryKey(UniqueKey hOpened, std::string szOpenedName)
        : hKey(std::move(hOpened)), szKeyName(std::move(szOpenedName)) {}

    std::string QueryValue(const std::string& szName, uint32_t lBufferSize) override {
        // At least one byte, so that the call always has a buffer to fill and
        // reports a value that does not fit instead of only its size.
        std::vector<char> buffer(std::max<uint32_t>(lBufferSize, 1), '\0');
        DWORD lSize = lBufferSize;
        DWORD lType = 0;
        const LSTATUS lResult =
            RegQueryValueExA(hKey.Get(), szName.c_str(), nullptr, &lType,
                             reinterpret_cast<BYTE*>(buffer.data()), &lSize);
        if (lResult != ERROR_SUCCESS)
            ThrowWindowsError("RegQueryValueExA", szKeyName + "\\" + szName, lResult);
        return std::string(buffer.data(), std::min<DWORD>(lSize, lBufferSize));
    }

private:
    UniqueKey hKey;
    std::string szKeyName;
};

}  // namespace

std::unique_ptr<RegistryKey> WinRegistry::OpenKey(const std::string& szSubKey) {
    UniqueKey hKey;
    const REGSAM lAccess = rights == RegistryRights::kGameKey ? kGameKeyAccess : KEY_READ;
    const LSTATUS lResult = RegOpenKeyExA(hRootKey, szSubKey.c_str(), 0, lAccess | KEY_WOW64_32KEY, hKey.Receive());
    if (lResult != ERROR_SUCCESS) ThrowWindowsError("RegOpenKeyExA", szSubKey, lResult);
    return std::make_unique<WinRegistryKey>(std::move(hKey), szSubKey);
}

}  // namespace corvane
