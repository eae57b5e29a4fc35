// Turning a failed Windows call into a PlatformError that names the call, the
// path it worked on, the error code and the system's text for it.
#pragma once

#include <string>

namespace corvane {

// The system's own description of an error code, without the trailing line
// end and full stop, or "" when the system has none.
std::string WindowsErrorText(unsigned long lCode);

[[noreturn]] void ThrowWindowsError(const std::string& szOperation, const std::string& szPath,
                                    unsigned long lCode);
// The same with the calling thread's last error code; call it straight after
// the failed call, before anything else can change that code.
[[noreturn]] void ThrowLastError(const std::string& szOperation, const std::string& szPath);

}  // namespace corvane
