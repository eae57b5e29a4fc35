#include "platform/win_file_system_object.h"

#include <vector>

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_find.h"
#include "platform/win_read_only.h"

namespace corvane {

namespace {

bool IsOwnOrParent(const std::string& szName) { return szName == "." || szName == ".."; }

// Everything in a folder, hidden and system items included.
std::vector<FoundEntry> Contents(const std::string& szFolder) {
    std::vector<FoundEntry> entries;
    for (FoundEntry& entry : FindEntries(szFolder + "\\*"))
        if (!IsOwnOrParent(entry.szName)) entries.push_back(std::move(entry));
    return entries;
}

DWORD AttributesOf(const std::string& szPath) {
    const DWORD lAttributes = GetFileAttributesA(szPath.c_str());
    if (lAttributes == INVALID_FILE_ATTRIBUTES) ThrowLastError("GetFileAttributesA", szPath);
    return lAttributes;
}

void RequireFolder(const std::string& szPath) {
    if (!(AttributesOf(szPath) & FILE_ATTRIBUTE_DIRECTORY))
        ThrowWindowsError("GetFileAttributesA", szPath, ERROR_DIRECTORY);
}

// Creates the folder unless a folder of that name is there already.
void EnsureFolder(const std::string& szPath) {
    if (CreateDirectoryA(szPath.c_str(), nullptr)) return;
    const DWORD lError = GetLastError();
    if (lError == ERROR_ALREADY_EXISTS) {
        const DWORD lAttributes = GetFileAttributesA(szPath.c_str());
        if (lAttributes != INVALID_FILE_ATTRIBUTES && (lAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return;
    }
    ThrowWindowsError("CreateDirectoryA", szPath, lError);
}

void ReplaceFile(const std::string& szSource, const std::string& szDestination) {
    RefuseReadOnly("CopyFileA", szDestination);
    if (!CopyFileA(szSource.c_str(), szDestination.c_str(), FALSE))
        ThrowLastError("CopyFileA", szSource + " -> " + szDestination);
}

void CopyTree(const std::string& szSource, const std::string& szDestination) {
    // Listed before the destination exists, so that a copy into a folder
    // inside the source does not copy itself again and again.
    const std::vector<FoundEntry> entries = Contents(szSource);
    EnsureFolder(szDestination);
    for (const FoundEntry& entry : entries) {
        const std::string szFrom = szSource + "\\" + entry.szName;
        const std::string szTo = szDestination + "\\" + entry.szName;
        if (entry.lAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(szFrom, szTo);
        else
            ReplaceFile(szFrom, szTo);
    }
}

void MakeDeletable(const std::string& szPath) {
    if (!SetFileAttributesA(szPath.c_str(), FILE_ATTRIBUTE_NORMAL))
        ThrowLastError("SetFileAttributesA", szPath);
}

void RemoveFolder(const std::string& szPath) {
    MakeDeletable(szPath);
    if (!RemoveDirectoryA(szPath.c_str())) ThrowLastError("RemoveDirectoryA", szPath);
}

void DeleteTree(const std::string& szFolder) {
    for (const FoundEntry& entry : Contents(szFolder)) {
        const std::string szPath = szFolder + "\\" + entry.szName;
        const bool bFolder = entry.lAttributes & FILE_ATTRIBUTE_DIRECTORY;
        // A linked folder is removed as a link: what it points at is not ours.
        if (bFolder && !(entry.lAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            DeleteTree(szPath);
        } else if (bFolder) {
            RemoveFolder(szPath);
        } else {
            MakeDeletable(szPath);
            if (!DeleteFileA(szPath.c_str())) ThrowLastError("DeleteFileA", szPath);
        }
    }
    RemoveFolder(szFolder);
}

}  // namespace

void WinFileSystemObject::CopyFile(const std::string& szSource, const std::string& szDestination) {
    if (!CopyFileA(szSource.c_str(), szDestination.c_str(), TRUE))
        ThrowLastError("CopyFileA", szSource + " -> " + szDestination);
}

void WinFileSystemObject::CopyFolder(const std::string& szSource,
                                     const std::string& szDestination) {
    RequireFolder(szSource);
    CopyTree(szSource, szDestination);
}

void WinFileSystemObject::DeleteFile(const std::string& szPath) {
    if (AttributesOf(szPath) & FILE_ATTRIBUTE_DIRECTORY)
        ThrowWindowsError("DeleteFileA", szPath, ERROR_ACCESS_DENIED);
    RefuseReadOnly("DeleteFileA", szPath);
    if (!DeleteFileA(szPath.c_str())) ThrowLastError("DeleteFileA", szPath);
}

void WinFileSystemObject::DeleteFolder(const std::string& szPath) {
    RequireFolder(szPath);
    DeleteTree(szPath);
}

}  // namespace corvane
