#include "platform/win_shell.h"

#include "platform/win32.h"
#include "platform/win_error.h"

// Left out by the lean Windows headers.
#include <mmsystem.h>
#include <shellapi.h>

namespace corvane {

void WinSoundPlayer::Play(const std::string& szPath) {
    // In the background, and silence rather than the default beep when the
    // file is missing: the sounds are decoration, never worth a failure.
    sndPlaySoundA(szPath.c_str(), SND_ASYNC | SND_NODEFAULT);
}

void WinBrowser::Open(const std::string& szAddress) {
    const auto lResult = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", szAddress.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Values of 32 and below are the shell's error codes.
    if (lResult <= 32) ThrowWindowsError("ShellExecuteA", szAddress, static_cast<unsigned long>(lResult));
}

}  // namespace corvane
