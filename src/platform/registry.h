// Read access to the registry keys the games' installers write. Failures
// (a key or value that is missing, refused or too large) are thrown as
// PlatformError; the caller decides what a missing game means.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace corvane {

class RegistryKey {
public:
    virtual ~RegistryKey() = default;  // closes the key
    // The bytes the value holds, as many as were stored, read into a buffer
    // of lBufferSize bytes; a text value's count includes its NUL. A value
    // that does not fit the buffer is a failure. The value's type is not
    // looked at.
    virtual std::string QueryValue(const std::string& szName, uint32_t lBufferSize) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    virtual std::unique_ptr<RegistryKey> OpenKey(const std::string& szSubKey) = 0;
};

}  // namespace corvane
