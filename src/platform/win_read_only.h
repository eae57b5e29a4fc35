// The read-only rule the program relies on: a read-only file is neither
// replaced nor deleted.
#pragma once

#include <string>

namespace corvane {

// Throws PlatformError (access denied, in the name of szOperation) when a
// read-only file or folder exists at szPath. Windows itself refuses these
// writes, but not every file system behind a drive letter enforces it (a
// network share, or an emulation layer run with full rights, may not).
void RefuseReadOnly(const std::string& szOperation, const std::string& szPath);

}  // namespace corvane
