#include "platform/win_shared_names.h"

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_handles.h"

namespace corvane {

bool HasOtherNames(const std::string& szPath) {
    UniqueHandle hFile(CreateFileA(szPath.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    return hFile.Valid() && GetFileInformationByHandle(hFile.Get(), &info) && info.nNumberOfLinks > 1;
}

// Through one handle: the attributes cleared so that the name may go, the
// name marked for deletion, the attributes set back. The file's other
// names never see the change; this name goes when the handle closes.
void DeleteNameKeepingAttributes(const std::string& szPath) {
    UniqueHandle hFile(CreateFileA(szPath.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!hFile.Valid()) ThrowLastError("CreateFileA", szPath);
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(hFile.Get(), FileBasicInfo, &basic, sizeof(basic)))
        ThrowLastError("GetFileInformationByHandleEx", szPath);
    FILE_BASIC_INFO plain = basic;
    plain.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(hFile.Get(), FileBasicInfo, &plain, sizeof(plain)))
        ThrowLastError("SetFileInformationByHandle", szPath);
    FILE_DISPOSITION_INFO disposition{TRUE};
    const bool bMarked = SetFileInformationByHandle(hFile.Get(), FileDispositionInfo, &disposition, sizeof(disposition));
    const DWORD lError = GetLastError();
    SetFileInformationByHandle(hFile.Get(), FileBasicInfo, &basic, sizeof(basic));
    if (!bMarked) ThrowWindowsError("SetFileInformationByHandle", szPath, lError);
}

}  // namespace corvane
