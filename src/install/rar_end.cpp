#include "install/rar_end.h"

#include <cstdint>

namespace corvane {

namespace {

uint32_t Crc32(const std::string& szBytes, size_t lFrom, size_t lTo) {
    uint32_t lCrc = 0xFFFFFFFFu;
    for (size_t i = lFrom; i < lTo; ++i) {
        lCrc ^= static_cast<unsigned char>(szBytes[i]);
        for (int j = 0; j < 8; ++j) lCrc = (lCrc >> 1) ^ (0xEDB88320u & (0u - (lCrc & 1)));
    }
    return ~lCrc;
}

uint32_t Little(const std::string& szBytes, size_t lAt, int lBytes) {
    uint32_t lValue = 0;
    for (int i = lBytes - 1; i >= 0; --i) lValue = (lValue << 8) | static_cast<unsigned char>(szBytes[lAt + i]);
    return lValue;
}

// RAR4: CRC16 (the CRC32's low half), type 0x7B, flags, the block's size
// (7, more with a data checksum or a volume number).
bool Rar4EndAt(const std::string& szTail, size_t lAt) {
    const size_t lSize = szTail.size() - lAt;
    return static_cast<unsigned char>(szTail[lAt + 2]) == 0x7B && Little(szTail, lAt + 5, 2) == lSize &&
           (Crc32(szTail, lAt + 2, szTail.size()) & 0xFFFF) == Little(szTail, lAt, 2);
}

// RAR5: CRC32 of what follows it, the header's size, type 5, flags, the
// end's own flags; sizes and numbers in 7-bit groups.
bool Rar5EndAt(const std::string& szTail, size_t lAt) {
    if (Crc32(szTail, lAt + 4, szTail.size()) != Little(szTail, lAt, 4)) return false;
    size_t i = lAt + 4;
    uint64_t lHeader = 0;
    for (int lShift = 0; i < szTail.size(); lShift += 7) {
        const unsigned char c = static_cast<unsigned char>(szTail[i++]);
        lHeader |= static_cast<uint64_t>(c & 0x7F) << lShift;
        if (!(c & 0x80) || lShift > 56) break;
    }
    return i < szTail.size() && lHeader == szTail.size() - i && szTail[i] == 5;
}

}  // namespace

bool EndsWithRarEndBlock(const std::string& szTail, bool bRar5) {
    // The block is 7 to 20 bytes (RAR4) or 8 to 24 (RAR5) with its options.
    for (size_t lSize = 7; lSize <= 24 && lSize <= szTail.size(); ++lSize) {
        const size_t lAt = szTail.size() - lSize;
        if (bRar5 ? lSize >= 8 && Rar5EndAt(szTail, lAt) : Rar4EndAt(szTail, lAt)) return true;
    }
    return false;
}

}  // namespace corvane
