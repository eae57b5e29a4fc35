#include "install/staging_folder.h"

namespace corvane {

StagingFolder::StagingFolder(FileSystem& files, FileSystemObject& fso, LaunchLocks& locks, ProblemLog& log,
                             const std::string& szAppPath)
    : files(files), fso(fso), locks(locks), log(log), szStaging(szAppPath + "\\" + kStagingName) {}

// The lock's file is made hidden, like the folder: the mod list and the
// player pass both by.
bool StagingFolder::Hold() {
    if (lock) return true;
    const std::string szLock = szStaging + ".lock";
    lock = locks.TryHoldFile(szLock);
    if (!lock) return false;
    try {
        if (const std::optional<ItemInfo> info = files.Stat(szLock); info && info->IsVisible()) files.Hide(szLock);
    } catch (const std::exception& e) {
        log.Note(std::string("The staging folder's lock could not be hidden: ") + e.what());
    }
    return true;
}

void StagingFolder::Delete() {
    if (files.Stat(szStaging)) fso.DeleteFolder(szStaging);
}

bool StagingFolder::Take() {
    if (!Hold()) return false;
    Delete();
    files.CreateFolder(szStaging);
    // Hidden, the mod list passes it by. A file system that keeps no such
    // attribute (some that Wine reaches) changes nothing else: the list is
    // not read again while an install runs.
    try {
        files.Hide(szStaging);
    } catch (const std::exception& e) {
        log.Note(std::string("The staging folder could not be hidden: ") + e.what());
    }
    return true;
}

void StagingFolder::Give() {
    if (!lock) return;
    Delete();
    lock.reset();
}

void StagingFolder::ClearLeft() {
    if (!files.Stat(szStaging) || !Hold()) return;
    try {
        Delete();
    } catch (...) {
        lock.reset();
        throw;
    }
    lock.reset();
}

}  // namespace corvane
