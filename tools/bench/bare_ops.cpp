#include "bare_ops.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "platform/win32.h"

namespace corvane::bench {

namespace {

[[noreturn]] void Fail(const char* szCall, const std::string& szPath) {
    throw std::runtime_error(std::string(szCall) + "(" + szPath + ") failed with " + std::to_string(GetLastError()));
}

bool IsOwnOrParent(const char* szName) { return !strcmp(szName, ".") || !strcmp(szName, ".."); }

// Calls visit for every entry of the folder but "." and "..".
void ForEachEntry(const std::string& szFolder, const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
    WIN32_FIND_DATAA fd{};
    HANDLE hFind = FindFirstFileA((szFolder + "\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND) return;
        Fail("FindFirstFileA", szFolder);
    }
    do {
        if (!IsOwnOrParent(fd.cFileName)) visit(fd);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}

bool IsFolder(const WIN32_FIND_DATAA& fd) { return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

void SnapshotInto(const std::string& szRoot, const std::string& szRel, std::vector<TreeItem>& items) {
    ForEachEntry(szRel.empty() ? szRoot : szRoot + "\\" + szRel, [&](const WIN32_FIND_DATAA& fd) {
        const std::string szPath = szRel.empty() ? fd.cFileName : szRel + "\\" + fd.cFileName;
        items.push_back({szPath, fd.dwFileAttributes, (uint64_t{fd.nFileSizeHigh} << 32) | fd.nFileSizeLow});
        if (IsFolder(fd)) SnapshotInto(szRoot, szPath, items);
    });
}

}  // namespace

void BareCopy(const std::string& szFrom, const std::string& szTo) {
    if (!CreateDirectoryA(szTo.c_str(), nullptr)) Fail("CreateDirectoryA", szTo);
    ForEachEntry(szFrom, [&](const WIN32_FIND_DATAA& fd) {
        const std::string szSource = szFrom + "\\" + fd.cFileName;
        const std::string szTarget = szTo + "\\" + fd.cFileName;
        if (IsFolder(fd))
            BareCopy(szSource, szTarget);
        else if (!CopyFileA(szSource.c_str(), szTarget.c_str(), TRUE))
            Fail("CopyFileA", szSource);
    });
}

// The names are taken first: deleting while the listing is open would
// change what the listing returns.
void BareDelete(const std::string& szFolder) {
    if (GetFileAttributesA(szFolder.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    std::vector<std::pair<std::string, bool>> entries;
    ForEachEntry(szFolder, [&](const WIN32_FIND_DATAA& fd) { entries.emplace_back(fd.cFileName, IsFolder(fd)); });
    for (const auto& [szName, bFolder] : entries) {
        const std::string szPath = szFolder + "\\" + szName;
        if (bFolder)
            BareDelete(szPath);
        else if (!DeleteFileA(szPath.c_str()))
            Fail("DeleteFileA", szPath);
    }
    if (!RemoveDirectoryA(szFolder.c_str())) Fail("RemoveDirectoryA", szFolder);
}

uint64_t BareWalk(const std::string& szFolder) {
    uint64_t lEntries = 0;
    ForEachEntry(szFolder, [&](const WIN32_FIND_DATAA& fd) {
        ++lEntries;
        if (IsFolder(fd)) lEntries += BareWalk(szFolder + "\\" + fd.cFileName);
    });
    return lEntries;
}

uint64_t BareWalkOpeningArchives(const std::string& szFolder) {
    uint64_t lEntries = 0;
    ForEachEntry(szFolder, [&](const WIN32_FIND_DATAA& fd) {
        ++lEntries;
        const std::string szPath = szFolder + "\\" + fd.cFileName;
        if (IsFolder(fd)) {
            lEntries += BareWalkOpeningArchives(szPath);
            return;
        }
        const size_t lLength = strlen(fd.cFileName);
        if (lLength < 4 || _stricmp(fd.cFileName + lLength - 4, ".big") != 0) return;
        HANDLE hFile = CreateFileA(szPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE) Fail("CreateFileA", szPath);
        char szHeader[4] = {};
        DWORD lRead = 0;
        ReadFile(hFile, szHeader, sizeof(szHeader), &lRead, nullptr);
        CloseHandle(hFile);
    });
    return lEntries;
}

std::vector<TreeItem> TreeSnapshot(const std::string& szFolder) {
    std::vector<TreeItem> items;
    SnapshotInto(szFolder, "", items);
    std::sort(items.begin(), items.end(), [](const TreeItem& a, const TreeItem& b) { return a.szPath < b.szPath; });
    return items;
}

}  // namespace corvane::bench
