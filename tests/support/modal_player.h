// A second thread that plays the player at windows this process shows modal:
// the test's own thread sits in their message loop until they close, so
// they must be found, read and clicked from elsewhere. Windows of another
// process are played the same way.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "platform/win32.h"

namespace corvane::test {

class ModalPlayer {
public:
    // Runs the script on its own thread at once. When it is done, or gave
    // up on a failed assertion, every window it left open is closed, so
    // that the test's thread comes back from the modal loop.
    explicit ModalPlayer(std::function<void()> script);
    ~ModalPlayer() { Join(); }
    ModalPlayer(const ModalPlayer&) = delete;
    ModalPlayer& operator=(const ModalPlayer&) = delete;

    void Join();

private:
    std::thread thread;
};

// Waits, without handling messages, until done() holds; false if it never did.
bool WaitUntil(const std::function<bool()>& done, unsigned lTimeoutMs = 10000);
// A visible top-level window of the process with exactly that caption (or,
// with szClass, of that class), waited for; nullptr when none came.
HWND WaitForTopLevel(const std::string& szCaption, DWORD lProcessId = GetCurrentProcessId(),
                     const char* szClass = nullptr);

// A click on a button of another thread's window, handled before the call
// returns; a click that opens a modal window must be posted instead.
void PressButton(HWND hButton);
void PostClick(HWND hButton);
void TypeText(HWND hEdit, const std::string& szText);
// A key pressed on a window of another thread, posted as input arrives.
void PostKey(HWND hwnd, UINT lVirtualKey);
// A click, or a double click, on a list entry of another thread's window,
// handled before the call returns.
void SendListClick(HWND hList, int i, bool bDouble = false);
// The entry whose text, leading blanks aside, is szText; -1 when none is.
int FindListEntry(HWND hList, const std::string& szText);

// Waits for the open-file dialog of the process and answers it: types szName
// as the file name and opens it, or, with szName empty, cancels. Gives the
// file type the dialog offered.
std::string AnswerFileDialog(const std::string& szName, DWORD lProcessId = GetCurrentProcessId());

}  // namespace corvane::test
