// Message boxes that are noted instead of shown: a real one would wait for
// a player who is not there. Each box takes the next queued answer, or OK.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_boxes.h"

namespace corvane::test {

struct RecordingMessageBoxes : MessageBoxes {
    std::vector<std::pair<std::string, uint32_t>> shown;
    std::deque<int> answers;

    int Show(const std::string& szPrompt, uint32_t lStyle) override {
        shown.emplace_back(szPrompt, lStyle);
        if (answers.empty()) return kAnswerOk;
        const int lAnswer = answers.front();
        answers.pop_front();
        return lAnswer;
    }
};

}  // namespace corvane::test
