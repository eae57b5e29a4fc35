// A fingerprint built file by file as the walk over a game folder (with a
// mod laid over it) finds what the game would load: each file hashed, or
// taken from the cache where it did not change.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fingerprint/hash_cache.h"
#include "fingerprint/manifest.h"
#include "platform/file_system.h"

namespace corvane {

// One file the game would load, where the walk found it.
struct LoadedFile {
    std::string szName;    // CanonicalName of its path below the game folder
    std::string szSource;  // the full path its bytes are read from: the game's own, or a mod's
    uint64_t lSize = 0;
    uint64_t lWriteTime = 0;
};

class FingerprintBuilder {
public:
    // progress, where given, counts the bytes of every file added, a file
    // found in the cache all at once.
    FingerprintBuilder(FileSystem& files, HashCache& cache, HashProgress* progress = nullptr)
        : files(files), cache(cache), progress(progress) {}

    void SetProgram(ProgramLine program) { manifest.program = std::move(program); }
    // The game's program, by its SHA-256 and the edition that tells.
    void AddProgram(const LoadedFile& program);
    // A file whose name ends in ".big" is read as an archive: every file
    // in it gets a line of its own. Failures of the disk are thrown as
    // PlatformError.
    void Add(const LoadedFile& file);
    // What the player is told beside the code: the archives taken whole,
    // and why, and the .big files that hold no archive.
    const std::vector<std::string>& Notes() const { return szNotes; }
    // The manifest in canonical order.
    Manifest Finish();

private:
    // The file's hashes, from the cache where it did not change.
    const FileHashes& HashesOf(const LoadedFile& file, bool bArchive);

    FileSystem& files;
    HashCache& cache;
    HashProgress* progress;
    Manifest manifest;
    std::vector<std::string> szNotes;
};

}  // namespace corvane
