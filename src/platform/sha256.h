// SHA-256 in portable C++: the one digest the program computes, of a
// download, of a game's program and of every file a fingerprint covers.
// Built the same on every system, so a digest never depends on which
// cryptographic provider a machine offers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

class Sha256Hasher {
public:
    Sha256Hasher();
    // Bytes are fed in any pieces: the digest is that of all of them in a row.
    void Add(const char* pData, size_t lSize);
    void Add(std::string_view szBytes) { Add(szBytes.data(), szBytes.size()); }
    // The digest of everything added; the hasher is spent afterwards.
    std::array<uint8_t, 32> Finish();
    // The same in lower-case hexadecimal.
    std::string FinishHex();

private:
    void Compress(const uint8_t* pBlock);

    std::array<uint32_t, 8> state;
    std::array<uint8_t, 64> pending{};
    size_t lPending = 0;
    uint64_t lTotal = 0;
};

// The digest of one text, in lower-case hexadecimal.
std::string Sha256Hex(std::string_view szBytes);

}  // namespace corvane
