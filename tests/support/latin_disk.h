// A disk in memory on a system whose legacy code page is Latin-1, the
// Western one's letters: legacy text becomes the same letters in UTF-8.
#pragma once

#include <string>

#include "support/memory_disk.h"

namespace corvane::test {

struct LatinDisk : MemoryDisk {
    std::string FromLegacyCodePage(const std::string& szBytes) override {
        std::string szText;
        for (const unsigned char c : szBytes) {
            if (c < 0x80) szText += static_cast<char>(c);
            else szText += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        }
        return szText;
    }
};

}  // namespace corvane::test
