#include "fingerprint/packed_text.h"

#include <memory>
#include <new>
#include <zlib.h>

namespace corvane {

namespace {

constexpr size_t kChunk = 64 * 1024;

// inflateEnd whatever way the unpacking ends.
struct Inflater {
    z_stream stream{};
    bool bReady = inflateInit(&stream) == Z_OK;
    ~Inflater() {
        if (bReady) inflateEnd(&stream);
    }
};

bool Inflate(const std::string& szPacked, size_t lFrom, size_t lLargest, std::string& szText) {
    Inflater inflater;
    if (!inflater.bReady) return false;
    z_stream& stream = inflater.stream;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(szPacked.data() + lFrom));
    stream.avail_in = static_cast<uInt>(szPacked.size() - lFrom);
    char chunk[kChunk];
    for (int dResult = Z_OK; dResult != Z_STREAM_END;) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = kChunk;
        dResult = inflate(&stream, Z_NO_FLUSH);
        if (dResult != Z_OK && dResult != Z_STREAM_END) return false;
        szText.append(chunk, kChunk - stream.avail_out);
        if (szText.size() > lLargest) return false;
    }
    // Bytes after the end are no part of what was written.
    return stream.avail_in == 0;
}

}  // namespace

std::string PackText(const std::string& szMarker, const std::string& szText, bool bSmallest) {
    uLongf lPackedSize = compressBound(static_cast<uLong>(szText.size()));
    std::string szPacked(lPackedSize, '\0');
    // With room for the worst case, only a lack of memory fails.
    if (compress2(reinterpret_cast<Bytef*>(szPacked.data()), &lPackedSize, reinterpret_cast<const Bytef*>(szText.data()),
                  static_cast<uLong>(szText.size()), bSmallest ? Z_BEST_COMPRESSION : Z_NO_COMPRESSION) != Z_OK)
        throw std::bad_alloc();
    szPacked.resize(lPackedSize);
    return szMarker + "\n" + szPacked;
}

UnpackedText UnpackText(const std::string& szMarker, const std::string& szBytes, size_t lLargest) {
    const std::string szFirstLine = szMarker + "\n";
    if (szBytes.compare(0, szFirstLine.size(), szFirstLine) != 0) return {};
    UnpackedText unpacked{PackedKind::kText, ""};
    unpacked.szText.reserve(szBytes.size());
    if (!Inflate(szBytes, szFirstLine.size(), lLargest, unpacked.szText)) return {PackedKind::kDamaged, ""};
    return unpacked;
}

std::optional<std::string> ReadSmallFile(FileSystem& files, const std::string& szPath, uint64_t lLargest) {
    const std::unique_ptr<InputFile> file = files.OpenInput(szPath);
    if (file->Size() > lLargest) return std::nullopt;
    std::string szBytes(static_cast<size_t>(file->Size()), '\0');
    size_t lGot = 0;
    for (size_t lRead = 1; lGot < szBytes.size() && lRead > 0; lGot += lRead)
        lRead = file->Read(szBytes.data() + lGot, szBytes.size() - lGot);
    szBytes.resize(lGot);
    return szBytes;
}

}  // namespace corvane
