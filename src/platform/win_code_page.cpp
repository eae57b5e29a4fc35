#include "platform/win_code_page.h"

#include <algorithm>

#include "platform/win32.h"

namespace corvane {

namespace {

std::wstring Widened(const std::string& szBytes, unsigned lCodePage) {
    const int lLength = MultiByteToWideChar(lCodePage, 0, szBytes.data(), static_cast<int>(szBytes.size()), nullptr, 0);
    std::wstring szWide(static_cast<size_t>(std::max(lLength, 0)), L'\0');
    MultiByteToWideChar(lCodePage, 0, szBytes.data(), static_cast<int>(szBytes.size()), szWide.data(), lLength);
    return szWide;
}

std::string Narrowed(const std::wstring& szWide, unsigned lCodePage) {
    const int lLength =
        WideCharToMultiByte(lCodePage, 0, szWide.data(), static_cast<int>(szWide.size()), nullptr, 0, nullptr, nullptr);
    std::string szBytes(static_cast<size_t>(std::max(lLength, 0)), '\0');
    WideCharToMultiByte(lCodePage, 0, szWide.data(), static_cast<int>(szWide.size()), szBytes.data(), lLength, nullptr,
                        nullptr);
    return szBytes;
}

}  // namespace

unsigned ProgramCodePage() { return GetACP(); }

// The system locale's own ANSI code page, which the manifest's UTF-8 does
// not change.
unsigned LegacyCodePage() {
    DWORD lCodePage = 0;
    if (!GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&lCodePage), sizeof(lCodePage) / sizeof(WCHAR)) ||
        lCodePage == 0)
        return GetACP();
    return lCodePage;
}

std::string LegacyToProgramText(const std::string& szBytes) {
    const unsigned lLegacy = LegacyCodePage();
    const unsigned lProgram = ProgramCodePage();
    if (szBytes.empty() || lLegacy == lProgram) return szBytes;
    return Narrowed(Widened(szBytes, lLegacy), lProgram);
}

std::wstring ProgramTextToWide(const std::string& szText) { return Widened(szText, ProgramCodePage()); }

std::string WideToProgramText(const std::wstring& szWide) { return Narrowed(szWide, ProgramCodePage()); }

unsigned OemCodePage() { return GetOEMCP(); }

}  // namespace corvane
