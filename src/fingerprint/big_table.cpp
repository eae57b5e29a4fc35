#include "fingerprint/big_table.h"

#include <algorithm>
#include <optional>

#include "check/folder/big_header.h"
#include "check/folder/game_files.h"

namespace corvane {

namespace {

// The archive's size in its header is not gone by: the file's own size
// bounds every entry.
constexpr size_t kHeaderSize = kBigHeaderSize;
// An entry's offset and size, and the end of its name.
constexpr uint64_t kLeastEntry = 9;
// No game path comes near it; a name that runs on past it has no end.
constexpr size_t kLongestName = 4096;
constexpr size_t kChunk = 64 * 1024;

uint32_t BigEndian(const unsigned char* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

size_t ReadUpTo(InputFile& file, unsigned char* pBuffer, size_t lSize) {
    size_t lGot = 0;
    for (size_t lRead = 1; lGot < lSize && lRead > 0; lGot += lRead)
        lRead = file.Read(reinterpret_cast<char*>(pBuffer) + lGot, lSize - lGot);
    return lGot;
}

// The table's bytes one at a time, read a chunk at a time and never past
// the end the header gives.
class TableBytes {
public:
    TableBytes(InputFile& file, uint64_t lTableEnd) : file(file), lLeft(lTableEnd - kHeaderSize) {}

    // The next byte; false at the table's end.
    bool Next(unsigned char& c) {
        if (lPos == lFilled && !Fill()) return false;
        c = buffer[lPos++];
        return true;
    }

private:
    bool Fill() {
        lFilled = ReadUpTo(file, buffer.data(), static_cast<size_t>(std::min<uint64_t>(kChunk, lLeft)));
        lLeft -= lFilled;
        lPos = 0;
        return lFilled > 0;
    }

    InputFile& file;
    uint64_t lLeft;
    std::vector<unsigned char> buffer = std::vector<unsigned char>(kChunk);
    size_t lFilled = 0, lPos = 0;
};

BigTable Lie(BigTable table, const char* szWhy) {
    table.kind = BigTableKind::kLies;
    table.entries.clear();
    table.szLie = szWhy;
    return table;
}

// The next entry's offset, size and name; false with the lie when the
// table ends before it does.
bool NextEntry(TableBytes& bytes, BigEntry& entry, const char*& szLie) {
    unsigned char fields[8];
    for (unsigned char& c : fields)
        if (!bytes.Next(c)) {
            szLie = "its table counts more entries than it holds";
            return false;
        }
    entry.lOffset = BigEndian(fields);
    entry.lSize = BigEndian(fields + 4);
    for (unsigned char c = 0; bytes.Next(c);) {
        if (c == 0) return true;
        if (entry.szName.size() == kLongestName) break;
        entry.szName += static_cast<char>(c);
    }
    szLie = "a name in its table has no end";
    return false;
}

}  // namespace

BigTable ReadBigTable(InputFile& file) {
    BigTable table;
    const uint64_t lFileSize = file.Size();
    file.Rewind();
    char header[kHeaderSize] = {};
    const size_t lGot = ReadUpTo(file, reinterpret_cast<unsigned char*>(header), kHeaderSize);
    const std::string szFirst(header, lGot);
    if (!IsArchiveHeader(szFirst.substr(0, 4))) return table;
    table.szHeader = szFirst.substr(0, 4);
    const std::optional<BigHeader> parsed = ReadBigHeader(szFirst);
    if (!parsed) return Lie(table, "its header is cut short");
    const uint32_t lCount = parsed->lFileCount, lTableEnd = parsed->lTableEnd;
    if (lTableEnd < kHeaderSize || lTableEnd > lFileSize) return Lie(table, "its table ends past the archive's end");
    if (lCount > (lTableEnd - kHeaderSize) / kLeastEntry)
        return Lie(table, "its table counts more entries than it can hold");
    table.entries.reserve(lCount);
    TableBytes bytes(file, lTableEnd);
    for (uint32_t i = 0; i < lCount; ++i) {
        BigEntry entry;
        const char* szLie = "";
        if (!NextEntry(bytes, entry, szLie)) return Lie(table, szLie);
        if (uint64_t{entry.lOffset} + entry.lSize > lFileSize) return Lie(table, "an entry lies past the archive's end");
        if (entry.lSize > 0 && entry.lOffset < lTableEnd) return Lie(table, "an entry overlaps its table");
        table.entries.push_back(std::move(entry));
    }
    table.kind = BigTableKind::kArchive;
    return table;
}

}  // namespace corvane
