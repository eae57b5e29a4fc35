#include "fingerprint/fingerprint_builder.h"

namespace corvane {

namespace {

bool IsArchiveName(const std::string& szName) {
    return szName.size() > 4 && szName.compare(szName.size() - 4, 4, ".big") == 0;
}

}  // namespace

void FingerprintBuilder::Add(const LoadedFile& file) {
    const FileHashes* hashes = cache.Find(file.szSource, file.lSize, file.lWriteTime);
    if (!hashes) {
        cache.Keep(file.szSource, file.lSize, file.lWriteTime, HashFile(files, file.szSource, IsArchiveName(file.szName)));
        hashes = cache.Find(file.szSource, file.lSize, file.lWriteTime);
    }
    if (hashes->as == HashedAs::kNoArchive)
        szNotes.push_back(file.szName + " is named like an archive but is none: the game skips it");
    else if (!hashes->szLie.empty())
        szNotes.push_back(file.szName + " is taken as one whole file: " + hashes->szLie);
    for (const FileLine& piece : hashes->pieces) {
        const std::string szName = hashes->as == HashedAs::kArchive ? InnerName(file.szName, piece.szName) : file.szName;
        manifest.files.push_back({szName, piece.lSize, piece.szSha256});
    }
}

Manifest FingerprintBuilder::Finish() {
    Sort(manifest);
    return manifest;
}

}  // namespace corvane
