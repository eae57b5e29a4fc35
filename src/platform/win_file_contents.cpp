// The contents of files: a file read piece by piece, one written as it is
// made, and one saved whole or not at all.
#include "platform/win_file_system.h"

#include <algorithm>
#include <vector>

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_find.h"
#include "platform/win_handles.h"
#include "platform/win_read_only.h"

namespace corvane {

namespace {

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

    void Rewind() override { SeekTo(0); }

    void SeekTo(uint64_t lPos) override {
        LARGE_INTEGER lTo{};
        lTo.QuadPart = static_cast<LONGLONG>(lPos);
        if (!SetFilePointerEx(hFile.Get(), lTo, nullptr, FILE_BEGIN)) ThrowLastError("SetFilePointerEx", szPath);
    }

    uint64_t Size() override {
        LARGE_INTEGER lSize{};
        if (!GetFileSizeEx(hFile.Get(), &lSize)) ThrowLastError("GetFileSizeEx", szPath);
        return static_cast<uint64_t>(lSize.QuadPart);
    }

private:
    UniqueHandle hFile;
    std::string szPath;
};

void WriteAll(HANDLE hFile, const char* pData, size_t lSize, const std::string& szPath) {
    size_t lDone = 0;
    while (lDone < lSize) {
        const DWORD lChunk = static_cast<DWORD>(std::min<size_t>(lSize - lDone, 1 << 20));
        DWORD lWritten = 0;
        if (!::WriteFile(hFile, pData + lDone, lChunk, &lWritten, nullptr))
            ThrowLastError("WriteFile", szPath);
        if (lWritten == 0) ThrowWindowsError("WriteFile", szPath, ERROR_WRITE_FAULT);
        lDone += lWritten;
    }
}

class WinOutputFile : public OutputFile {
public:
    WinOutputFile(UniqueHandle hCreated, std::string szCreatedPath)
        : hFile(std::move(hCreated)), szPath(std::move(szCreatedPath)) {}

    void Write(const char* pData, size_t lSize) override { WriteAll(hFile.Get(), pData, lSize, szPath); }

    void Close() override {
        if (hFile.Valid() && !CloseHandle(hFile.Release())) ThrowLastError("CloseHandle", szPath);
    }

private:
    UniqueHandle hFile;
    std::string szPath;
};

// The name a file has on the disk, in its own letter case; "" when there is none.
std::string NameOnDisk(const std::string& szPath) {
    const std::vector<FoundEntry> entries = FindEntries(szPath);
    return entries.size() == 1 ? entries.front().szName : "";
}

}  // namespace

std::unique_ptr<InputFile> WinFileSystem::OpenInput(const std::string& szPath) {
    UniqueHandle hFile(CreateFileA(szPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile.Valid()) ThrowLastError("CreateFileA", szPath);
    return std::make_unique<WinInputFile>(std::move(hFile), szPath);
}

std::unique_ptr<OutputFile> WinFileSystem::CreateOutput(const std::string& szPath) {
    UniqueHandle hFile(CreateFileA(szPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!hFile.Valid()) ThrowLastError("CreateFileA", szPath);
    return std::make_unique<WinOutputFile>(std::move(hFile), szPath);
}

void WinFileSystem::SaveFile(const std::string& szPath, const std::string& szContent) {
    RefuseReadOnly("MoveFileExA", szPath);
    const std::string szNew = szPath + ".new";
    try {
        UniqueHandle hFile(CreateFileA(szNew.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!hFile.Valid()) ThrowLastError("CreateFileA", szNew);
        WriteAll(hFile.Get(), szContent.data(), szContent.size(), szNew);
        if (!FlushFileBuffers(hFile.Get())) ThrowLastError("FlushFileBuffers", szNew);
        if (!CloseHandle(hFile.Release())) ThrowLastError("CloseHandle", szNew);
        if (!MoveFileExA(szNew.c_str(), szPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ThrowLastError("MoveFileExA", szNew + " -> " + szPath);
    } catch (...) {
        DeleteFileA(szNew.c_str());
        throw;
    }
    // A file replaced may keep its old name's letter case (some file systems
    // will not rename a file to another case of its own name in one step):
    // the new one is saved under the name it was given.
    const size_t lSlash = szPath.find_last_of('\\');
    const std::string szName = szPath.substr(lSlash + 1), szOnDisk = NameOnDisk(szPath);
    if (lSlash == std::string::npos || szOnDisk.empty() || szOnDisk == szName) return;
    const std::string szAside = szPath + ".case";
    if (MoveFileA((szPath.substr(0, lSlash + 1) + szOnDisk).c_str(), szAside.c_str()))
        MoveFileA(szAside.c_str(), szPath.c_str());
}

}  // namespace corvane
