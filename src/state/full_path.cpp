#include "state/full_path.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "state/ascii_case.h"

namespace corvane {

namespace {

// A path split into its root, as written ("C:", "\\server\share",
// "\\?\unix"), and the rest, which begins with a backslash or is empty.
struct Rooted {
    std::string szRoot;
    std::string szRest;
    bool bKeepsBackslash = true;  // the root alone ends in one: "C:\", "\\?\unix\"
};

bool IsDriveAt(const std::string& szText) {
    return szText.size() >= 3 && std::isalpha(static_cast<unsigned char>(szText[0])) && szText[1] == ':' &&
           szText[2] == '\\';
}

// "server\share" and what follows, behind the two backslashes of a share.
std::optional<Rooted> ShareOf(const std::string& szAfter) {
    const size_t lShare = szAfter.find('\\');
    if (lShare == 0 || lShare == std::string::npos) return std::nullopt;
    const size_t lRest = std::min(szAfter.find('\\', lShare + 1), szAfter.size());
    if (lRest == lShare + 1) return std::nullopt;
    return Rooted{"\\\\" + szAfter.substr(0, lRest), szAfter.substr(lRest), false};
}

std::optional<Rooted> RootOf(const std::string& szPath, bool bVerbatim) {
    if (bVerbatim) {
        const std::string szAfter = szPath.substr(4);
        if (IsDriveAt(szAfter)) return Rooted{szAfter.substr(0, 2), szAfter.substr(2)};
        if (StartsIgnoringAsciiCase(szAfter, "UNC\\")) return ShareOf(szAfter.substr(4));
        if (StartsIgnoringAsciiCase(szAfter, "unix\\")) return Rooted{szPath.substr(0, 8), szAfter.substr(4)};
        return std::nullopt;
    }
    if (szPath.rfind("\\\\.\\", 0) == 0 || szPath.rfind("\\\\?\\", 0) == 0) {
        if (IsDriveAt(szPath.substr(4))) return Rooted{szPath.substr(4, 2), szPath.substr(6)};
        return std::nullopt;  // a device, or a form Windows does not make plain
    }
    if (IsDriveAt(szPath)) return Rooted{szPath.substr(0, 2), szPath.substr(2)};
    if (szPath.rfind("\\\\", 0) == 0) return ShareOf(szPath.substr(2));
    return std::nullopt;
}

// The parts below the root, as Windows resolves them.
std::vector<std::string> PlainParts(const std::string& szRest) {
    std::vector<std::string> szParts;
    for (size_t lStart = 0; lStart < szRest.size();) {
        const size_t lEnd = std::min(szRest.find('\\', lStart), szRest.size());
        std::string szPart = szRest.substr(lStart, lEnd - lStart);
        lStart = lEnd + 1;
        if (szPart.empty() || szPart == ".") continue;
        if (szPart == "..") {
            if (!szParts.empty()) szParts.pop_back();
            continue;
        }
        if (lEnd < szRest.size()) {
            if (szPart.back() == '.') szPart.pop_back();
        } else {
            while (!szPart.empty() && (szPart.back() == '.' || szPart.back() == ' ')) szPart.pop_back();
        }
        if (!szPart.empty()) szParts.push_back(std::move(szPart));
    }
    return szParts;
}

std::string AsRest(const std::vector<std::string>& szParts) {
    std::string szText;
    for (const std::string& szPart : szParts) {
        szText += '\\';
        szText += szPart;
    }
    return szText;
}

// A drive and names Windows takes as they stand: no part empty or ending
// in a dot ("." and ".." among them), no slash, the last without a
// trailing blank. Such a path, as every target of a folder mod is, is its
// own full path, which is told without taking it apart.
bool IsPlainDrivePath(const std::string& szPath) {
    if (!IsDriveAt(szPath) || szPath.size() == 3) return false;
    for (size_t lStart = 3;;) {
        const size_t lEnd = std::min(szPath.find('\\', lStart), szPath.size());
        const std::string_view szPart(szPath.data() + lStart, lEnd - lStart);
        if (szPart.empty() || szPart.back() == '.' || szPart.find('/') != std::string_view::npos) return false;
        if (lEnd == szPath.size()) return szPart.back() != ' ';
        lStart = lEnd + 1;
    }
}

}  // namespace

std::optional<std::string> FullPathOf(const std::string& szPath) {
    if (IsPlainDrivePath(szPath)) return szPath;
    const bool bVerbatim = szPath.rfind("\\\\?\\", 0) == 0;
    std::string szText = szPath;
    if (!bVerbatim) std::replace(szText.begin(), szText.end(), '/', '\\');
    const std::optional<Rooted> rooted = RootOf(szText, bVerbatim);
    if (!rooted) return std::nullopt;
    const std::string szRest = AsRest(PlainParts(rooted->szRest));
    if (bVerbatim) {
        std::string szAsWritten = rooted->szRest;
        while (!szAsWritten.empty() && szAsWritten.back() == '\\') szAsWritten.pop_back();
        if (szAsWritten != szRest || szAsWritten.find('/') != std::string::npos) return std::nullopt;
    }
    if (szRest.empty() && rooted->bKeepsBackslash) return rooted->szRoot + "\\";
    return rooted->szRoot + szRest;
}

size_t RootLength(const std::string& szPath) {
    if (IsDriveAt(szPath)) return 3;
    if (StartsIgnoringAsciiCase(szPath, "\\\\?\\unix\\")) return 9;
    if (szPath.rfind("\\\\", 0) != 0 || szPath.rfind("\\\\?\\", 0) == 0 || szPath.rfind("\\\\.\\", 0) == 0) return 0;
    const std::optional<Rooted> share = ShareOf(szPath.substr(2));
    return share ? share->szRoot.size() : 0;
}

}  // namespace corvane
