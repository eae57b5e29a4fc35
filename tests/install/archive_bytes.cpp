#include "install/archive_bytes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace corvane::test {

namespace {

uint32_t Crc32(const std::string& szBytes) {
    uint32_t lCrc = 0xFFFFFFFFu;
    for (unsigned char c : szBytes) {
        lCrc ^= c;
        for (int i = 0; i < 8; ++i) lCrc = (lCrc >> 1) ^ (0xEDB88320u & (0u - (lCrc & 1)));
    }
    return ~lCrc;
}

void Put(std::string& szOut, uint32_t lValue, int lBytes) {
    for (int i = 0; i < lBytes; ++i) szOut += static_cast<char>((lValue >> (8 * i)) & 0xFF);
}

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path.string());
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

}  // namespace

std::string ZipBytes(const std::vector<ZipEntry>& entries) {
    std::string szOut, szCentral;
    for (const ZipEntry& entry : entries) {
        const uint32_t lOffset = static_cast<uint32_t>(szOut.size());
        const uint32_t lSize = entry.lSize.value_or(static_cast<uint32_t>(entry.szData.size()));
        std::string szFields;  // version needed .. extra length, shared by both headers
        Put(szFields, 20, 2);
        Put(szFields, entry.lFlags, 2);
        Put(szFields, 0, 2);           // stored
        Put(szFields, 0x00210000, 4);  // 1980-01-01 00:00
        Put(szFields, Crc32(entry.szData), 4);
        Put(szFields, static_cast<uint32_t>(entry.szData.size()), 4);
        Put(szFields, lSize, 4);
        Put(szFields, static_cast<uint32_t>(entry.szName.size()), 2);
        Put(szFields, static_cast<uint32_t>(entry.szExtra.size()), 2);
        Put(szOut, 0x04034b50, 4);
        szOut += szFields + entry.szName + entry.szExtra + entry.szData;
        Put(szCentral, 0x02014b50, 4);
        Put(szCentral, 20, 2);  // made by MS-DOS: names in the OEM code page
        szCentral += szFields;
        Put(szCentral, 0, 2);  // comment length
        Put(szCentral, 0, 4);  // disk, internal attributes
        Put(szCentral, entry.szName.back() == '/' ? 0x10 : 0, 4);
        Put(szCentral, lOffset, 4);
        szCentral += entry.szName + entry.szExtra;
    }
    const uint32_t lCentral = static_cast<uint32_t>(szOut.size());
    szOut += szCentral;
    Put(szOut, 0x06054b50, 4);
    Put(szOut, 0, 4);
    Put(szOut, static_cast<uint32_t>(entries.size()), 2);
    Put(szOut, static_cast<uint32_t>(entries.size()), 2);
    Put(szOut, static_cast<uint32_t>(szCentral.size()), 4);
    Put(szOut, lCentral, 4);
    Put(szOut, 0, 2);
    return szOut;
}

std::string UnicodePathField(const std::string& szRawName, const std::string& szUtf8) {
    std::string szField;
    Put(szField, 0x7075, 2);
    Put(szField, static_cast<uint32_t>(5 + szUtf8.size()), 2);
    Put(szField, 1, 1);
    Put(szField, Crc32(szRawName), 4);
    return szField + szUtf8;
}

std::string ToolArchive(const std::string& szCommand, const std::string& szExtension,
                        const std::map<std::string, std::string>& tree) {
    namespace fs = std::filesystem;
    char szTemplate[] = "/tmp/corvane-archive-XXXXXX";
    const fs::path folder = mkdtemp(szTemplate);
    fs::create_directories(folder / "in");
    for (const auto& [szPath, szContent] : tree) {
        fs::create_directories((folder / "in" / szPath).parent_path());
        std::ofstream(folder / "in" / szPath, std::ios::binary) << szContent;
    }
    const fs::path archive = folder / ("out" + szExtension);
    const std::string szRun = "cd '" + (folder / "in").string() + "' && " + szCommand + " '" + archive.string() + "'" +
                              (tree.empty() ? "" : " * >/dev/null") + " 2>/dev/null";
    const int lStatus = std::system(szRun.c_str());
    const std::string szBytes = lStatus == 0 ? ReadWhole(archive) : "";
    fs::remove_all(folder);
    if (lStatus != 0) throw std::runtime_error("failed: " + szRun);
    return szBytes;
}

// Decoded by perl's unpack, which reads uuencoded lines.
std::string LibarchiveTestFile(const std::string& szName) {
    return ToolArchive("perl -ne 'print unpack(\"u\", $_) unless /^(begin|end)/' " + std::string(CORVANE_TEST_ARCHIVES) +
                           "/" + szName + ".uu >",
                       ".bin", {});
}

}  // namespace corvane::test
