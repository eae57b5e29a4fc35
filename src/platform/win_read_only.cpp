#include "platform/win_read_only.h"

#include "platform/win32.h"
#include "platform/win_error.h"

namespace corvane {

void RefuseReadOnly(const std::string& szOperation, const std::string& szPath) {
    const DWORD lAttributes = GetFileAttributesA(szPath.c_str());
    if (lAttributes != INVALID_FILE_ATTRIBUTES && (lAttributes & FILE_ATTRIBUTE_READONLY))
        ThrowWindowsError(szOperation, szPath, ERROR_ACCESS_DENIED);
}

}  // namespace corvane
