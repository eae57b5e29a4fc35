// Message boxes with MessageBoxA, owned by the window the player works in.
#pragma once

#include <string>

#include "platform/message_boxes.h"

namespace corvane {

class WinMessageBoxes : public MessageBoxes {
public:
    // szCaption: the caption of every box, the application's title.
    explicit WinMessageBoxes(std::string szCaption) : szCaption(std::move(szCaption)) {}
    int Show(const std::string& szPrompt, uint32_t lStyle) override;

private:
    std::string szCaption;
};

}  // namespace corvane
