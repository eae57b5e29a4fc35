// The one exception type for failures of the operating system: which
// operation failed, on what path, and the Windows error code with its text.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvane {

class PlatformError : public std::runtime_error {
public:
    PlatformError(const std::string& szOp, const std::string& szOnPath, uint32_t lError,
                  const std::string& szReason = {});

    const std::string& Operation() const { return szOperation; }
    const std::string& Path() const { return szPath; }
    uint32_t Code() const { return lCode; }

private:
    std::string szOperation;
    std::string szPath;
    uint32_t lCode;
};

}  // namespace corvane
