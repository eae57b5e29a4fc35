// Any bytes as Steam's library list and as an app manifest: no crash, no
// hang, no read out of bounds, whatever a damaged or hostile file holds.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "state/steam_library.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize) {
    const std::string_view szText(reinterpret_cast<const char*>(pData), lSize);
    const std::vector<corvane::SteamLibrary> libraries = corvane::ReadLibraryFolders(szText);
    corvane::LibrariesForApp(libraries, "C:\\Steam", corvane::kSteamZeroHourApp);
    corvane::ReadInstallDir(szText);
    return 0;
}
