// Desktop shortcuts through the shell: its desktop folder and its link object.
#pragma once

#include "platform/desktop_shortcuts.h"

namespace corvane {

class WinDesktopShortcuts : public DesktopShortcuts {
public:
    std::string DesktopFolder() override;
    // Failures of COM and of the link object are thrown as PlatformError,
    // with the HRESULT as the code.
    void Save(const std::string& szPath, const ShortcutLink& link) override;
};

}  // namespace corvane
