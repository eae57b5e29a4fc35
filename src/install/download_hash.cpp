#include "install/download_hash.h"

#include <exception>
#include <memory>
#include <vector>

#include "platform/sha256.h"

namespace corvane {

std::string DownloadSha256(FileSystem& files, const std::string& szPath, std::stop_token stop) {
    const std::unique_ptr<InputFile> file = files.OpenInput(szPath);
    std::vector<char> buffer(1 << 20);
    Sha256Hasher hash;
    for (size_t lRead; (lRead = file->Read(buffer.data(), buffer.size())) > 0;) {
        if (stop.stop_requested()) return "";
        hash.Add(buffer.data(), lRead);
    }
    return hash.FinishHex();
}

void DownloadLog::Note(const std::string& szWhat) {
    const std::lock_guard<std::mutex> guard(mutex);
    if (bOpen) return log.Note(szWhat);
    held.push_back(szWhat);
}

void DownloadLog::Hold() {
    const std::lock_guard<std::mutex> guard(mutex);
    bOpen = false;
}

void DownloadLog::First(const std::string& szLine) {
    const std::lock_guard<std::mutex> guard(mutex);
    log.Note(szLine);
    for (const std::string& szHeld : held) log.Note(szHeld);
    held.clear();
    bOpen = true;
}

void NoteDownload(FileSystem& files, DownloadLog& log, const std::string& szPath, std::stop_token stop) {
    const std::string szLine = "Installing a mod from " + szPath;
    try {
        const std::string szHash = DownloadSha256(files, szPath, stop);
        log.First(szHash.empty() ? szLine + ", whose SHA-256 was left unread: Corvane was closed first"
                                 : szLine + " (SHA-256 " + szHash + ")");
    } catch (const std::exception& e) {
        log.First(szLine + ", whose SHA-256 could not be read: " + e.what());
    }
}

}  // namespace corvane
