#include "ui/child_controls.h"

#include "ui/controls.h"

namespace corvane::ui {

int ChildControls::Adopt(Control& control) {
    controls.push_back(&control);
    return lNextId++;
}

void ChildControls::Clear() {
    controls.clear();
    lNextId = kFirstId;
}

bool ChildControls::RouteCommand(WPARAM wParam, LPARAM lParam) {
    const int lId = LOWORD(wParam);
    for (Control* control : controls) {
        if (control->Id() == lId && control->Handle() == reinterpret_cast<HWND>(lParam)) {
            control->OnCommand(HIWORD(wParam));
            return true;
        }
    }
    // Enter on a control that is no default button: the dialog manager
    // sends IDOK without a sender, and the focused control may act on it.
    if (lId != IDOK || lParam != 0) return false;
    for (Control* control : controls) {
        if (control->Handle() == GetFocus()) control->OnReturnKey();
    }
    return true;
}

bool ChildControls::RouteDrawItem(const DRAWITEMSTRUCT& item) {
    for (Control* control : controls) {
        if (control->Handle() == item.hwndItem) {
            control->OnDrawItem(item);
            return true;
        }
    }
    return false;
}

}  // namespace corvane::ui
