#include "fingerprint/manifest.h"

#include <algorithm>
#include <charconv>
#include <tuple>

#include "platform/sha256.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

constexpr const char* kProgram = "program: ";
constexpr const char* kNoProgram = "none";
constexpr const char* kHexDigits = "0123456789abcdef";

bool Escaped(unsigned char c) { return c < 0x20 || c == 0x7f || c == '%' || c == '|'; }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

bool IsSha256(const std::string& szText) {
    return szText.size() == 64 && std::all_of(szText.begin(), szText.end(), IsHexDigit);
}

bool Before(const FileLine& one, const FileLine& other) {
    return std::tie(one.szName, one.lSize, one.szSha256) < std::tie(other.szName, other.lSize, other.szSha256);
}

// What CanonicalName can give, joined by InnerName: a name of neither
// upper-case letters, slashes nor raw bytes that would break a line.
bool IsCanonicalName(const std::string& szName) {
    if (szName.empty() || std::count(szName.begin(), szName.end(), '|') > 1) return false;
    for (size_t i = 0; i < szName.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(szName[i]);
        if (c == '%') {
            if (szName.size() - i < 3 || !IsHexDigit(szName[i + 1]) || !IsHexDigit(szName[i + 2])) return false;
        } else if ((Escaped(c) && c != '|') || (c >= 'A' && c <= 'Z') || c == '/') {
            return false;
        }
    }
    return true;
}

std::optional<uint64_t> ParseSize(const std::string& szText) {
    uint64_t lSize = 0;
    const char* pEnd = szText.data() + szText.size();
    const auto [pStop, error] = std::from_chars(szText.data(), pEnd, lSize);
    if (szText.empty() || error != std::errc() || pStop != pEnd) return std::nullopt;
    return lSize;
}

std::optional<ProgramLine> ParseProgram(const std::string& szLine) {
    if (szLine.rfind(kProgram, 0) != 0) return std::nullopt;
    const std::string szRest = szLine.substr(std::char_traits<char>::length(kProgram));
    if (szRest == kNoProgram) return ProgramLine{};
    const size_t lSpace = std::min(szRest.find(' '), szRest.size());
    ProgramLine program{szRest.substr(0, lSpace), lSpace < szRest.size() ? szRest.substr(lSpace + 1) : ""};
    if (!IsSha256(program.szSha256)) return std::nullopt;
    return program;
}

std::optional<FileLine> ParseFile(const std::string& szLine) {
    const size_t lBeforeSha = szLine.rfind(' ');
    if (lBeforeSha == std::string::npos || lBeforeSha == 0) return std::nullopt;
    const size_t lBeforeSize = szLine.rfind(' ', lBeforeSha - 1);
    if (lBeforeSize == std::string::npos) return std::nullopt;
    FileLine file{szLine.substr(0, lBeforeSize), 0, szLine.substr(lBeforeSha + 1)};
    const std::optional<uint64_t> lSize = ParseSize(szLine.substr(lBeforeSize + 1, lBeforeSha - lBeforeSize - 1));
    if (!lSize || !IsSha256(file.szSha256) || !IsCanonicalName(file.szName)) return std::nullopt;
    file.lSize = *lSize;
    return file;
}

}  // namespace

std::string CanonicalName(const std::string& szPath) {
    std::string szName;
    szName.reserve(szPath.size());
    for (const char c : szPath) {
        const auto u = static_cast<unsigned char>(c);
        if (Escaped(u))
            szName += {'%', kHexDigits[u >> 4], kHexDigits[u & 15]};
        else
            szName += c == '/' ? '\\' : LowerAscii(c);
    }
    return szName;
}

std::string InnerName(const std::string& szArchive, const std::string& szInner) { return szArchive + "|" + szInner; }

void Sort(Manifest& manifest) {
    std::sort(manifest.files.begin(), manifest.files.end(), Before);
}

std::string CanonicalText(const Manifest& manifest) {
    const ProgramLine& program = manifest.program;
    std::string szText = kProgram;
    szText += program.szSha256.empty() ? kNoProgram : program.szSha256;
    if (!program.szSha256.empty() && !program.szEdition.empty()) szText += " " + program.szEdition;
    szText += '\n';
    // Appended piece by piece: thousands of lines make no string each.
    szText.reserve(szText.size() + manifest.files.size() * 160);
    for (const FileLine& file : manifest.files) {
        char szSize[24];
        const auto result = std::to_chars(szSize, szSize + sizeof(szSize), file.lSize);
        szText.append(file.szName).append(1, ' ').append(szSize, result.ptr).append(1, ' ');
        szText.append(file.szSha256).append(1, '\n');
    }
    return szText;
}

std::optional<Manifest> ParseCanonicalText(const std::string& szText) {
    if (szText.empty() || szText.back() != '\n') return std::nullopt;
    Manifest manifest;
    size_t lStart = szText.find('\n') + 1;
    const std::optional<ProgramLine> program = ParseProgram(szText.substr(0, lStart - 1));
    if (!program) return std::nullopt;
    manifest.program = *program;
    for (size_t lEnd; lStart < szText.size(); lStart = lEnd + 1) {
        lEnd = szText.find('\n', lStart);
        std::optional<FileLine> file = ParseFile(szText.substr(lStart, lEnd - lStart));
        if (!file) return std::nullopt;
        manifest.files.push_back(std::move(*file));
    }
    // Written in any other order or spelling, the same files would give
    // another code.
    if (!std::is_sorted(manifest.files.begin(), manifest.files.end(), Before) || CanonicalText(manifest) != szText)
        return std::nullopt;
    return manifest;
}

std::string FingerprintCode(const std::string& szCanonicalText) {
    static const char kCrockford[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    Sha256Hasher hasher;
    hasher.Add(szCanonicalText);
    const std::array<uint8_t, 32> digest = hasher.Finish();
    uint64_t lBits = 0;
    for (int i = 0; i < 8; ++i) lBits = (lBits << 8) | digest[i];
    lBits >>= 4;
    std::string szCode;
    for (int i = 11; i >= 0; --i) {
        szCode += kCrockford[(lBits >> (5 * i)) & 31];
        if (i == 8 || i == 4) szCode += '-';
    }
    return szCode;
}

}  // namespace corvane
