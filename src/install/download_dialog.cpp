#include "install/download_dialog.h"

#include <commdlg.h>

#include <vector>

namespace corvane {

std::optional<std::string> AskForDownload(HWND hOwner) {
    static constexpr char kFilter[] = "Mod downloads (*.zip;*.7z;*.rar;*.exe)\0*.zip;*.7z;*.rar;*.exe\0";
    std::vector<char> szFile(32768, '\0');  // room for long paths
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = szFile.data();
    ofn.nMaxFile = static_cast<DWORD>(szFile.size());
    ofn.lpstrTitle = "Install Mod from Download";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return std::nullopt;
    return std::string(szFile.data());
}

}  // namespace corvane
