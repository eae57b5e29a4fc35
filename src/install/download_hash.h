// The download's SHA-256 for Corvane.log, which tells one download of a mod
// from every other. Reading a large download takes as long as unpacking it,
// so it runs beside the install and stops when Corvane is closed; the
// install's own lines in Corvane.log wait for its line, which comes first.
#pragma once

#include <mutex>
#include <stop_token>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/problem_log.h"

namespace corvane {

// The file's SHA-256 in lower-case hexadecimal; "" when stop was asked
// for before the last byte was read.
std::string DownloadSha256(FileSystem& files, const std::string& szPath, std::stop_token stop);

// The lines of one install in Corvane.log: held until the first line is
// written, then passed on as they come.
class DownloadLog : public ProblemLog {
public:
    explicit DownloadLog(ProblemLog& log) : log(log) {}
    void Note(const std::string& szWhat) override;
    // Holds the lines again, for the next download.
    void Hold();
    // Writes the line, then the lines held so far.
    void First(const std::string& szLine);

private:
    ProblemLog& log;
    std::mutex mutex;
    bool bOpen = false;
    std::vector<std::string> held;
};

// Reads the download's SHA-256 and writes its line first: "Installing a mod
// from <path> (SHA-256 <hash>)", or why there is none.
void NoteDownload(FileSystem& files, DownloadLog& log, const std::string& szPath, std::stop_token stop);

}  // namespace corvane
