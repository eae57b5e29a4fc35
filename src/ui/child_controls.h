// The controls a window is made of, each with the id it was created with,
// and the routing of their notifications to them: WM_COMMAND and
// WM_DRAWITEM go to the control that sent them, and Enter on a control that
// is no default button goes to the control that has the focus.
#pragma once

#include <vector>

#include "platform/win32.h"

namespace corvane::ui {

class Control;

class ChildControls {
public:
    // The id of a control being created; its notifications reach it from
    // then on.
    int Adopt(Control& control);
    // The window is gone, or about to be made again: ids start afresh.
    void Clear();

    // WM_COMMAND; false when no control took it.
    bool RouteCommand(WPARAM wParam, LPARAM lParam);
    // WM_DRAWITEM; false when no control took it.
    bool RouteDrawItem(const DRAWITEMSTRUCT& item);

private:
    std::vector<Control*> controls;
    int lNextId = kFirstId;

    static constexpr int kFirstId = 100;  // clear of IDOK and IDCANCEL, which the dialog manager sends
};

}  // namespace corvane::ui
