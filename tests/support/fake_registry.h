// The registry in memory, as a read into a fixed buffer sees it: a missing
// key or value is a failure, and so is a value that does not fit; a key may
// also be refused, as Windows refuses rights a user does not hold.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/platform_error.h"
#include "platform/registry.h"

namespace corvane::test {

class FakeRegistry : public Registry {
public:
    using Values = std::map<std::string, std::string>;
    std::map<std::string, Values> keys;
    std::set<std::string> refused;

    std::unique_ptr<RegistryKey> OpenKey(const std::string& szSubKey) override {
        if (refused.count(szSubKey)) throw PlatformError("RegOpenKeyExA", szSubKey, 5);
        auto it = keys.find(szSubKey);
        if (it == keys.end()) throw PlatformError("RegOpenKeyExA", szSubKey, 2);
        return std::make_unique<Key>(it->second);
    }

private:
    class Key : public RegistryKey {
    public:
        explicit Key(const Values& v) : values(v) {}
        std::string QueryValue(const std::string& szName, uint32_t lBufferSize) override {
            auto it = values.find(szName);
            if (it == values.end()) throw PlatformError("RegQueryValueExA", szName, 2);
            if (it->second.size() > lBufferSize) throw PlatformError("RegQueryValueExA", szName, 234);
            return it->second;
        }

    private:
        Values values;
    };
};

// A text value as the registry stores it, and a number.
inline std::string Text(const std::string& szValue) { return szValue + '\0'; }
inline std::string Dword(uint32_t lValue) {
    std::string szBytes(4, '\0');
    for (int i = 0; i < 4; ++i) szBytes[i] = static_cast<char>((lValue >> (8 * i)) & 0xFF);
    return szBytes;
}

}  // namespace corvane::test
