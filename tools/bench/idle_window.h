// A shown window that does nothing but answer: how quickly a window of this
// process can answer at all while a plain copy runs on another thread, the
// floor for the launch window's answers.
#pragma once

#include "platform/win32.h"

namespace corvane::bench {

class IdleWindow {
public:
    IdleWindow();
    ~IdleWindow();
    IdleWindow(const IdleWindow&) = delete;
    IdleWindow& operator=(const IdleWindow&) = delete;

    HWND Handle() const { return hwnd; }

private:
    HWND hwnd = nullptr;
};

}  // namespace corvane::bench
