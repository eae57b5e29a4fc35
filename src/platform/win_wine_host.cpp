#include "platform/win_wine_host.h"

#include <memory>

#include "platform/win32.h"
#include "platform/win_code_page.h"
#include "platform/win_error.h"

namespace corvane {

namespace {

// Wine allocates the name it returns on the process heap.
struct HeapText {
    void operator()(WCHAR* pText) const { HeapFree(GetProcessHeap(), 0, pText); }
};

template <typename Function>
Function WineExport(const char* szModule, const char* szName) {
    HMODULE hModule = GetModuleHandleA(szModule);
    return hModule ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(hModule, szName))) : nullptr;
}

}  // namespace

bool WinWineHost::UnderWine() { return WineExport<void (*)()>("ntdll.dll", "wine_get_version") != nullptr; }

std::optional<std::string> WinWineHost::Environment(const std::string& szName) {
    const std::wstring szWideName = ProgramTextToWide(szName);
    std::wstring szValue(MAX_PATH, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD lLength =
            GetEnvironmentVariableW(szWideName.c_str(), szValue.data(), static_cast<DWORD>(szValue.size()));
        if (lLength == 0) {
            const DWORD lError = GetLastError();
            if (lError == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            if (lError != ERROR_SUCCESS) ThrowWindowsError("GetEnvironmentVariableW", szName, lError);
        }
        // A value that did not fit gives the room it needs, its NUL included.
        if (lLength < szValue.size()) {
            szValue.resize(lLength);
            return WideToProgramText(szValue);
        }
        szValue.resize(lLength);
    }
}

// The Unix path goes to Wine as it is: Steam writes its files in UTF-8, the
// Unix side's own encoding.
std::optional<std::string> WinWineHost::DosPathOf(const std::string& szUnixPath) {
    using DosFileName = WCHAR*(CDECL*)(const char*);
    const auto pDosFileName = WineExport<DosFileName>("kernel32.dll", "wine_get_dos_file_name");
    if (!pDosFileName) return std::nullopt;
    const std::unique_ptr<WCHAR, HeapText> pPath(pDosFileName(szUnixPath.c_str()));
    if (!pPath) return std::nullopt;
    return WideToProgramText(pPath.get());
}

}  // namespace corvane
