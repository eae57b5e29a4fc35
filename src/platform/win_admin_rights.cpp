#include "platform/win_admin_rights.h"

#include "platform/app_info.h"
#include "platform/win32.h"
// After the Windows header, which it needs.
#include <shellapi.h>

#include "platform/win_handles.h"

namespace corvane {

bool WinAdminRights::MayChange(const std::string& szFolder) {
    // Opening the folder for adding and removing items makes Windows check
    // exactly those rights, and changes nothing.
    UniqueHandle hFolder(CreateFileA(szFolder.c_str(), FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return hFolder.Valid() || GetLastError() != ERROR_ACCESS_DENIED;
}

bool WinAdminRights::IsAdministrator() {
    UniqueHandle hToken;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, hToken.Receive())) return false;
    TOKEN_ELEVATION elevation{};
    DWORD lSize = 0;
    return GetTokenInformation(hToken.Get(), TokenElevation, &elevation, sizeof(elevation), &lSize) &&
           elevation.TokenIsElevated;
}

// The elevated copy works in the program's own folder: Windows would start
// it in the system folder, where a relative path would then lead.
bool WinAdminRights::RestartAsAdministrator() {
    const std::string szProgram = ProgramFile();
    const std::string szArguments = ArgumentText();
    const std::string szFolder = AppPath();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.lpVerb = "runas";
    info.lpFile = szProgram.c_str();
    info.lpParameters = szArguments.c_str();
    info.lpDirectory = szFolder.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info) != FALSE;
}

}  // namespace corvane
