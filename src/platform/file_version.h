// The version a program file carries in its version resource, as Explorer
// shows it in the file's properties.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

// The first two parts of the file version: 1.08 is major 1, minor 8.
struct FileVersion {
    uint16_t dMajor = 0;
    uint16_t dMinor = 0;
};

class FileVersions {
public:
    virtual ~FileVersions() = default;
    // Nothing when the file is missing, is no program or has no version.
    virtual std::optional<FileVersion> Of(const std::string& szPath) = 0;
};

}  // namespace corvane
