// Program files' versions read from their version resources with kernel32
// alone: the file is mapped as data, never run, and no version.dll is needed.
#pragma once

#include "platform/file_version.h"

namespace corvane {

class WinFileVersions : public FileVersions {
public:
    std::optional<FileVersion> Of(const std::string& szPath) override;
};

}  // namespace corvane
