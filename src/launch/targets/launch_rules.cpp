#include "launch/targets/launch_rules.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

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
    return TargetPath(mod.bFolderMod, mod.szSrc.at(i), mod.szDst.at(i), game.szInstallPath);
}

Target TargetAt(const ModConfig& mod, int16_t i, const GameEntry& game) {
    std::string szShown = TargetOf(mod, i, game);
    std::string szPath = FullPathOf(szShown).value_or("");
    return {std::move(szShown), std::move(szPath)};
}

bool SourceNameCopies(const std::string& szSrc) {
    const size_t lSlash = szSrc.find_last_of('\\');
    if (lSlash == std::string::npos) return true;
    const std::string_view szName = std::string_view(szSrc).substr(lSlash + 1);
    if (szName.find_first_of("/:") != std::string_view::npos) return false;
    return szName.empty() || (szName.back() != '.' && szName.back() != ' ');
}

bool IsFilePath(const std::string& szPath) {
    const size_t lDot = szPath.find('.');
    return lDot != std::string::npos && lDot > 0;
}

// Asked of every file a swap copies: no copy of the name is made.
bool IsBigArchive(const std::string& szName) {
    constexpr std::string_view kExtension = ".big";
    if (szName.size() <= kExtension.size()) return false;
    const size_t lAt = szName.size() - kExtension.size();
    for (size_t i = 0; i < kExtension.size(); ++i)
        if (LowerAscii(szName[lAt + i]) != kExtension[i]) return false;
    return true;
}

std::string BackupName(const std::string& szTarget) { return szTarget + ".original"; }

// A root is never created; in a path without one, nothing in its first
// three characters, as the swap has always passed over a drive's root.
std::vector<std::string> ParentFoldersOf(const std::string& szTarget) {
    std::vector<std::string> szFolders;
    for (size_t lPos = std::max<size_t>(RootLength(szTarget) + 1, 3); lPos < szTarget.size(); ++lPos)
        if (szTarget[lPos] == '\\') szFolders.push_back(szTarget.substr(0, lPos));
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

// A folder that ends in a backslash (a root) holds whatever begins with it.
bool IsAtOrBelow(const std::string& szPath, const std::string& szFolder) {
    const std::string a = FoldPath(szPath), b = FoldPath(szFolder);
    if (a.compare(0, b.size(), b) != 0) return false;
    return a.size() == b.size() || a[b.size()] == '\\' || (!b.empty() && b.back() == '\\');
}

std::string WithoutTrailingBackslashes(std::string szPath) {
    const size_t lKeep = std::max<size_t>(RootLength(szPath), 3);
    while (szPath.size() > lKeep && szPath.back() == '\\') szPath.pop_back();
    return szPath;
}

std::string ParentOf(const std::string& szPath) {
    const size_t lSlash = szPath.find_last_of('\\');
    return lSlash == std::string::npos ? std::string() : szPath.substr(0, lSlash);
}

std::string FolderOf(const std::string& szPath) {
    const std::string szParent = ParentOf(szPath);
    return RootLength(szParent + "\\") == szParent.size() + 1 ? szParent + "\\" : szParent;
}

bool IsBelowRoot(const std::string& szPath) {
    const size_t lRoot = RootLength(szPath);
    return lRoot > 0 && WithoutTrailingBackslashes(szPath).size() > lRoot;
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
