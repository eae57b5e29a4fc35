// The loop that runs while a window is shown modal: the messages of every
// window are handled meanwhile, keyboard ones through the dialog manager.
#pragma once

#include <functional>

namespace corvane::ui {

// Handles messages, waiting for them, for as long as bShown says the modal
// window is still shown; it is asked again after each message, those sent
// from other threads too. A WM_QUIT ends the loop and is posted again for
// the program's own loop.
void RunModalLoop(const std::function<bool()>& bShown);

}  // namespace corvane::ui
