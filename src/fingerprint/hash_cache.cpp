#include "fingerprint/hash_cache.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "fingerprint/packed_text.h"
#include "platform/platform_error.h"

namespace corvane {

namespace {

// The text, one record a file:
//   <kind> <size> <last write> <count> <source's canonical name>
//   <where its table lies>                      (kind l only)
//   <size> <SHA-256> <name inside>              count of them
// Kinds: w a whole file, l an archive taken whole, a an archive, n no archive.
constexpr const char* kMarker = "Corvane hash cache 1";
constexpr size_t kLargestText = 256u << 20;

// The next field, up to the space after it, which it takes along.
std::optional<std::string_view> Field(std::string_view& szLine) {
    const size_t lSpace = szLine.find(' ');
    if (lSpace == std::string_view::npos) return std::nullopt;
    const std::string_view szField = szLine.substr(0, lSpace);
    szLine.remove_prefix(lSpace + 1);
    return szField;
}

bool Number(std::string_view& szLine, uint64_t& lNumber) {
    const std::optional<std::string_view> szField = Field(szLine);
    if (!szField) return false;
    const char* pEnd = szField->data() + szField->size();
    const auto [pStop, error] = std::from_chars(szField->data(), pEnd, lNumber);
    return !szField->empty() && error == std::errc() && pStop == pEnd;
}

// Nothing when the last line has no end.
std::optional<std::vector<std::string_view>> Lines(const std::string& szText) {
    std::vector<std::string_view> lines;
    for (size_t lStart = 0, lEnd; lStart < szText.size(); lStart = lEnd + 1) {
        lEnd = szText.find('\n', lStart);
        if (lEnd == std::string::npos) return std::nullopt;
        lines.emplace_back(szText.data() + lStart, lEnd - lStart);
    }
    return lines;
}

char KindOf(const FileHashes& hashes) {
    if (hashes.as == HashedAs::kArchive) return 'a';
    if (hashes.as == HashedAs::kNoArchive) return 'n';
    return hashes.szLie.empty() ? 'w' : 'l';
}

std::optional<HashedAs> HashedAsOf(char cKind) {
    switch (cKind) {
        case 'w':
        case 'l': return HashedAs::kWhole;
        case 'a': return HashedAs::kArchive;
        case 'n': return HashedAs::kNoArchive;
        default: return std::nullopt;
    }
}

bool ParsePiece(std::string_view szLine, FileLine& piece) {
    const std::optional<std::string_view> szSha256 = Number(szLine, piece.lSize) ? Field(szLine) : std::nullopt;
    if (!szSha256 || szSha256->size() != 64) return false;
    piece.szSha256 = *szSha256;
    piece.szName = szLine;
    return true;
}

}  // namespace

void HashCache::Load() {
    records.clear();
    bChanged = false;
    try {
        if (!files.Stat(szPath)) return;
        const std::optional<std::string> szBytes = ReadSmallFile(files, szPath, kLargestText);
        const UnpackedText unpacked = UnpackText(kMarker, szBytes.value_or(""), kLargestText);
        if (unpacked.kind == PackedKind::kText && Parse(unpacked.szText)) return;
        problems.Note("The hash cache " + szPath + " is damaged; the fingerprint reads every file again");
    } catch (const PlatformError& error) {
        problems.Note("The hash cache " + szPath + " cannot be read (" + error.what() +
                      "); the fingerprint reads every file again");
    }
    records.clear();
    bChanged = true;
}

const FileHashes* HashCache::Find(const std::string& szSource, uint64_t lSize, uint64_t lWriteTime) const {
    const auto found = records.find(CanonicalName(szSource));
    if (found == records.end() || found->second.lSize != lSize || found->second.lWriteTime != lWriteTime)
        return nullptr;
    return &found->second.hashes;
}

void HashCache::Keep(const std::string& szSource, uint64_t lSize, uint64_t lWriteTime, FileHashes hashes) {
    records[CanonicalName(szSource)] = Record{lSize, lWriteTime, std::move(hashes)};
    bChanged = true;
}

void HashCache::Save() {
    if (!bChanged) return;
    try {
        files.SaveFile(szPath, PackText(kMarker, Text(), false));
        bChanged = false;
    } catch (const PlatformError& error) {
        problems.Note("The hash cache " + szPath + " cannot be saved (" + error.what() + ")");
    }
}

std::string HashCache::Text() const {
    std::string szText;
    for (const auto& [szSource, record] : records) {
        const FileHashes& hashes = record.hashes;
        const char cKind = KindOf(hashes);
        szText += std::string(1, cKind) + ' ' + std::to_string(record.lSize) + ' ' + std::to_string(record.lWriteTime) +
                  ' ' + std::to_string(hashes.pieces.size()) + ' ' + szSource + '\n';
        if (cKind == 'l') szText += hashes.szLie + '\n';
        for (const FileLine& piece : hashes.pieces)
            szText += std::to_string(piece.lSize) + ' ' + piece.szSha256 + ' ' + piece.szName + '\n';
    }
    return szText;
}

bool HashCache::Parse(const std::string& szText) {
    const std::optional<std::vector<std::string_view>> allLines = Lines(szText);
    if (!allLines) return false;
    const std::vector<std::string_view>& lines = *allLines;
    for (size_t i = 0; i < lines.size();) {
        std::string_view szLine = lines[i++];
        const std::optional<HashedAs> as = szLine.size() > 2 && szLine[1] == ' ' ? HashedAsOf(szLine[0]) : std::nullopt;
        if (!as) return false;
        const bool bLies = szLine[0] == 'l';
        Record record;
        uint64_t lCount = 0;
        szLine.remove_prefix(2);
        if (!Number(szLine, record.lSize) || !Number(szLine, record.lWriteTime) || !Number(szLine, lCount) ||
            szLine.empty())
            return false;
        record.hashes.as = *as;
        if (bLies) {
            if (i == lines.size()) return false;
            record.hashes.szLie = lines[i++];
        }
        if (lCount > lines.size() - i) return false;
        record.hashes.pieces.resize(lCount);
        for (FileLine& piece : record.hashes.pieces)
            if (!ParsePiece(lines[i++], piece)) return false;
        // Written in the order of the names: each goes at the end.
        records.insert_or_assign(records.end(), std::string(szLine), std::move(record));
    }
    return true;
}

}  // namespace corvane
