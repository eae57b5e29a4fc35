// The hidden folder an install unpacks into, "Corvane.staging" beside
// Corvane.exe, belongs to one install at a time: the install holds the lock
// of "Corvane.staging.lock" from before it clears the folder until it has
// taken it away again, and a start of Corvane deletes a folder left there
// only when no running Corvane holds that lock. The lock dies with its
// process, so a crash never keeps a left folder from going.
#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/launch_locks.h"
#include "platform/problem_log.h"

namespace corvane {

inline constexpr const char* kStagingName = "Corvane.staging";

class StagingFolder {
public:
    StagingFolder(FileSystem& files, FileSystemObject& fso, LaunchLocks& locks, ProblemLog& log,
                  const std::string& szAppPath);
    const std::string& Path() const { return szStaging; }
    // Makes the folder this install's, empty and hidden; false when another
    // install holds it.
    bool Take();
    // Deletes the folder and gives it up; it stays held when it cannot be
    // deleted.
    void Give();
    // Deletes a folder that an install cut short left and none holds.
    void ClearLeft();

private:
    bool Hold();
    void Delete();

    FileSystem& files;
    FileSystemObject& fso;
    LaunchLocks& locks;
    ProblemLog& log;
    std::string szStaging;
    std::unique_ptr<HeldLock> lock;
};

}  // namespace corvane
