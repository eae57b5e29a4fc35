#include "check/folder/big_header.h"

namespace corvane {

namespace {

uint32_t Byte(const std::string& szBytes, size_t i) { return static_cast<unsigned char>(szBytes[i]); }

uint32_t LowestFirst(const std::string& szBytes, size_t lAt) {
    return Byte(szBytes, lAt) | Byte(szBytes, lAt + 1) << 8 | Byte(szBytes, lAt + 2) << 16 | Byte(szBytes, lAt + 3) << 24;
}

uint32_t HighestFirst(const std::string& szBytes, size_t lAt) {
    return Byte(szBytes, lAt) << 24 | Byte(szBytes, lAt + 1) << 16 | Byte(szBytes, lAt + 2) << 8 | Byte(szBytes, lAt + 3);
}

}  // namespace

std::optional<BigHeader> ReadBigHeader(const std::string& szFirstBytes) {
    if (szFirstBytes.size() < kBigHeaderSize) return std::nullopt;
    const std::string szMagic = szFirstBytes.substr(0, 4);
    if (szMagic != "BIGF" && szMagic != "BIG4") return std::nullopt;
    return BigHeader{LowestFirst(szFirstBytes, 4), HighestFirst(szFirstBytes, 8), HighestFirst(szFirstBytes, 12)};
}

}  // namespace corvane
