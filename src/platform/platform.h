// The services the logic reaches the operating system through, handed to the
// windows and the launch as one bundle. The program builds it once from the
// Windows implementations; tests swap in their own where they need to.
#pragma once

#include "platform/admin_rights.h"
#include "platform/desktop_shortcuts.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/journal_store.h"
#include "platform/launch_locks.h"
#include "platform/message_boxes.h"
#include "platform/problem_log.h"
#include "platform/process.h"
#include "platform/shell.h"

namespace corvane {

struct Platform {
    FileSystem& files;
    FileSystemObject& fso;
    ProcessStarter& processes;
    MessageBoxes& messageBoxes;
    SoundPlayer& sounds;
    Browser& browser;
    JournalStore& journal;
    LaunchLocks& locks;
    AdminRights& rights;
    ProblemLog& problems;
    DesktopShortcuts& shortcuts;
};

}  // namespace corvane
