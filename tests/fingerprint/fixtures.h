// Game archives made byte by byte, as the game's tools write them: the
// header, the table, then each file's bytes in the table's order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/memory_disk.h"

namespace corvane::test {

struct BigFile {
    std::string szName;
    std::string szBytes;
};

inline std::string BigEndianBytes(uint32_t l) {
    return {static_cast<char>(l >> 24), static_cast<char>(l >> 16), static_cast<char>(l >> 8), static_cast<char>(l)};
}

// Puts a big-endian number over the four bytes at lAt.
inline std::string Patched(std::string szBytes, size_t lAt, uint32_t lValue) {
    szBytes.replace(lAt, 4, BigEndianBytes(lValue));
    return szBytes;
}

inline std::string BigBytes(const std::vector<BigFile>& files, const std::string& szHeader = "BIGF") {
    uint32_t lTableEnd = 16;
    for (const BigFile& file : files) lTableEnd += static_cast<uint32_t>(8 + file.szName.size() + 1);
    std::string szTable, szData;
    for (const BigFile& file : files) {
        szTable += BigEndianBytes(lTableEnd + static_cast<uint32_t>(szData.size())) +
                   BigEndianBytes(static_cast<uint32_t>(file.szBytes.size())) + file.szName + '\0';
        szData += file.szBytes;
    }
    std::string szSize = BigEndianBytes(static_cast<uint32_t>(lTableEnd + szData.size()));
    return szHeader + std::string(szSize.rbegin(), szSize.rend()) + BigEndianBytes(static_cast<uint32_t>(files.size())) +
           BigEndianBytes(lTableEnd) + szTable + szData;
}

}  // namespace corvane::test
