// Installing a mod from its download: the archive is read once to list it
// and find the mod's root, then, when the player says so, unpacked into a
// hidden staging folder in Corvane's folder, which is renamed to the mod's
// title once every file is written and checked. A failure, a refusal or a
// cancel leaves nothing behind; a staging folder a crash left is deleted at
// the next start. Every name is checked, as Windows will take it, before
// anything is written. The download itself is only ever read.
#pragma once

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "install/install_rules.h"
#include "install/staging_folder.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/problem_log.h"

namespace corvane {

// Why the archive is not installed, as the player is told it.
class InstallRefused : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The player cancelled; nothing is left behind.
struct InstallCancelled {};

// Shared between the window and the install's thread.
struct InstallProgress {
    std::atomic<uint64_t> lDone{0};
    std::atomic<uint64_t> lTotal{0};
    std::atomic<bool> bStop{false};
};

// What the archive holds, as the window shows it before the install.
struct ArchiveSurvey {
    std::string szArchive;
    std::vector<ArchiveItem> items;
    RootChoice root;
};

class ModInstaller {
public:
    // szZipCharset: the system's OEM code page ("CP437"), in which zip
    // names that are not marked UTF-8 are written.
    ModInstaller(FileSystem& files, FileSystemObject& fso, LaunchLocks& locks, ProblemLog& log,
                 std::string szAppPath, std::string szZipCharset);

    // Reads the archive's directory, and the first bytes of its game
    // archives. Throws InstallRefused or InstallCancelled.
    ArchiveSurvey Survey(const std::string& szArchive, InstallProgress& progress);
    // Why the title cannot name the new mod; "" when it can.
    std::string TitleProblem(const std::string& szTitle);
    // Installs what lies under szRoot as the folder mod szTitle. Throws
    // InstallRefused, InstallCancelled or the disk's PlatformError, each
    // after everything written was taken away again.
    void Install(const ArchiveSurvey& survey, const std::string& szRoot, const std::string& szTitle,
                 InstallProgress& progress);
    // Deletes a staging folder that an install cut short left behind and
    // no running install holds.
    void RemoveStaging() { staging.ClearLeft(); }

private:
    // Refuses, before anything is written, what the disk could not take.
    void CheckList(const ArchiveSurvey& survey, const InstallList& list, const std::string& szTitle);
    void Unpack(const ArchiveSurvey& survey, const InstallList& list, const std::string& szInto,
                InstallProgress& progress);
    [[noreturn]] void Refuse(const std::string& szMessage);

    FileSystem& files;
    ProblemLog& log;
    std::string szAppPath;
    std::string szZipCharset;
    StagingFolder staging;
};

}  // namespace corvane
