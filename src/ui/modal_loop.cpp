#include "ui/modal_loop.h"

#include "platform/win32.h"
#include "ui/message_loop.h"

namespace corvane::ui {

void RunModalLoop(const std::function<bool()>& bShown) {
    MSG msg{};
    while (bShown()) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchWithDialogKeys(msg);
    }
}

}  // namespace corvane::ui
