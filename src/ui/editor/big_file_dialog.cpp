#include "ui/editor/big_file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace corvane {

std::optional<std::string> AskForBigFile(HWND hOwner) {
    static constexpr char kFilter[] = "BIG Files (*.big)\0*.big\0";
    std::vector<char> szFile(32768, '\0');  // room for long paths
    lstrcpynA(szFile.data(), "*.BIG", static_cast<int>(szFile.size()));

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = szFile.data();
    ofn.nMaxFile = static_cast<DWORD>(szFile.size());
    ofn.lpstrDefExt = "BIG";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return std::nullopt;
    return std::string(szFile.data());
}

}  // namespace corvane
