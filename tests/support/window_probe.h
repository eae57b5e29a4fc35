// Windows as a player, or a screen reader, meets them: found by class and
// caption, read, clicked and typed into through their messages. Works on
// windows of this process and of another one alike.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace corvane::test {

using Lines = std::vector<std::string>;

// Read from the window's own record, without sending a message a busy
// program would answer late.
std::string WindowText(HWND hwnd);
bool Enabled(HWND hwnd);

// The nth child of a class in creation order, or the nth with that text.
HWND ChildOfClass(HWND hParent, const char* szClass, int lNth = 0, const char* szText = nullptr);
inline HWND ChildWithText(HWND hParent, const char* szClass, const std::string& szText) {
    return ChildOfClass(hParent, szClass, 0, szText.c_str());
}

Lines ListLines(HWND hList);
int ListSelection(HWND hList);

// Handles this thread's queued messages until done() holds or the time is
// up; false when it never held.
bool PumpUntil(const std::function<bool()>& done, unsigned lTimeoutMs = 10000);
// Waits (pumping) until the list's last line is szLast; returns the lines.
Lines WaitForLastLine(HWND hList, const std::string& szLast, unsigned lTimeoutMs = 10000);

// Clicks and keys are posted, as input arrives; for a window of this thread
// they are then handled before the call returns, so a click that opens a
// modal window of this thread does not return until that window closes.
void ClickButton(HWND hButton);
void ClickListEntry(HWND hList, int i, bool bDouble = false);
// A press at one point of the client area and its release at another.
void ClickAt(HWND hwnd, int x, int y, int xUp = -1, int yUp = -1);
// A key pressed on the focused window of this thread.
void PressKey(UINT lVirtualKey);

}  // namespace corvane::test
