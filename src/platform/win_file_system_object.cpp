#include "platform/win_file_system_object.h"

#include <optional>
#include <vector>

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_find.h"
#include "platform/win_read_only.h"
#include "platform/win_shared_names.h"

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

// Hands the bytes each chunk of a copy wrote to the caller's guide.
struct ProgressRelay {
    CopyGuide* guide;
    uint64_t lReported = 0;
};

DWORD CALLBACK RelayProgress(LARGE_INTEGER, LARGE_INTEGER lTransferred, LARGE_INTEGER, LARGE_INTEGER, DWORD,
                             DWORD, HANDLE, HANDLE, LPVOID pRelay) {
    auto* relay = static_cast<ProgressRelay*>(pRelay);
    const auto lNow = static_cast<uint64_t>(lTransferred.QuadPart);
    if (lNow > relay->lReported) relay->guide->BytesCopied(lNow - relay->lReported);
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
             CopyGuide* guide, std::optional<uint64_t> lSize) {
    ProgressRelay relay{guide};
    if (!CopyFileExA(szSource.c_str(), szDestination.c_str(), guide ? RelayProgress : nullptr,
                     guide ? &relay : nullptr, nullptr, bOverwrite ? 0 : COPY_FILE_FAIL_IF_EXISTS))
        return false;
    // Some systems (Wine among them) never call back: the whole file is
    // reported at its end.
    if (guide && relay.lReported == 0) {
        const uint64_t lBytes = lSize ? *lSize : SizeOf(szDestination);
        if (lBytes) guide->BytesCopied(lBytes);
    }
    return true;
}

void CopyOneFile(const std::string& szSource, const std::string& szDestination, bool bOverwrite,
                 CopyGuide* guide, std::optional<uint64_t> lSize = std::nullopt) {
    if (!TryCopy(szSource, szDestination, bOverwrite, guide, lSize))
        ThrowLastError("CopyFileExA", szSource + " -> " + szDestination);
    if (guide) guide->FileDone(false);
}

std::string NameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of('\\') + 1); }

// A file with attributes of its own is copied: a link shares them with its
// source, and deleting a read-only link would change the source.
bool Linkable(const std::string& szName, DWORD lAttributes, CopyGuide* guide) {
    constexpr DWORD kOwnAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return guide && lAttributes != INVALID_FILE_ATTRIBUTES && !(lAttributes & kOwnAttributes) && guide->MayLink(szName);
}

// Links the destination to the source where the guide allows it and the
// volume lets it; false (and the guide told why) when the file is to be
// copied after all.
// bQuietIfTaken: a name that is taken is no refusal yet; the caller will
// make room and try again.
bool TryLink(const std::string& szSource, const std::string& szDestination, DWORD lAttributes, uint64_t lSize,
             CopyGuide* guide, bool bQuietIfTaken = false) {
    if (!Linkable(NameOf(szSource), lAttributes, guide)) return false;
    if (!CreateHardLinkA(szDestination.c_str(), szSource.c_str(), nullptr)) {
        const DWORD lError = GetLastError();
        if (bQuietIfTaken && lError == ERROR_ALREADY_EXISTS) return false;
        guide->LinkRefused(szDestination, "CreateHardLinkA: error " + std::to_string(lError) + ": " +
                                              WindowsErrorText(lError));
        return false;
    }
    if (lSize) guide->BytesCopied(lSize);
    guide->FileDone(true);
    return true;
}

// A file of a folder copy: most have no namesake at the destination, and
// those are created as new files. Only a name that is taken (or a copy that
// failed for any other reason) takes the way of a replacement, which then
// also gives the error. Creating every file as a replacement costs more than
// the failed try: Wine then truncates each new file, and the file system
// writes every such file out as it is closed, which slows the copy and the
// later delete of the copies several times. A namesake with other names (an
// archive an earlier entry linked in) is never written through: its name
// goes, and the new file takes its place.
void CopyIntoFolder(const std::string& szSource, const std::string& szDestination, CopyGuide* guide,
                    const FoundEntry& entry) {
    const uint64_t lSize = entry.lSize;
    if (TryLink(szSource, szDestination, entry.lAttributes, lSize, guide, true)) return;
    if (TryCopy(szSource, szDestination, false, guide, lSize)) {
        if (guide) guide->FileDone(false);
        return;
    }
    RefuseReadOnly("CopyFileExA", szDestination);
    if (HasOtherNames(szDestination)) {
        if (!DeleteFileA(szDestination.c_str())) ThrowLastError("DeleteFileA", szDestination);
        if (TryLink(szSource, szDestination, entry.lAttributes, lSize, guide)) return;
    } else if (Linkable(NameOf(szSource), entry.lAttributes, guide)) {
        guide->LinkRefused(szDestination, "a file of that name is replaced in place");
    }
    CopyOneFile(szSource, szDestination, true, guide, lSize);
}

struct TreeItem {
    std::string szFrom, szTo;
    FoundEntry entry;
};

// Everything below the folder, each folder before what it holds.
void ListTree(const std::string& szSource, const std::string& szDestination, std::vector<TreeItem>& items) {
    for (FoundEntry& entry : Contents(szSource)) {
        const bool bFolder = IsFolder(entry.lAttributes);
        TreeItem& item = items.emplace_back(
            TreeItem{szSource + "\\" + entry.szName, szDestination + "\\" + entry.szName, std::move(entry)});
        if (bFolder) ListTree(std::string(item.szFrom), std::string(item.szTo), items);
    }
}

ItemInfo InfoOf(const FoundEntry& entry) { return {entry.lAttributes, entry.lSize, entry.lWriteTime}; }

// The whole source is listed before the destination exists: a copy into a
// folder inside its own source then never copies itself again and again,
// and the caller learns of every item before the first is written.
void CopyTree(const std::string& szSource, const std::string& szDestination, CopyGuide* guide) {
    std::vector<TreeItem> items;
    ListTree(szSource, szDestination, items);
    if (guide) {
        std::vector<PlacedItem> placed;
        placed.reserve(items.size());
        for (const TreeItem& item : items) placed.push_back({item.szTo, InfoOf(item.entry)});
        guide->WillPlace(placed);
    }
    EnsureFolder(szDestination);
    for (const TreeItem& item : items) {
        if (IsFolder(item.entry.lAttributes))
            EnsureFolder(item.szTo);
        else
            CopyIntoFolder(item.szFrom, item.szTo, guide, item.entry);
    }
}

// Read-only, hidden or system items refuse to go; only those are changed
// first, the others are deleted as they are. A file's other names keep
// its attributes.
void MakeDeletable(const std::string& szPath, DWORD lAttributes) {
    if (!(lAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) return;
    if (!SetFileAttributesA(szPath.c_str(), FILE_ATTRIBUTE_NORMAL)) ThrowLastError("SetFileAttributesA", szPath);
}

void RemoveFolder(const std::string& szPath, DWORD lAttributes) {
    MakeDeletable(szPath, lAttributes);
    if (!RemoveDirectoryA(szPath.c_str())) ThrowLastError("RemoveDirectoryA", szPath);
}

void RemoveFile(const std::string& szPath, DWORD lAttributes) {
    const bool bOwnAttributes = lAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (bOwnAttributes && HasOtherNames(szPath)) return DeleteNameKeepingAttributes(szPath);
    MakeDeletable(szPath, lAttributes);
    if (!DeleteFileA(szPath.c_str())) ThrowLastError("DeleteFileA", szPath);
}

// True when the folder went: nothing in it was kept.
bool DeleteTree(const std::string& szFolder, DWORD lFolderAttributes, DeleteFilter* filter) {
    bool bEmptied = true;
    for (const FoundEntry& entry : Contents(szFolder)) {
        const std::string szPath = szFolder + "\\" + entry.szName;
        if (filter && filter->Keep(szPath, InfoOf(entry))) {
            bEmptied = false;
        } else if (IsFolder(entry.lAttributes) && !(entry.lAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            bEmptied = DeleteTree(szPath, entry.lAttributes, filter) && bEmptied;
        } else if (IsFolder(entry.lAttributes)) {
            // A linked folder is removed as a link: what it points at is not ours.
            RemoveFolder(szPath, entry.lAttributes);
        } else {
            RemoveFile(szPath, entry.lAttributes);
        }
    }
    if (bEmptied) RemoveFolder(szFolder, lFolderAttributes);
    return bEmptied;
}

void AddTreeBytes(const std::string& szFolder, CopyGuide* guide, FolderBytes& bytes) {
    for (const FoundEntry& entry : Contents(szFolder)) {
        if (IsFolder(entry.lAttributes)) {
            AddTreeBytes(szFolder + "\\" + entry.szName, guide, bytes);
            continue;
        }
        bytes.lAll += entry.lSize;
        if (Linkable(entry.szName, entry.lAttributes, guide)) bytes.lLinkable += entry.lSize;
    }
}

}  // namespace

void WinFileSystemObject::CopyFile(const std::string& szSource, const std::string& szDestination,
                                   CopyGuide* guide, std::optional<uint64_t> lSize) {
    if (guide && guide->MayLink(NameOf(szSource))) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExA(szSource.c_str(), GetFileExInfoStandard, &data) &&
            TryLink(szSource, szDestination, data.dwFileAttributes,
                    (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow, guide))
            return;
    }
    CopyOneFile(szSource, szDestination, false, guide, lSize);
}

void WinFileSystemObject::CopyFolder(const std::string& szSource, const std::string& szDestination,
                                     CopyGuide* guide) {
    RequireFolder(szSource);
    CopyTree(szSource, szDestination, guide);
}

void WinFileSystemObject::DeleteFile(const std::string& szPath, bool bForce) {
    const DWORD lAttributes = AttributesOf(szPath);
    if (IsFolder(lAttributes)) ThrowWindowsError("DeleteFileA", szPath, ERROR_ACCESS_DENIED);
    if (!bForce && (lAttributes & FILE_ATTRIBUTE_READONLY))
        ThrowWindowsError("DeleteFileA", szPath, ERROR_ACCESS_DENIED);
    RemoveFile(szPath, lAttributes);
}

bool WinFileSystemObject::DeleteFolder(const std::string& szPath, DeleteFilter* filter) {
    const DWORD lAttributes = AttributesOf(szPath);
    if (!IsFolder(lAttributes)) ThrowWindowsError("GetFileAttributesA", szPath, ERROR_DIRECTORY);
    return DeleteTree(szPath, lAttributes, filter);
}

FolderBytes WinFileSystemObject::FolderBytes(const std::string& szFolder, CopyGuide* guide) {
    corvane::FolderBytes bytes;
    AddTreeBytes(szFolder, guide, bytes);
    return bytes;
}

}  // namespace corvane
