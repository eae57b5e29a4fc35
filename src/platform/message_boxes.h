// Modal message boxes, captioned with the application title unless a caption
// is given.
#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// Button and icon styles, and the answers, as the platform numbers them.
inline constexpr uint32_t kMsgOkOnly = 0;
inline constexpr uint32_t kMsgYesNoCancel = 3;
inline constexpr uint32_t kMsgYesNo = 4;
inline constexpr uint32_t kMsgCritical = 16;
inline constexpr uint32_t kMsgQuestion = 32;
inline constexpr uint32_t kMsgExclamation = 48;
inline constexpr uint32_t kMsgInformation = 64;
inline constexpr uint32_t kMsgDefaultButton2 = 256;

inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box modal to the active window and returns the answer.
    virtual int Show(const std::string& szPrompt, uint32_t lStyle) = 0;
};

}  // namespace corvane
