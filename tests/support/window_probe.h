// Windows as a player, or a screen reader, meets them: found by class and
// caption, read, clicked and typed into through their messages. Works on
// windows of this thread, of another thread and of another process alike.
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32.h"

namespace corvane::test {

using Lines = std::vector<std::string>;

// Read from the window's own record, without sending a message a busy
// program would answer late.
std::string WindowText(HWND hwnd);
std::string ClassOf(HWND hwnd);
bool Enabled(HWND hwnd);
DWORD ProcessOf(HWND hwnd);

// The nth child of a class in creation order, or the nth with that text.
HWND ChildOfClass(HWND hParent, const char* szClass, int lNth = 0, const char* szText = nullptr);
inline HWND ChildWithText(HWND hParent, const char* szClass, const std::string& szText) {
    return ChildOfClass(hParent, szClass, 0, szText.c_str());
}
// The visible top-level windows of a process, topmost first.
std::vector<HWND> TopLevelWindows(DWORD lProcessId = GetCurrentProcessId());
// One with exactly that caption (or, with szClass, of that class), waited
// for (0: looked for once); nullptr when none came.
HWND WaitForTopLevel(const std::string& szCaption, DWORD lProcessId = GetCurrentProcessId(),
                     const char* szClass = nullptr, unsigned lTimeoutMs = 10000);

Lines ListLines(HWND hList);
int ListSelection(HWND hList);
// The entry whose text, leading blanks aside, is szText; -1 when none is.
int FindListEntry(HWND hList, const std::string& szText);

// Waits until done() holds, handling this thread's queued messages
// meanwhile; false when it never held.
bool PumpUntil(const std::function<bool()>& done, unsigned lTimeoutMs = 10000);
// Waits until the list's last line is szLast; returns the lines.
Lines WaitForLastLine(HWND hList, const std::string& szLast, unsigned lTimeoutMs = 10000);

// Button clicks and keys are posted, as input arrives. A window of this
// thread handles them before the call returns, so a click that opens a modal
// window returns when that window closes; on another thread's window a button
// click is only posted, as one that opens a modal window must be.
void ClickButton(HWND hButton);
// A button click handled before the call returns, on any thread's window.
void PressButton(HWND hButton);
// A click, or a double click, on a list entry, sent: handled before the call
// returns, also what it opens modal on this thread. Throws when there is no
// such entry.
void ClickListEntry(HWND hList, int i, bool bDouble = false);
// A right click on a list entry, posted; on this thread's window handled,
// with the context menu it opens, before the call returns.
void RightClickListEntry(HWND hList, int i);
// The process's context menu, waited for; nullptr when none came. An item
// (counted from 0) is chosen, or with -1 the menu dismissed, by keys; the
// call returns once the menu is gone.
HWND WaitForPopupMenu(DWORD lProcessId = GetCurrentProcessId(), unsigned lTimeoutMs = 10000);
void ChooseMenuItem(HWND hMenu, int lItem);
// A press at one point of the client area and its release at another.
void ClickAt(HWND hwnd, int x, int y, int xUp = -1, int yUp = -1);
// A key pressed on hwnd, by default on the focused window of this thread.
void PressKey(UINT lVirtualKey, HWND hwnd = nullptr, bool bShift = false);
void TypeText(HWND hEdit, const std::string& szText);

// A message box of the process, waited for; nullptr when none came. Its
// text, as a screen reader reads it.
HWND WaitForMessageBox(DWORD lProcessId = GetCurrentProcessId(), unsigned lTimeoutMs = 10000);
std::string MessageBoxText(HWND hBox);

// Waits for the open-file dialog of the process and answers it: types szName
// as the file name and opens it, or, with szName empty, cancels. Gives the
// file type the dialog offered.
std::string AnswerFileDialog(const std::string& szName, DWORD lProcessId = GetCurrentProcessId());

// The main window's controls as a player finds them.
struct MainWindow {
    HWND h;
    HWND Games() const { return ChildOfClass(h, "ListBox", 0); }
    HWND Mods() const { return ChildOfClass(h, "ListBox", 1); }
    HWND Button(const char* szCaption) const { return ChildWithText(h, "Button", szCaption); }
};

// The mod editor's controls as a player finds them.
struct ModEditor {
    HWND h;
    HWND Title() const { return ChildOfClass(h, "Edit", 0); }
    HWND Location() const { return ChildOfClass(h, "Edit", 1); }
    HWND Folders() const { return ChildOfClass(h, "ListBox", 0); }
    HWND Entries() const { return ChildOfClass(h, "ListBox", 1); }
    HWND Files() const { return ChildOfClass(h, "ListBox", 2); }
    HWND Button(const char* szCaption) const { return ChildWithText(h, "Button", szCaption); }
    // Opens the folders one after the other in the folder list.
    void OpenFolders(const Lines& folders) const;
    // Adds the open folder or the picked file through the chooser: opens the
    // folders named in it (the last by Enter, the others by a double click),
    // picks szPick without opening it, then confirms with OK and waits for
    // the new entry; or, with bOk false, closes the chooser with its close box.
    // False when the chooser or the entry never came.
    bool AddThroughChooser(const char* szButton, const Lines& open, const char* szPick = nullptr,
                           bool bOk = true) const;
};

// A second thread that plays the player at windows this process shows modal
// (the test's own thread sits in their message loop until they close). When
// the script is done, or gave up on a failed assertion, every window it left
// open is closed, so that the test's thread comes back from the modal loop.
std::jthread PlayModal(std::function<void()> script);

}  // namespace corvane::test
