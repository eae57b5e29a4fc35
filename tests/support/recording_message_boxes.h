// Message boxes that are noted instead of shown: a real one would wait for
// a player who is not there. Every box is answered with OK.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/message_boxes.h"

namespace corvane::test {

struct RecordingMessageBoxes : MessageBoxes {
    std::vector<std::pair<std::string, uint32_t>> shown;

    int Show(const std::string& szPrompt, uint32_t lStyle) override {
        shown.emplace_back(szPrompt, lStyle);
        return kAnswerOk;
    }
};

}  // namespace corvane::test
