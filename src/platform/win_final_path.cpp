#include "platform/win_final_path.h"

#include <vector>

#include "platform/win32.h"
#include "platform/win_handles.h"

namespace corvane {

std::optional<std::string> FinalPathOf(const std::string& szPath) {
    UniqueHandle hItem(CreateFileA(szPath.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!hItem.Valid()) return std::nullopt;
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD lLength = GetFinalPathNameByHandleA(hItem.Get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (lLength == 0) return std::nullopt;
        if (lLength < buffer.size()) {
            std::string szFinal(buffer.data(), lLength);
            if (szFinal.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + szFinal.substr(8);
            // Wine's \\?\unix\ paths, of Unix folders no drive reaches, stay whole.
            if (szFinal.rfind("\\\\?\\", 0) == 0 && szFinal.size() > 6 && szFinal[5] == ':') return szFinal.substr(4);
            return szFinal;
        }
        buffer.resize(lLength + 1);
    }
}

}  // namespace corvane
