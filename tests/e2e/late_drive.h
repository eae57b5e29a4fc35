// Drives as a player's mount or script gives them while Wine runs, for
// the runs of Corvane.exe that need a game folder on one.
#pragma once

#include <cctype>
#include <string>

#include "e2e/e2e_fixture.h"

namespace corvane::test {

// The Unix name Wine gives a path; "" outside Wine.
inline std::string UnixPath(const std::string& szPath) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    std::wstring szWide(szPath.size(), L'\0');
    szWide.resize(MultiByteToWideChar(CP_UTF8, 0, szPath.data(), static_cast<int>(szPath.size()), szWide.data(),
                                      static_cast<int>(szWide.size())));
    char* szUnix = toUnix ? toUnix(szWide.c_str()) : nullptr;
    const std::string szResult = szUnix ? szUnix : "";
    if (szUnix) HeapFree(GetProcessHeap(), 0, szUnix);
    return szResult;
}

// Wine starts a Unix program as it starts a Windows one, but hands back no
// handle to wait on: the caller waits for its effect.
inline void RunUnix(const std::string& szProgram, const std::string& szArguments) {
    std::string szCommandLine = szProgram + " " + szArguments;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(("Z:" + szProgram).c_str(), szCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        ADD_FAILURE() << "cannot start " << szCommandLine;
}

// A drive letter given to a folder while Wine runs, as a player's mount or
// script gives one: a link in the prefix's dosdevices folder, which Wine's
// mount manager, started with the session, never learns of. (Under Wine 8
// DefineDosDevice names a drive whose files cannot be reached, and a Windows
// program cannot make a Unix link: the Unix ln makes it.)
class LateDrive {
public:
    explicit LateDrive(const std::string& szFolder) {
        const std::string szDriveC = UnixPath("C:\\");  // <prefix>/dosdevices/c:/
        for (char cLetter = 'K'; cLetter < 'Z' && szRoot.empty(); ++cLetter)
            if (!(GetLogicalDrives() & (1u << (cLetter - 'A'))) && !Present(std::string(1, cLetter) + ":\\"))
                szRoot = std::string(1, cLetter) + ":\\";
        if (szRoot.empty() || szDriveC.size() < 3) return;
        szLink = szDriveC.substr(0, szDriveC.size() - 3) + static_cast<char>(std::tolower(szRoot[0])) + ":";
        RunUnix("/bin/ln", "-s \"" + UnixPath(szFolder) + "\" \"" + szLink + "\"");
        PumpUntil([&] { return Present(szRoot); }, 5000);
    }
    ~LateDrive() {
        if (szLink.empty()) return;
        RunUnix("/bin/rm", "\"" + szLink + "\"");
        PumpUntil([&] { return !Present(szRoot); }, 5000);
    }
    LateDrive(const LateDrive&) = delete;
    LateDrive& operator=(const LateDrive&) = delete;

    // "K:\", or "" when no letter was free.
    const std::string& Root() const { return szRoot; }

private:
    std::string szRoot, szLink;
};

}  // namespace corvane::test
