// A fingerprint's manifest as a file, to send to another player and to
// compare with theirs: its canonical text, packed.
#pragma once

#include <stdexcept>
#include <string>

#include "fingerprint/manifest.h"
#include "platform/file_system.h"

namespace corvane {

// A file that is no manifest, or a damaged one; the message names the file.
class ManifestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string ManifestBytes(const Manifest& manifest);
// The manifest in szBytes, read from the file szFile names.
Manifest ReadManifest(const std::string& szBytes, const std::string& szFile);

// Written whole or not at all; failures of the disk are PlatformError.
void SaveManifest(FileSystem& files, const std::string& szPath, const Manifest& manifest);
Manifest LoadManifest(FileSystem& files, const std::string& szPath);

}  // namespace corvane
