#include "platform/win_file_system.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/win_code_page.h"
#include "platform/win32.h"
// After the Windows header, which it needs.
#include <shlobj.h>
#include <userenv.h>
#include "platform/win_error.h"
#include "platform/win_final_path.h"
#include "platform/win_find.h"
#include "platform/win_handles.h"
#include "platform/win_read_only.h"
#include "platform/win_shared_names.h"
#include "platform/win_volume.h"

namespace corvane {

namespace {

// The kinds of entry a listing leaves out unless the caller asks for them.
constexpr uint32_t kAttrSelectable = kAttrHidden | kAttrSystem | kAttrDirectory;

// The bits SetFileAttributesA accepts besides the four the program clears.
constexpr DWORD kAttrKeptSettable =
    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Failures that only say there is nothing at that path. Anything else (no
// access, a path too long, a broken device) is a real error for the caller.
bool MeansAbsent(DWORD lError) {
    switch (lError) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_NOT_READY:
            return true;
        default:
            return false;
    }
}

ItemInfo InfoOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return {data.dwFileAttributes, (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
            (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

UniqueHandle OpenToRead(const std::string& szPath) {
    UniqueHandle hFile(CreateFileA(szPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!hFile.Valid()) ThrowLastError("CreateFileA", szPath);
    return hFile;
}

// Reads until the buffer is full or the file ends.
size_t ReadUpTo(HANDLE hFile, char* pBuffer, size_t lSize, const std::string& szPath) {
    size_t lDone = 0;
    while (lDone < lSize) {
        DWORD lRead = 0;
        if (!ReadFile(hFile, pBuffer + lDone, static_cast<DWORD>(lSize - lDone), &lRead, nullptr))
            ThrowLastError("ReadFile", szPath);
        if (lRead == 0) break;
        lDone += lRead;
    }
    return lDone;
}

// A folder the shell names; "" where it names none.
std::string ShellFolder(int lCsidl) {
    char szFolder[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, lCsidl, nullptr, SHGFP_TYPE_CURRENT, szFolder)) ? szFolder : "";
}

// The folder every user's profile folder lies in; "" where it has none.
std::string ProfilesFolder() {
    char szFolder[MAX_PATH] = {};
    DWORD lSize = MAX_PATH;
    return GetProfilesDirectoryA(szFolder, &lSize) ? szFolder : "";
}

}  // namespace

std::vector<DirEntry> WinFileSystem::Dir(const std::string& szPattern, uint32_t lAttr) {
    std::vector<DirEntry> entries;
    for (FoundEntry& found : FindEntries(szPattern)) {
        // An entry of a kind the caller did not ask for is left out; bits
        // such as archive or not-content-indexed never decide.
        if ((found.lAttributes & kAttrSelectable & ~lAttr) == 0)
            entries.push_back({std::move(found.szName), found.lAttributes, found.lSize, found.lWriteTime});
    }
    return entries;
}

std::optional<ItemInfo> WinFileSystem::Stat(const std::string& szPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA(szPath.c_str(), GetFileExInfoStandard, &data)) return InfoOf(data);
    const DWORD lError = GetLastError();
    if (MeansAbsent(lError)) return std::nullopt;
    ThrowWindowsError("GetFileAttributesExA", szPath, lError);
}

std::optional<ItemInfo> WinFileSystem::Look(const std::string& szPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA(szPath.c_str(), GetFileExInfoStandard, &data)) return InfoOf(data);
    RequireTrueAbsence(GetLastError(), "GetFileAttributesExA", szPath);
    return std::nullopt;
}

std::optional<std::string> WinFileSystem::Identity(const std::string& szPath) { return IdentityOf(szPath); }

VolumeInfo WinFileSystem::Volume(const std::string& szPath) { return VolumeOf(szPath); }

std::string WinFileSystem::ResolvedPath(const std::string& szPath) {
    std::vector<char> buffer(szPath.size() + MAX_PATH);
    const DWORD lLength = GetFullPathNameA(szPath.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (lLength == 0 || lLength >= buffer.size()) ThrowLastError("GetFullPathNameA", szPath);
    const std::string szFull(buffer.data(), lLength);
    std::string szTail;
    for (std::string szHead = szFull;;) {
        if (const std::optional<std::string> szFinal = FinalPathOf(szHead)) {
            const bool bSlash = !szFinal->empty() && szFinal->back() == '\\';
            return (bSlash && !szTail.empty() ? szFinal->substr(0, szFinal->size() - 1) : *szFinal) + szTail;
        }
        const size_t lSlash = szHead.find_last_of('\\');
        if (lSlash == std::string::npos || lSlash < 3) return szFull;
        szTail = szHead.substr(lSlash) + szTail;
        szHead.resize(lSlash);
    }
}

std::string WinFileSystem::DocumentsFolder() {
    char szFolder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, szFolder)))
        ThrowWindowsError("SHGetFolderPathA", "Documents", ERROR_PATH_NOT_FOUND);
    return szFolder;
}

SystemFolders WinFileSystem::KnownSystemFolders() {
    SystemFolders folders;
    folders.szWindows = ShellFolder(CSIDL_WINDOWS);
    for (int lCsidl : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86})
        if (std::string szFolder = ShellFolder(lCsidl); !szFolder.empty()) folders.szProgramFiles.push_back(szFolder);
    folders.szProgramData = ShellFolder(CSIDL_COMMON_APPDATA);
    folders.szUsers = ProfilesFolder();
    folders.szProfile = ShellFolder(CSIDL_PROFILE);
    return folders;
}

bool WinFileSystem::SameBytes(const std::string& szOne, const std::string& szOther) {
    const UniqueHandle hOne = OpenToRead(szOne);
    const UniqueHandle hOther = OpenToRead(szOther);
    std::vector<char> one(1 << 16), other(1 << 16);
    for (;;) {
        const size_t lOne = ReadUpTo(hOne.Get(), one.data(), one.size(), szOne);
        const size_t lOther = ReadUpTo(hOther.Get(), other.data(), one.size(), szOther);
        if (lOne != lOther || !std::equal(one.begin(), one.begin() + lOne, other.begin())) return false;
        if (lOne == 0) return true;
    }
}

void WinFileSystem::ClearAttributes(const std::string& szPath) {
    const DWORD lAttributes = GetAttr(szPath);
    if (!(lAttributes & FILE_ATTRIBUTE_DIRECTORY) && HasOtherNames(szPath)) return;
    const DWORD lKept = lAttributes & kAttrKeptSettable;
    if (!SetFileAttributesA(szPath.c_str(), lKept ? lKept : FILE_ATTRIBUTE_NORMAL))
        ThrowLastError("SetFileAttributesA", szPath);
}

void WinFileSystem::Rename(const std::string& szOldPath, const std::string& szNewPath) {
    if (!MoveFileA(szOldPath.c_str(), szNewPath.c_str()))
        ThrowLastError("MoveFileA", szOldPath + " -> " + szNewPath);
}

void WinFileSystem::CreateFolder(const std::string& szPath) {
    if (!CreateDirectoryA(szPath.c_str(), nullptr)) ThrowLastError("CreateDirectoryA", szPath);
}

void WinFileSystem::Kill(const std::string& szPath) {
    RefuseReadOnly("DeleteFileA", szPath);
    if (!DeleteFileA(szPath.c_str())) ThrowLastError("DeleteFileA", szPath);
}

void WinFileSystem::Hide(const std::string& szPath) {
    const DWORD lAttr = GetFileAttributesA(szPath.c_str());
    if (lAttr == INVALID_FILE_ATTRIBUTES) ThrowLastError("GetFileAttributesA", szPath);
    if (!SetFileAttributesA(szPath.c_str(), (lAttr & ~FILE_ATTRIBUTE_DIRECTORY) | FILE_ATTRIBUTE_HIDDEN))
        ThrowLastError("SetFileAttributesA", szPath);
}

std::string WinFileSystem::FromLegacyCodePage(const std::string& szBytes) { return LegacyToProgramText(szBytes); }

}  // namespace corvane
