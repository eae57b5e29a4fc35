#include "platform/win_journal_store.h"

#include <vector>

#include "platform/win_error.h"

namespace corvane {

namespace {

void WriteAll(HANDLE hFile, const std::string& szBytes, const std::string& szPath) {
    DWORD lWritten = 0;
    if (!WriteFile(hFile, szBytes.data(), static_cast<DWORD>(szBytes.size()), &lWritten, nullptr) ||
        lWritten != szBytes.size())
        ThrowLastError("WriteFile", szPath);
}

}  // namespace

std::optional<std::string> WinJournalStore::Read() {
    UniqueHandle hFile(CreateFileA(szPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile.Valid()) {
        const DWORD lError = GetLastError();
        if (lError == ERROR_FILE_NOT_FOUND || lError == ERROR_PATH_NOT_FOUND) return std::nullopt;
        ThrowWindowsError("CreateFileA", szPath, lError);
    }
    std::string szBytes;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD lRead = 0;
        // A read that fails is no end of the journal: what follows would be lost.
        if (!ReadFile(hFile.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &lRead, nullptr))
            ThrowLastError("ReadFile", szPath);
        if (lRead == 0) return szBytes;
        szBytes.append(buffer.data(), lRead);
    }
}

void WinJournalStore::OpenForAppending() {
    if (hAppend.Valid()) return;
    hAppend.Reset(CreateFileA(szPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hAppend.Valid()) ThrowLastError("CreateFileA", szPath);
}

void WinJournalStore::Append(const std::string& szBytes) {
    OpenForAppending();
    LARGE_INTEGER lEnd{};
    if (!SetFilePointerEx(hAppend.Get(), lEnd, nullptr, FILE_END)) ThrowLastError("SetFilePointerEx", szPath);
    WriteAll(hAppend.Get(), szBytes, szPath);
}

void WinJournalStore::CutTo(uint64_t lSize) {
    OpenForAppending();
    LARGE_INTEGER lAt{};
    lAt.QuadPart = static_cast<LONGLONG>(lSize);
    if (!SetFilePointerEx(hAppend.Get(), lAt, nullptr, FILE_BEGIN)) ThrowLastError("SetFilePointerEx", szPath);
    if (!SetEndOfFile(hAppend.Get())) ThrowLastError("SetEndOfFile", szPath);
}

void WinJournalStore::Flush() {
    if (hAppend.Valid() && !FlushFileBuffers(hAppend.Get())) ThrowLastError("FlushFileBuffers", szPath);
}

void WinJournalStore::Replace(const std::string& szBytes) {
    hAppend.Reset();
    const std::string szNew = szPath + ".new";
    {
        UniqueHandle hFile(CreateFileA(szNew.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!hFile.Valid()) ThrowLastError("CreateFileA", szNew);
        WriteAll(hFile.Get(), szBytes, szNew);
        if (!FlushFileBuffers(hFile.Get())) ThrowLastError("FlushFileBuffers", szNew);
    }
    if (!MoveFileExA(szNew.c_str(), szPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowLastError("MoveFileExA", szNew + " -> " + szPath);
}

void WinJournalStore::Remove() {
    hAppend.Reset();
    if (!DeleteFileA(szPath.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) ThrowLastError("DeleteFileA", szPath);
}

}  // namespace corvane
