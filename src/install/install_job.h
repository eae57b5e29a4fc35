// One install as its window runs it: the download's SHA-256 read beside it,
// the survey of the archive, the list of the folder picked and the unpacking,
// each step run on the window's work thread, and what became of the last.
#pragma once

#include <cstddef>
#include <string>
#include <thread>
#include <vector>

#include "install/download_hash.h"
#include "install/mod_install.h"
#include "platform/platform.h"

namespace corvane {

class InstallJob {
public:
    // szZipCharset: the code page of names in zips that do not say theirs.
    InstallJob(const Platform& platform, const std::string& szAppPath, std::string szZipCharset);

    // A new download. Its hash is read on a thread of its own; the install's
    // lines in Corvane.log wait for its line.
    void Open(const std::string& szArchive);
    // Before each step: nothing failed, nothing stopped, nothing done yet.
    void Reset();

    // The steps, on the work thread. A failure becomes Problem(), a cancel
    // Cancelled(); nothing is thrown.
    void Survey();
    // The list of the root folder lRoot (an index of Survey().root).
    void ListRoot(size_t lRoot);
    void Install(size_t lRoot, const std::string& szTitle);

    // The work stops at its next block and takes what it wrote along.
    void Stop() { progress.bStop = true; }
    // Closed from outside: the hash is left unread too.
    void Abandon();

    std::string TitleProblem(const std::string& szTitle) { return installer.TitleProblem(szTitle); }
    const ArchiveSurvey& Surveyed() const { return survey; }
    const std::vector<std::string>& Lines() const { return szLines; }
    const InstallProgress& Progress() const { return progress; }
    const std::string& Problem() const { return szProblem; }
    bool Cancelled() const { return bCancelled; }
    bool Stopped() const { return progress.bStop; }

private:
    template <typename Step>
    void Guarded(Step&& step);

    FileSystem& files;
    DownloadLog log;
    ModInstaller installer;
    InstallProgress progress;
    std::string szArchive;
    ArchiveSurvey survey;
    std::vector<std::string> szLines;
    std::string szProblem;
    bool bCancelled = false;
    std::jthread hasher;
};

}  // namespace corvane
