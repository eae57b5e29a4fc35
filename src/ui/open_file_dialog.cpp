#include "ui/open_file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace corvane::ui {

namespace {

std::optional<std::string> Ask(HWND hOwner, const OpenFileRequest& request, bool bNew) {
    std::vector<char> szFile(32768, '\0');  // room for long paths
    lstrcpynA(szFile.data(), request.szFirstName, static_cast<int>(szFile.size()));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = request.szFilter;
    ofn.lpstrFile = szFile.data();
    ofn.nMaxFile = static_cast<DWORD>(szFile.size());
    ofn.lpstrTitle = request.szTitle;
    ofn.lpstrDefExt = request.szDefaultExt;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                (bNew ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(bNew ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn))) return std::nullopt;
    return std::string(szFile.data());
}

}  // namespace

std::optional<std::string> AskForFile(HWND hOwner, const OpenFileRequest& request) { return Ask(hOwner, request, false); }

std::optional<std::string> AskForNewFile(HWND hOwner, const OpenFileRequest& request) { return Ask(hOwner, request, true); }

}  // namespace corvane::ui
