#include "platform/win_file_system_object.h"

#include <optional>
#include <vector>

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_find.h"
#include "platform/win_read_only.h"

namespace corvane {

namespace {

bool IsOwnOrParent(const std::string& szName) { return szName == "." || szName == ".."; }

bool IsFolder(DWORD lAttributes) { return (lAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

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
    if (!IsFolder(AttributesOf(szPath))) ThrowWindowsError("GetFileAttributesA", szPath, ERROR_DIRECTORY);
}

// Creates the folder unless a folder of that name is there already.
void EnsureFolder(const std::string& szPath) {
    if (CreateDirectoryA(szPath.c_str(), nullptr)) return;
    const DWORD lError = GetLastError();
    if (lError == ERROR_ALREADY_EXISTS) {
        const DWORD lAttributes = GetFileAttributesA(szPath.c_str());
        if (lAttributes != INVALID_FILE_ATTRIBUTES && IsFolder(lAttributes)) return;
    }
    ThrowWindowsError("CreateDirectoryA", szPath, lError);
}

// Hands the bytes each chunk of a copy wrote to the caller's progress.
struct ProgressRelay {
    CopyProgress* progress;
    uint64_t lReported = 0;
};

DWORD CALLBACK RelayProgress(LARGE_INTEGER, LARGE_INTEGER lTransferred, LARGE_INTEGER, LARGE_INTEGER, DWORD,
                             DWORD, HANDLE, HANDLE, LPVOID pRelay) {
    auto* relay = static_cast<ProgressRelay*>(pRelay);
    const auto lNow = static_cast<uint64_t>(lTransferred.QuadPart);
    if (lNow > relay->lReported) relay->progress->BytesCopied(lNow - relay->lReported);
    relay->lReported = lNow;
    return PROGRESS_CONTINUE;
}

uint64_t SizeOf(const std::string& szPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(szPath.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// False when the copy failed; the thread's last error says why. lSize: the
// file's size when the caller knows it already.
bool TryCopy(const std::string& szSource, const std::string& szDestination, bool bOverwrite,
             CopyProgress* progress, std::optional<uint64_t> lSize) {
    ProgressRelay relay{progress};
    if (!CopyFileExA(szSource.c_str(), szDestination.c_str(), progress ? RelayProgress : nullptr,
                     progress ? &relay : nullptr, nullptr, bOverwrite ? 0 : COPY_FILE_FAIL_IF_EXISTS))
        return false;
    // Some systems (Wine among them) never call back: the whole file is
    // reported at its end.
    if (progress && relay.lReported == 0) {
        const uint64_t lBytes = lSize ? *lSize : SizeOf(szDestination);
        if (lBytes) progress->BytesCopied(lBytes);
    }
    return true;
}

void CopyOneFile(const std::string& szSource, const std::string& szDestination, bool bOverwrite,
                 CopyProgress* progress, std::optional<uint64_t> lSize = std::nullopt) {
    if (!TryCopy(szSource, szDestination, bOverwrite, progress, lSize))
        ThrowLastError("CopyFileExA", szSource + " -> " + szDestination);
}

// A file of a folder copy: most have no namesake at the destination, and
// those are created as new files. Only a name that is taken (or a copy that
// failed for any other reason) takes the way of a replacement, which then
// also gives the error. Creating every file as a replacement costs more than
// the failed try: Wine then truncates each new file, and the file system
// writes every such file out as it is closed, which slows the copy and the
// later delete of the copies several times.
void CopyIntoFolder(const std::string& szSource, const std::string& szDestination, CopyProgress* progress,
                    uint64_t lSize) {
    if (TryCopy(szSource, szDestination, false, progress, lSize)) return;
    RefuseReadOnly("CopyFileExA", szDestination);
    CopyOneFile(szSource, szDestination, true, progress, lSize);
}

void CopyTree(const std::string& szSource, const std::string& szDestination, CopyProgress* progress) {
    // Listed before the destination exists, so that a copy into a folder
    // inside the source does not copy itself again and again.
    const std::vector<FoundEntry> entries = Contents(szSource);
    EnsureFolder(szDestination);
    for (const FoundEntry& entry : entries) {
        const std::string szFrom = szSource + "\\" + entry.szName;
        const std::string szTo = szDestination + "\\" + entry.szName;
        if (IsFolder(entry.lAttributes)) {
            CopyTree(szFrom, szTo, progress);
        } else {
            CopyIntoFolder(szFrom, szTo, progress, entry.lSize);
        }
    }
}

// Read-only, hidden or system items refuse to go; only those are changed
// first, the others are deleted as they are.
void MakeDeletable(const std::string& szPath, DWORD lAttributes) {
    if (!(lAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) return;
    if (!SetFileAttributesA(szPath.c_str(), FILE_ATTRIBUTE_NORMAL)) ThrowLastError("SetFileAttributesA", szPath);
}

void RemoveFolder(const std::string& szPath, DWORD lAttributes) {
    MakeDeletable(szPath, lAttributes);
    if (!RemoveDirectoryA(szPath.c_str())) ThrowLastError("RemoveDirectoryA", szPath);
}

void RemoveFile(const std::string& szPath, DWORD lAttributes) {
    MakeDeletable(szPath, lAttributes);
    if (!DeleteFileA(szPath.c_str())) ThrowLastError("DeleteFileA", szPath);
}

void DeleteTree(const std::string& szFolder, DWORD lFolderAttributes) {
    for (const FoundEntry& entry : Contents(szFolder)) {
        const std::string szPath = szFolder + "\\" + entry.szName;
        // A linked folder is removed as a link: what it points at is not ours.
        if (IsFolder(entry.lAttributes) && !(entry.lAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            DeleteTree(szPath, entry.lAttributes);
        else if (IsFolder(entry.lAttributes))
            RemoveFolder(szPath, entry.lAttributes);
        else
            RemoveFile(szPath, entry.lAttributes);
    }
    RemoveFolder(szFolder, lFolderAttributes);
}

uint64_t TreeBytes(const std::string& szFolder) {
    uint64_t lBytes = 0;
    for (const FoundEntry& entry : Contents(szFolder))
        lBytes += IsFolder(entry.lAttributes) ? TreeBytes(szFolder + "\\" + entry.szName) : entry.lSize;
    return lBytes;
}

}  // namespace

void WinFileSystemObject::CopyFile(const std::string& szSource, const std::string& szDestination,
                                   CopyProgress* progress) {
    CopyOneFile(szSource, szDestination, false, progress);
}

void WinFileSystemObject::CopyFolder(const std::string& szSource, const std::string& szDestination,
                                     CopyProgress* progress) {
    RequireFolder(szSource);
    CopyTree(szSource, szDestination, progress);
}

void WinFileSystemObject::DeleteFile(const std::string& szPath, bool bForce) {
    const DWORD lAttributes = AttributesOf(szPath);
    if (IsFolder(lAttributes)) ThrowWindowsError("DeleteFileA", szPath, ERROR_ACCESS_DENIED);
    if (!bForce && (lAttributes & FILE_ATTRIBUTE_READONLY))
        ThrowWindowsError("DeleteFileA", szPath, ERROR_ACCESS_DENIED);
    RemoveFile(szPath, lAttributes);
}

void WinFileSystemObject::DeleteFolder(const std::string& szPath) {
    const DWORD lAttributes = AttributesOf(szPath);
    if (!IsFolder(lAttributes)) ThrowWindowsError("GetFileAttributesA", szPath, ERROR_DIRECTORY);
    DeleteTree(szPath, lAttributes);
}

uint64_t WinFileSystemObject::FolderBytes(const std::string& szFolder) { return TreeBytes(szFolder); }

}  // namespace corvane
