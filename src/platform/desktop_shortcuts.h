// Shortcuts (.lnk files) on the player's desktop.
#pragma once

#include <string>

namespace corvane {

// What a shortcut starts, and how it shows.
struct ShortcutLink {
    std::string szTarget;  // the program
    std::string szArguments;
    std::string szWorkingFolder;
    std::string szIconFile;  // the file whose first icon the shortcut shows
};

class DesktopShortcuts {
public:
    virtual ~DesktopShortcuts() = default;
    // The folder of the player's desktop, without a trailing backslash.
    virtual std::string DesktopFolder() = 0;
    // Writes the shortcut file szPath, replacing one already there.
    virtual void Save(const std::string& szPath, const ShortcutLink& link) = 0;
};

}  // namespace corvane
