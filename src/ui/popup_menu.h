// A context menu of a few commands, shown at a point of the screen.
#pragma once

#include <string>

#include "platform/win32.h"

namespace corvane::ui {

class PopupMenu {
public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // lCommand: any number but 0. A disabled item is shown grayed.
    void AddItem(UINT lCommand, const std::string& szCaption, bool bEnabled = true);
    // Shows the menu for hOwner until an item is chosen or the menu is
    // dismissed; returns the command chosen, or 0.
    UINT Track(HWND hOwner, POINT ptScreen) const;

private:
    HMENU hMenu;
};

}  // namespace corvane::ui
