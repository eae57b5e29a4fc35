// Message boxes with MessageBoxA, owned by the window the player works in.
#pragma once

#include "platform/message_boxes.h"

namespace corvane {

class WinMessageBoxes : public MessageBoxes {
public:
    // Captioned with the application title, "GeneralsCorvane".
    int Show(const std::string& szPrompt, uint32_t lStyle) override;
};

}  // namespace corvane
