#include "fingerprint/file_hashes.h"

#include <algorithm>
#include <memory>

#include "fingerprint/big_table.h"
#include "platform/platform_error.h"
#include "platform/sha256.h"

namespace corvane {

namespace {

constexpr size_t kBlock = 1 << 20;
constexpr uint32_t kHandleEof = 38;  // ERROR_HANDLE_EOF

class RangeHasher {
public:
    RangeHasher(InputFile& file, const std::string& szSource, HashProgress* progress)
        : file(file), szSource(szSource), progress(progress) {}

    // The bytes from lOffset on, lSize of them.
    std::string Hash(uint64_t lOffset, uint64_t lSize) {
        file.SeekTo(lOffset);
        Sha256Hasher hasher;
        while (lSize > 0) {
            const size_t lRead = file.Read(block.data(), static_cast<size_t>(std::min<uint64_t>(kBlock, lSize)));
            // The file got shorter since its size was read.
            if (lRead == 0) throw PlatformError("ReadFile", szSource, kHandleEof, "Reached the end of the file");
            hasher.Add(block.data(), lRead);
            lSize -= lRead;
            if (!progress) continue;
            progress->lDone += lRead;
            if (progress->bStop) throw HashingStopped();
        }
        return hasher.FinishHex();
    }

private:
    InputFile& file;
    const std::string& szSource;
    HashProgress* progress;
    std::vector<char> block = std::vector<char>(kBlock);
};

}  // namespace

FileHashes HashFile(FileSystem& files, const std::string& szSource, bool bArchive, HashProgress* progress) {
    const std::unique_ptr<InputFile> file = files.OpenInput(szSource);
    RangeHasher hasher(*file, szSource, progress);
    FileHashes hashes;
    if (bArchive) {
        const BigTable table = ReadBigTable(*file);
        if (table.kind == BigTableKind::kNoArchive) return {HashedAs::kNoArchive, {}, ""};
        hashes.szLie = table.szLie;
        if (table.kind == BigTableKind::kArchive) {
            hashes.as = HashedAs::kArchive;
            for (const BigEntry& entry : table.entries)
                hashes.pieces.push_back(
                    {CanonicalName(entry.szName), entry.lSize, hasher.Hash(entry.lOffset, entry.lSize)});
            return hashes;
        }
    }
    const uint64_t lSize = file->Size();
    hashes.pieces.push_back({"", lSize, hasher.Hash(0, lSize)});
    return hashes;
}

}  // namespace corvane
