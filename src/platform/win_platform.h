// The Windows services of the program, one of each, and the bundle of
// references the windows and the launch are given.
#pragma once

#include "platform/platform.h"
#include "platform/win_file_system.h"
#include "platform/win_file_system_object.h"
#include "platform/win_message_boxes.h"
#include "platform/win_process.h"
#include "platform/win_registry.h"
#include "platform/win_shell.h"

namespace corvane {

struct WinPlatform {
    WinFileSystem files;
    WinFileSystemObject fso;
    WinProcessStarter processes;
    WinMessageBoxes messageBoxes;
    WinSoundPlayer sounds;
    WinBrowser browser;
    WinRegistry registry;

    Platform Get() { return Platform{files, fso, processes, messageBoxes, sounds, browser}; }
};

}  // namespace corvane
