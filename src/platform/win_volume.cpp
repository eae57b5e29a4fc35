#include "platform/win_volume.h"

#include <vector>

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

bool IsNotFound(DWORD lError) { return lError == ERROR_FILE_NOT_FOUND || lError == ERROR_PATH_NOT_FOUND; }

// "C:\" for "C:\Games\x", "\\server\share\" for a path on a share;
// "" for anything else.
std::string RootOf(const std::string& szPath) {
    if (szPath.size() >= 2 && szPath[1] == ':') return szPath.substr(0, 2) + "\\";
    if (szPath.rfind("\\\\", 0) != 0) return "";
    const size_t lShare = szPath.find('\\', 2);
    if (lShare == std::string::npos) return "";
    const size_t lEnd = szPath.find('\\', lShare + 1);
    return lEnd == std::string::npos ? szPath + "\\" : szPath.substr(0, lEnd + 1);
}

std::string Hex(uint64_t lValue) {
    static const char kDigits[] = "0123456789abcdef";
    std::string szHex;
    for (int i = 60; i >= 0; i -= 4) szHex += kDigits[(lValue >> i) & 15];
    return szHex;
}

}  // namespace

void RequireTrueAbsence(unsigned long lError, const std::string& szCall, const std::string& szPath) {
    if (!IsNotFound(lError)) ThrowWindowsError(szCall, szPath, lError);
    const std::string szRoot = RootOf(szPath);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!szRoot.empty() && !GetFileAttributesExA(szRoot.c_str(), GetFileExInfoStandard, &data))
        ThrowLastError("GetFileAttributesExA", szRoot);
}

// Where the volume cannot be asked (under Wine: a folder on another Linux
// file system reached through Z:, or a drive mapped while Wine runs), the
// folder stands for its volume: links are tried, and a refused one is
// copied; the free space is the folder's.
VolumeInfo VolumeOf(const std::string& szPath) {
    std::string szAt = szPath;
    while (GetFileAttributesA(szAt.c_str()) == INVALID_FILE_ATTRIBUTES && szAt.find('\\') != std::string::npos)
        szAt.erase(szAt.find_last_of('\\'));
    std::vector<char> root(szAt.size() + MAX_PATH);
    VolumeInfo volume;
    // Wine tells no volume of a Unix folder no drive reaches (\\?\unix\...).
    if (GetVolumePathNameA(szAt.c_str(), root.data(), static_cast<DWORD>(root.size())))
        volume.szRoot = root.data();
    else if ((volume.szRoot = RootOf(szAt)).empty())
        ThrowLastError("GetVolumePathNameA", szPath);
    DWORD lSerial = 0, lFlags = 0;
    if (GetVolumeInformationA(volume.szRoot.c_str(), nullptr, 0, &lSerial, nullptr, &lFlags, nullptr, 0) && lSerial) {
        volume.szId = Hex(lSerial);
        volume.bLinks = (lFlags & FILE_SUPPORTS_HARD_LINKS) != 0;
    } else {
        volume.szId = volume.szRoot;
        volume.bLinks = true;
        volume.bSerial = false;
    }
    ULARGE_INTEGER lFree{};
    if (!GetDiskFreeSpaceExA(szAt.c_str(), &lFree, nullptr, nullptr)) ThrowLastError("GetDiskFreeSpaceExA", szAt);
    volume.lFree = lFree.QuadPart;
    return volume;
}

// Wine gives a folder on another Linux file system than its drive's the
// serial 0 and its inode as index, which two file systems may share: no
// identity then.
std::optional<std::string> IdentityOf(const std::string& szPath) {
    UniqueHandle hItem(CreateFileA(szPath.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!hItem.Valid()) {
        RequireTrueAbsence(GetLastError(), "CreateFileA", szPath);
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(hItem.Get(), &info)) ThrowLastError("GetFileInformationByHandle", szPath);
    if (info.dwVolumeSerialNumber == 0) return "";
    return Hex(info.dwVolumeSerialNumber) + ":" + Hex((uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow);
}

}  // namespace corvane
