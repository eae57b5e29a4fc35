// The SHA-256 of one file the game loads: of the whole file, or for an
// archive of every file inside it, each from its own bytes.
#pragma once

#include <cstdint>
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

// Reads the file at szSource; bArchive: the game opens it as an archive.
// Failures of the disk are thrown as PlatformError.
FileHashes HashFile(FileSystem& files, const std::string& szSource, bool bArchive);

}  // namespace corvane
