#include "app/main_window/tool_tip.h"

#include <commctrl.h>

namespace corvane {

void ToolTip::Create(HWND hControl, const std::string& szShown) {
    szText = szShown;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    hToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hControl, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!hToolTip) return;
    // One tool for the whole control.
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(hControl);
    ti.uId = reinterpret_cast<UINT_PTR>(hControl);
    ti.lpszText = szText.data();
    SendMessageA(hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void ToolTip::Destroy() {
    if (hToolTip && IsWindow(hToolTip)) DestroyWindow(hToolTip);
    hToolTip = nullptr;
}

}  // namespace corvane
