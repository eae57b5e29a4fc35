#include "platform/win_file_system.h"

#include <algorithm>
#include <optional>

#include "platform/win_code_page.h"
#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_find.h"
#include "platform/win_handles.h"
#include "platform/win_read_only.h"

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

class WinInputFile : public InputFile {
public:
    WinInputFile(UniqueHandle hOpened, std::string szOpenedPath)
        : hFile(std::move(hOpened)), szPath(std::move(szOpenedPath)) {}

    size_t Read(char* pBuffer, size_t lSize) override {
        const DWORD lWanted = static_cast<DWORD>(std::min<size_t>(lSize, MAXDWORD));
        DWORD lRead = 0;
        if (!ReadFile(hFile.Get(), pBuffer, lWanted, &lRead, nullptr))
            ThrowLastError("ReadFile", szPath);
        return lRead;
    }

    void Rewind() override {
        LARGE_INTEGER lStart{};
        if (!SetFilePointerEx(hFile.Get(), lStart, nullptr, FILE_BEGIN))
            ThrowLastError("SetFilePointerEx", szPath);
    }

private:
    UniqueHandle hFile;
    std::string szPath;
};

void WriteAll(HANDLE hFile, const std::string& szContent, const std::string& szPath) {
    size_t lDone = 0;
    while (lDone < szContent.size()) {
        const DWORD lChunk = static_cast<DWORD>(std::min<size_t>(szContent.size() - lDone, 1 << 20));
        DWORD lWritten = 0;
        if (!::WriteFile(hFile, szContent.data() + lDone, lChunk, &lWritten, nullptr))
            ThrowLastError("WriteFile", szPath);
        if (lWritten == 0) ThrowWindowsError("WriteFile", szPath, ERROR_WRITE_FAULT);
        lDone += lWritten;
    }
}

}  // namespace

std::vector<DirEntry> WinFileSystem::Dir(const std::string& szPattern, uint32_t lAttr) {
    std::vector<DirEntry> entries;
    for (FoundEntry& found : FindEntries(szPattern)) {
        // An entry of a kind the caller did not ask for is left out; bits
        // such as archive or not-content-indexed never decide.
        if ((found.lAttributes & kAttrSelectable & ~lAttr) == 0)
            entries.push_back({std::move(found.szName), found.lAttributes});
    }
    return entries;
}

std::optional<ItemInfo> WinFileSystem::Stat(const std::string& szPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA(szPath.c_str(), GetFileExInfoStandard, &data))
        return ItemInfo{data.dwFileAttributes, (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow};
    const DWORD lError = GetLastError();
    if (MeansAbsent(lError)) return std::nullopt;
    ThrowWindowsError("GetFileAttributesExA", szPath, lError);
}

void WinFileSystem::ClearAttributes(const std::string& szPath) {
    const DWORD lKept = GetAttr(szPath) & kAttrKeptSettable;
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

std::unique_ptr<InputFile> WinFileSystem::OpenInput(const std::string& szPath) {
    UniqueHandle hFile(CreateFileA(szPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile.Valid()) ThrowLastError("CreateFileA", szPath);
    return std::make_unique<WinInputFile>(std::move(hFile), szPath);
}

std::string WinFileSystem::FromLegacyCodePage(const std::string& szBytes) { return LegacyToProgramText(szBytes); }

void WinFileSystem::WriteFile(const std::string& szPath, const std::string& szContent) {
    RefuseReadOnly("CreateFileA", szPath);
    UniqueHandle hFile(CreateFileA(szPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile.Valid()) ThrowLastError("CreateFileA", szPath);
    WriteAll(hFile.Get(), szContent, szPath);
    // Closing is where a full disk can still show itself.
    if (!CloseHandle(hFile.Release())) ThrowLastError("CloseHandle", szPath);
}

}  // namespace corvane
