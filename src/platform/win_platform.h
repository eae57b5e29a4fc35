// The Windows services of the program, one of each, and the bundle of
// references the windows and the launch are given.
#pragma once

#include "platform/platform.h"
#include "platform/win_admin_rights.h"
#include "platform/win_desktop_shortcuts.h"
#include "platform/win_journal_store.h"
#include "platform/win_launch_locks.h"
#include "platform/win_problem_log.h"
#include "platform/win_file_system.h"
#include "platform/win_file_system_object.h"
#include "platform/win_message_boxes.h"
#include "platform/win_process.h"
#include "platform/win_registry.h"
#include "platform/win_shell.h"

namespace corvane {

struct WinPlatform {
    // szAppPath: the program folder, where the launch journal and
    // Corvane.log live; szAppTitle: the caption of the message boxes.
    WinPlatform(const std::string& szAppPath, const std::string& szAppTitle)
        : messageBoxes(szAppTitle), journal(szAppPath + "\\Corvane.journal"), problems(szAppPath + "\\Corvane.log") {}

    WinFileSystem files;
    WinFileSystemObject fso;
    WinProcessStarter processes;
    WinMessageBoxes messageBoxes;
    WinSoundPlayer sounds;
    WinBrowser browser;
    WinRegistry registry;
    WinJournalStore journal;
    WinLaunchLocks locks;
    WinAdminRights rights;
    WinProblemLog problems;
    WinDesktopShortcuts shortcuts;

    Platform Get() {
        return Platform{files, fso, processes, messageBoxes, sounds, browser, journal, locks, rights, problems, shortcuts};
    }
};

}  // namespace corvane
