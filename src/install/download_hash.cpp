#include "install/download_hash.h"

#include <array>
#include <cstdint>
#include <exception>
#include <memory>

namespace corvane {

namespace {

constexpr std::array<uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5, 0xd807aa98,
    0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174, 0xe49b69c1, 0xefbe4786,
    0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da, 0x983e5152, 0xa831c66d, 0xb00327c8,
    0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13,
    0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819,
    0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a,
    0x5b9cca4f, 0x682e6ff3, 0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7,
    0xc67178f2};

constexpr uint32_t Rotate(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

class Sha256 {
public:
    void Add(const unsigned char* pData, size_t lSize) {
        for (size_t i = 0; i < lSize; ++i) {
            block[lFill++] = pData[i];
            if (lFill == 64) Compress();
        }
        lBits += 8 * static_cast<uint64_t>(lSize);
    }
    std::string Hex() {
        const uint64_t lLength = lBits;
        const unsigned char kPad = 0x80, kZero = 0;
        Add(&kPad, 1);
        while (lFill != 56) Add(&kZero, 1);
        for (int i = 7; i >= 0; --i) block[lFill++] = static_cast<unsigned char>(lLength >> (8 * i));
        Compress();
        std::string szHex;
        for (uint32_t lWord : state) {
            for (int i = 28; i >= 0; i -= 4) szHex += "0123456789abcdef"[(lWord >> i) & 15];
        }
        return szHex;
    }

private:
    void Compress() {
        std::array<uint32_t, 64> w{};
        for (int i = 0; i < 16; ++i)
            w[i] = (uint32_t{block[4 * i]} << 24) | (uint32_t{block[4 * i + 1]} << 16) | (uint32_t{block[4 * i + 2]} << 8) |
                   block[4 * i + 3];
        for (int i = 16; i < 64; ++i) {
            const uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        std::array<uint32_t, 8> v = state;
        for (int i = 0; i < 64; ++i) {
            const uint32_t t1 = v[7] + (Rotate(v[4], 6) ^ Rotate(v[4], 11) ^ Rotate(v[4], 25)) +
                                ((v[4] & v[5]) ^ (~v[4] & v[6])) + kRound[i] + w[i];
            const uint32_t t2 = (Rotate(v[0], 2) ^ Rotate(v[0], 13) ^ Rotate(v[0], 22)) +
                                ((v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]));
            for (int j = 7; j > 0; --j) v[j] = v[j - 1];
            v[4] += t1;
            v[0] = t1 + t2;
        }
        for (int i = 0; i < 8; ++i) state[i] += v[i];
        lFill = 0;
    }

    std::array<uint32_t, 8> state = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                     0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::array<unsigned char, 64> block{};
    size_t lFill = 0;
    uint64_t lBits = 0;
};

}  // namespace

std::string DownloadSha256(FileSystem& files, const std::string& szPath, std::stop_token stop) {
    const std::unique_ptr<InputFile> file = files.OpenInput(szPath);
    std::vector<char> buffer(1 << 20);
    Sha256 hash;
    for (size_t lRead; (lRead = file->Read(buffer.data(), buffer.size())) > 0;) {
        if (stop.stop_requested()) return "";
        hash.Add(reinterpret_cast<const unsigned char*>(buffer.data()), lRead);
    }
    return hash.Hex();
}

void DownloadLog::Note(const std::string& szWhat) {
    const std::lock_guard<std::mutex> guard(mutex);
    if (bOpen) return log.Note(szWhat);
    held.push_back(szWhat);
}

void DownloadLog::Hold() {
    const std::lock_guard<std::mutex> guard(mutex);
    bOpen = false;
}

void DownloadLog::First(const std::string& szLine) {
    const std::lock_guard<std::mutex> guard(mutex);
    log.Note(szLine);
    for (const std::string& szHeld : held) log.Note(szHeld);
    held.clear();
    bOpen = true;
}

void NoteDownload(FileSystem& files, DownloadLog& log, const std::string& szPath, std::stop_token stop) {
    const std::string szLine = "Installing a mod from " + szPath;
    try {
        const std::string szHash = DownloadSha256(files, szPath, stop);
        log.First(szHash.empty() ? szLine + ", whose SHA-256 was left unread: Corvane was closed first"
                                 : szLine + " (SHA-256 " + szHash + ")");
    } catch (const std::exception& e) {
        log.First(szLine + ", whose SHA-256 could not be read: " + e.what());
    }
}

}  // namespace corvane
