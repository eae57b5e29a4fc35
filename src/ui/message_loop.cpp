#include "ui/message_loop.h"

namespace corvane::ui {

void DispatchWithDialogKeys(MSG& msg) {
    HWND hRoot = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (hRoot && IsDialogMessageA(hRoot, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchWithDialogKeys(msg);
    return static_cast<int>(msg.wParam);
}

void PumpPendingMessages() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchWithDialogKeys(msg);
    }
}

}  // namespace corvane::ui
