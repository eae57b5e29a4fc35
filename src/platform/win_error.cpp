#include "platform/win_error.h"

#include "platform/platform_error.h"
#include "platform/win32.h"

namespace corvane {

std::string WindowsErrorText(unsigned long lCode) {
    char szBuffer[1024] = {};
    const DWORD lLength =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, lCode, 0,
                       szBuffer, sizeof(szBuffer), nullptr);
    std::string szText(szBuffer, lLength);
    while (!szText.empty() && (szText.back() == '\r' || szText.back() == '\n' ||
                               szText.back() == ' ' || szText.back() == '.'))
        szText.pop_back();
    return szText;
}

void ThrowWindowsError(const std::string& szOperation, const std::string& szPath,
                       unsigned long lCode) {
    throw PlatformError(szOperation, szPath, lCode, WindowsErrorText(lCode));
}

void ThrowLastError(const std::string& szOperation, const std::string& szPath) {
    ThrowWindowsError(szOperation, szPath, GetLastError());
}

}  // namespace corvane
