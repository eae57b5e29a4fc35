#include "ui/focus_memory.h"

namespace corvane::ui {

bool FocusMemory::OnActivate(HWND hwnd, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND hFocus = GetFocus();
        if (hFocus && IsChild(hwnd, hFocus)) hLastFocus = hFocus;
        return false;
    }
    if (!hLastFocus || !IsChild(hwnd, hLastFocus)) return false;
    SetFocus(hLastFocus);
    return true;
}

}  // namespace corvane::ui
