#include "platform/platform_error.h"

namespace corvane {

namespace {

std::string Describe(const std::string& szOp, const std::string& szOnPath, uint32_t lError,
                     const std::string& szReason) {
    std::string szText = szOp + "(" + szOnPath + "): error " + std::to_string(lError);
    if (!szReason.empty()) szText += ": " + szReason;
    return szText;
}

}  // namespace

PlatformError::PlatformError(const std::string& szOp, const std::string& szOnPath,
                             uint32_t lError, const std::string& szReason)
    : std::runtime_error(Describe(szOp, szOnPath, lError, szReason)),
      szOperation(szOp),
      szPath(szOnPath),
      lCode(lError) {}

}  // namespace corvane
