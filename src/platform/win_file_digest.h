// A file's SHA-256, through the system's own cryptographic provider.
#pragma once

#include <string>

namespace corvane {

// In lower-case hexadecimal; read in blocks, so a file of gigabytes costs
// no more memory than a small one. Failures are thrown as PlatformError.
std::string FileSha256(const std::string& szPath);

}  // namespace corvane
