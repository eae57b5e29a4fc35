// The SHA-256 of one file the game loads: of the whole file, or for an
// archive of every file inside it, each from its own bytes.
#pragma once

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "fingerprint/manifest.h"
#include "platform/file_system.h"

namespace corvane {

enum class HashedAs {
    kWhole,      // a file the game reads as it is, or an archive whose table lies
    kArchive,    // an archive, file by file
    kNoArchive,  // a .big without an archive's header: the game loads nothing from it
};

struct FileHashes {
    HashedAs as = HashedAs::kWhole;
    // A whole file: one, named "". An archive: one per file in its table,
    // named by its canonical path inside the archive.
    std::vector<FileLine> pieces;
    std::string szLie;  // where an archive's table lies, when it was taken whole
};

// How far a fingerprint has come, in bytes, for a window on another thread
// to show; and the stop that window may ask for.
struct HashProgress {
    std::atomic<uint64_t> lDone{0};
    std::atomic<uint64_t> lTotal{0};
    std::atomic<bool> bStop{false};
};

// Thrown by the hashing once a stop was asked for.
class HashingStopped : public std::runtime_error {
public:
    HashingStopped() : std::runtime_error("the fingerprint was stopped") {}
};

// Reads the file at szSource; bArchive: the game opens it as an archive.
// Each block read is counted in progress, where there is one. Failures of
// the disk are thrown as PlatformError.
FileHashes HashFile(FileSystem& files, const std::string& szSource, bool bArchive, HashProgress* progress = nullptr);

}  // namespace corvane
