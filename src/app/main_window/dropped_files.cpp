#include "app/main_window/dropped_files.h"

#include "platform/win_code_page.h"

#include <shellapi.h>

namespace corvane {

std::optional<std::string> TakeFirstDroppedFile(WPARAM wDrop) {
    const HDROP hDrop = reinterpret_cast<HDROP>(wDrop);
    std::wstring szFile(DragQueryFileW(hDrop, 0, nullptr, 0) + 1, L'\0');
    const bool bOne = DragQueryFileW(hDrop, 0, szFile.data(), static_cast<UINT>(szFile.size())) > 0;
    DragFinish(hDrop);
    if (!bOne) return std::nullopt;
    szFile.resize(szFile.find(L'\0'));
    return WideToProgramText(szFile);
}

}  // namespace corvane
