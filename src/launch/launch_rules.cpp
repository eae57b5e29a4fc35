#include "launch/launch_rules.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "state/ascii_case.h"

namespace corvane {

std::string TargetPath(bool bFolderMod, const std::string& szSrc, const std::string& szDst,
                       const std::string& szInstallPath) {
    if (bFolderMod) return szInstallPath + szDst;
    const size_t lSlash = szSrc.find_last_of('\\');
    if (lSlash == std::string::npos)
        throw std::invalid_argument("the source \"" + szSrc + "\" names no folder to take its name from");
    return szDst + szSrc.substr(lSlash);
}

std::string TargetOf(const ModConfig& mod, int16_t i, const GameEntry& game) {
    const SwapEntry entry = mod.Entry(i);
    return TargetPath(mod.bFolderMod, entry.szSrc, entry.szDst, game.szInstallPath);
}

Target TargetAt(const ModConfig& mod, int16_t i, const GameEntry& game) {
    std::string szShown = TargetOf(mod, i, game);
    std::string szPath = FullPathOf(szShown).value_or("");
    return {std::move(szShown), std::move(szPath)};
}

std::optional<std::string> FullPathOf(const std::string& szPath) {
    const bool bShare = szPath.rfind("\\\\", 0) == 0;
    const bool bDrive = szPath.size() >= 3 && std::isalpha(static_cast<unsigned char>(szPath[0])) && szPath[1] == ':' &&
                        szPath[2] == '\\';
    if (!bShare && !bDrive) return std::nullopt;
    std::vector<std::string> szParts;
    for (size_t lStart = bShare ? 2 : 0; lStart <= szPath.size();) {
        const size_t lEnd = std::min(szPath.find('\\', lStart), szPath.size());
        const std::string szPart = szPath.substr(lStart, lEnd - lStart);
        const size_t lRoot = bShare ? 2 : 1;  // \\server\share, or C:
        if (szPart == ".." && szParts.size() > lRoot) {
            szParts.pop_back();
        } else if (!szPart.empty() && szPart != "." && szPart != "..") {
            szParts.push_back(szPart);
        }
        lStart = lEnd + 1;
    }
    if (bShare && szParts.size() < 2) return std::nullopt;
    std::string szFull = bShare ? "\\\\" : "";
    for (size_t i = 0; i < szParts.size(); ++i) szFull += (i ? "\\" : "") + szParts[i];
    return bDrive && szParts.size() == 1 ? szFull + "\\" : szFull;
}

bool IsFilePath(const std::string& szPath) {
    const size_t lDot = szPath.find('.');
    return lDot != std::string::npos && lDot > 0;
}

bool IsBigArchive(const std::string& szName) {
    return szName.size() > 4 && FoldPath(szName.substr(szName.size() - 4)) == ".big";
}

std::string BackupName(const std::string& szTarget) { return szTarget + ".original"; }

std::vector<std::string> ParentFoldersOf(const std::string& szTarget) {
    std::vector<std::string> szFolders;
    for (size_t lPos = 3; lPos < szTarget.size(); ++lPos) {
        if (szTarget[lPos] == '\\') szFolders.push_back(szTarget.substr(0, lPos));
    }
    return szFolders;
}

std::string FoldPath(const std::string& szPath) { return LowerAscii(szPath); }

bool PathsOverlap(const std::string& szOne, const std::string& szOther) {
    const std::string a = FoldPath(szOne), b = FoldPath(szOther);
    const std::string& szShort = a.size() <= b.size() ? a : b;
    const std::string& szLong = a.size() <= b.size() ? b : a;
    if (szLong.compare(0, szShort.size(), szShort) != 0) return false;
    return szLong.size() == szShort.size() || szLong[szShort.size()] == '\\';
}

bool IsAtOrBelow(const std::string& szPath, const std::string& szFolder) {
    const std::string a = FoldPath(szPath), b = FoldPath(szFolder);
    return a.compare(0, b.size(), b) == 0 && (a.size() == b.size() || a[b.size()] == '\\');
}

std::string WithoutTrailingBackslashes(std::string szPath) {
    while (szPath.size() > 3 && szPath.back() == '\\') szPath.pop_back();
    return szPath;
}

std::string ParentOf(const std::string& szPath) {
    const size_t lSlash = szPath.find_last_of('\\');
    return lSlash == std::string::npos ? std::string() : szPath.substr(0, lSlash);
}

bool IsBelowRoot(const std::string& szPath) {
    if (szPath.rfind("\\\\", 0) == 0) {
        size_t lSlashes = 0;
        for (char c : szPath) lSlashes += c == '\\';
        return lSlashes >= 4 && szPath.back() != '\\';
    }
    return szPath.size() > 3 && szPath[1] == ':' && szPath[2] == '\\';
}

std::string LockNameFor(const std::string& szKind, const std::string& szFolder) {
    std::string szKey = FoldPath(szFolder);
    while (!szKey.empty() && szKey.back() == '\\') szKey.pop_back();
    uint64_t lHash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : szKey) lHash = (lHash ^ c) * 1099511628211ull;
    static const char kDigits[] = "0123456789abcdef";
    std::string szName = "Corvane-" + szKind + "-";
    for (int i = 60; i >= 0; i -= 4) szName += kDigits[(lHash >> i) & 15];
    return szName;
}

std::string CommandLineFor(const GameEntry& game, const std::string& szArgs) { return ProgramOf(game) + szArgs; }

std::string ProgramOf(const GameEntry& game) { return game.szInstallPath + game.szExe; }

std::string WithModSwitch(const std::string& szCommandLine, const std::string& szModFile) {
    if (szModFile.size() > 1) return szCommandLine + " -mod " + szModFile;
    return szCommandLine;
}

}  // namespace corvane
