#include "install/install_job.h"

#include <exception>
#include <utility>

#include "install/install_rules.h"

namespace corvane {

InstallJob::InstallJob(const Platform& platform, const std::string& szAppPath, std::string szZipCharset)
    : files(platform.files),
      log(platform.problems),
      installer(platform.files, platform.fso, platform.locks, log, szAppPath, std::move(szZipCharset)) {}

void InstallJob::Open(const std::string& szArchivePath) {
    szArchive = szArchivePath;
    hasher = std::jthread();
    log.Hold();
    hasher = std::jthread([this](std::stop_token stop) { NoteDownload(files, log, szArchive, stop); });
}

void InstallJob::Reset() {
    szProblem.clear();
    bCancelled = false;
    progress.lDone = 0;
    progress.bStop = false;
}

template <typename Step>
void InstallJob::Guarded(Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (const InstallCancelled&) {
        bCancelled = true;
    } catch (const std::exception& e) {
        szProblem = e.what();
    }
}

void InstallJob::Survey() {
    Guarded([this] { survey = installer.Survey(szArchive, progress); });
}

void InstallJob::ListRoot(size_t lRoot) {
    Guarded([this, lRoot] { szLines = InstallLines(survey.items, survey.root.szFolders.at(lRoot)); });
}

void InstallJob::Install(size_t lRoot, const std::string& szTitle) {
    Guarded([this, lRoot, &szTitle] { installer.Install(survey, survey.root.szFolders.at(lRoot), szTitle, progress); });
}

void InstallJob::Abandon() {
    progress.bStop = true;
    hasher.request_stop();
}

}  // namespace corvane
