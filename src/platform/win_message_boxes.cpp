#include "platform/win_message_boxes.h"

#include "platform/win32.h"

namespace corvane {

int WinMessageBoxes::Show(const std::string& szPrompt, uint32_t lStyle) {
    // Owned by the active window, so that the box stays in front of it and
    // that window takes no input until the player has answered.
    return MessageBoxA(GetActiveWindow(), szPrompt.c_str(), szCaption.c_str(), lStyle);
}

}  // namespace corvane
