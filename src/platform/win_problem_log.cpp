#include "platform/win_problem_log.h"

#include <cstdio>

#include "platform/win32.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

constexpr DWORD kLargest = 256 * 1024;
// Trimmed a good deal below the limit, so that it is not trimmed again at
// every next line.
constexpr DWORD kKeptWhenTrimmed = 192 * 1024;

std::string Stamped(const std::string& szWhat) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char szStamp[32];
    std::snprintf(szStamp, sizeof(szStamp), "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return szStamp + szWhat + "\r\n";
}

std::string ReadAll(HANDLE hFile) {
    std::string szBytes(GetFileSize(hFile, nullptr), '\0');
    DWORD lRead = 0;
    SetFilePointer(hFile, 0, nullptr, FILE_BEGIN);
    if (!ReadFile(hFile, szBytes.data(), static_cast<DWORD>(szBytes.size()), &lRead, nullptr)) return {};
    szBytes.resize(lRead);
    return szBytes;
}

// The newest whole lines, at most kKeptWhenTrimmed bytes of them.
std::string NewestLines(const std::string& szLog) {
    if (szLog.size() <= kKeptWhenTrimmed) return szLog;
    const size_t lLineEnd = szLog.find('\n', szLog.size() - kKeptWhenTrimmed);
    return lLineEnd == std::string::npos ? std::string() : szLog.substr(lLineEnd + 1);
}

}  // namespace

void WinProblemLog::Note(const std::string& szWhat) {
    const std::lock_guard<std::mutex> guard(mutex);
    UniqueHandle hFile(CreateFileA(szPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile.Valid()) return;  // a log that cannot be written must not stop anything
    std::string szLog = Stamped(szWhat);
    if (GetFileSize(hFile.Get(), nullptr) + szLog.size() > kLargest) {
        szLog = NewestLines(ReadAll(hFile.Get()) + szLog);
        SetFilePointer(hFile.Get(), 0, nullptr, FILE_BEGIN);
        SetEndOfFile(hFile.Get());
    } else {
        SetFilePointer(hFile.Get(), 0, nullptr, FILE_END);
    }
    DWORD lWritten = 0;
    WriteFile(hFile.Get(), szLog.data(), static_cast<DWORD>(szLog.size()), &lWritten, nullptr);
}

}  // namespace corvane
