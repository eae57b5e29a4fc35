#include "platform/win_find.h"

#include "platform/win32.h"
#include "platform/win_code_page.h"
#include "platform/win_error.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

bool NothingToList(DWORD lError) {
    return lError == ERROR_FILE_NOT_FOUND || lError == ERROR_PATH_NOT_FOUND ||
           lError == ERROR_NO_MORE_FILES;
}

}  // namespace

// The wide calls: WIN32_FIND_DATAA holds a name in MAX_PATH bytes, which a
// name in Chinese or Cyrillic outgrows long before the file system does.
std::vector<FoundEntry> FindEntries(const std::string& szPattern) {
    std::vector<FoundEntry> entries;
    WIN32_FIND_DATAW fd{};
    UniqueFindHandle hFind(FindFirstFileW(ProgramTextToWide(szPattern).c_str(), &fd));
    if (!hFind.Valid()) {
        const DWORD lError = GetLastError();
        if (NothingToList(lError)) return entries;
        ThrowWindowsError("FindFirstFileW", szPattern, lError);
    }
    do {
        entries.push_back({WideToProgramText(fd.cFileName), fd.dwFileAttributes,
                           (uint64_t{fd.nFileSizeHigh} << 32) | fd.nFileSizeLow,
                           (uint64_t{fd.ftLastWriteTime.dwHighDateTime} << 32) | fd.ftLastWriteTime.dwLowDateTime});
    } while (FindNextFileW(hFind.Get(), &fd));
    const DWORD lError = GetLastError();
    if (lError != ERROR_NO_MORE_FILES) ThrowWindowsError("FindNextFileW", szPattern, lError);
    return entries;
}

}  // namespace corvane
