// A tooltip over one control, naming where the control leads; it lives as
// long as the control, or until the control lets it go.
#pragma once

#include <string>

#include "platform/win32.h"

namespace corvane {

class ToolTip {
public:
    ToolTip() = default;
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;
    ~ToolTip() { Destroy(); }

    // Shows szText while the mouse rests anywhere on hControl.
    void Create(HWND hControl, const std::string& szText);
    void Destroy();

private:
    HWND hToolTip = nullptr;
    std::string szText;
};

}  // namespace corvane
