// Archives for the install tests: zip files written byte by byte (for names,
// flags and sizes no archiver writes), archives Debian's zip and 7z make of
// a folder tree, and libarchive's own uuencoded test archives.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

struct ZipEntry {
    ZipEntry(std::string szName, std::string szData, uint16_t lFlags = 0, std::string szExtra = "",
             std::optional<uint32_t> lSize = std::nullopt)
        : szName(std::move(szName)), szData(std::move(szData)), lFlags(lFlags), szExtra(std::move(szExtra)), lSize(lSize) {}
    std::string szName;  // raw bytes
    std::string szData;
    uint16_t lFlags = 0;            // 0x800: the name is UTF-8
    std::string szExtra;            // extra fields as written
    std::optional<uint32_t> lSize;  // announced size, when not the data's
};
// A zip of stored entries.
std::string ZipBytes(const std::vector<ZipEntry>& entries);
// An Info-ZIP Unicode Path extra field naming szRawName in UTF-8.
std::string UnicodePathField(const std::string& szRawName, const std::string& szUtf8);

// The archive Debian's archiver makes of the tree (path -> content) with
// the command ("zip -qr", "7zz a -bd -ms=on"), read back whole; the command
// runs in the tree's folder and is given the archive's path, then the tree.
std::string ToolArchive(const std::string& szCommand, const std::string& szExtension,
                        const std::map<std::string, std::string>& tree);

// One of libarchive's test archives, decoded ("test_read_format_rar.rar").
std::string LibarchiveTestFile(const std::string& szName);

}  // namespace corvane::test
