#include "fingerprint/fingerprint_builder.h"

#include "check/folder/game_files.h"
#include "launch/targets/launch_rules.h"

namespace corvane {

namespace {

// A source a mod places under a name of another kind is read anew.
bool ReadAsArchive(const FileHashes& hashes) { return hashes.as != HashedAs::kWhole || !hashes.szLie.empty(); }

}  // namespace

const FileHashes& FingerprintBuilder::HashesOf(const LoadedFile& file, bool bArchive) {
    const FileHashes* hashes = cache.Find(file.szSource, file.lSize, file.lWriteTime);
    if (hashes && ReadAsArchive(*hashes) == bArchive) {
        if (progress) progress->lDone += file.lSize;
        return *hashes;
    }
    // An archive's table and the bytes no entry holds count once it is done.
    const uint64_t lBefore = progress ? progress->lDone.load() : 0;
    cache.Keep(file.szSource, file.lSize, file.lWriteTime, HashFile(files, file.szSource, bArchive, progress));
    if (progress) progress->lDone = lBefore + file.lSize;
    return *cache.Find(file.szSource, file.lSize, file.lWriteTime);
}

void FingerprintBuilder::AddProgram(const LoadedFile& program) {
    const std::string szSha256 = HashesOf(program, false).pieces.at(0).szSha256;
    manifest.program = {szSha256, BuildOf(szSha256).value_or("")};
}

void FingerprintBuilder::Add(const LoadedFile& file) {
    const FileHashes* hashes = &HashesOf(file, IsBigArchive(file.szName));
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
