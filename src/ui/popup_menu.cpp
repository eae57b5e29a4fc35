#include "ui/popup_menu.h"

namespace corvane::ui {

PopupMenu::PopupMenu() : hMenu(CreatePopupMenu()) {}

PopupMenu::~PopupMenu() {
    if (hMenu) DestroyMenu(hMenu);
}

void PopupMenu::AddItem(UINT lCommand, const std::string& szCaption, bool bEnabled) {
    if (hMenu) AppendMenuA(hMenu, MF_STRING | (bEnabled ? MF_ENABLED : MF_GRAYED), lCommand, szCaption.c_str());
}

UINT PopupMenu::Track(HWND hOwner, POINT ptScreen) const {
    if (!hMenu) return 0;
    // The choice comes back as the result instead of a WM_COMMAND, which
    // could be taken for a control's.
    return static_cast<UINT>(TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, ptScreen.x,
                                            ptScreen.y, 0, hOwner, nullptr));
}

}  // namespace corvane::ui
