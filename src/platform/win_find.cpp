#include "platform/win_find.h"

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

bool NothingToList(DWORD lError) {
    return lError == ERROR_FILE_NOT_FOUND || lError == ERROR_PATH_NOT_FOUND ||
           lError == ERROR_NO_MORE_FILES;
}

}  // namespace

std::vector<FoundEntry> FindEntries(const std::string& szPattern) {
    std::vector<FoundEntry> entries;
    WIN32_FIND_DATAA fd{};
    UniqueFindHandle hFind(FindFirstFileA(szPattern.c_str(), &fd));
    if (!hFind.Valid()) {
        const DWORD lError = GetLastError();
        if (NothingToList(lError)) return entries;
        ThrowWindowsError("FindFirstFileA", szPattern, lError);
    }
    do {
        entries.push_back({fd.cFileName, fd.dwFileAttributes,
                           (uint64_t{fd.nFileSizeHigh} << 32) | fd.nFileSizeLow});
    } while (FindNextFileA(hFind.Get(), &fd));
    const DWORD lError = GetLastError();
    if (lError != ERROR_NO_MORE_FILES) ThrowWindowsError("FindNextFileA", szPattern, lError);
    return entries;
}

}  // namespace corvane
