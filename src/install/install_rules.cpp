#include "install/install_rules.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "state/ascii_case.h"

namespace corvane {

namespace {

const std::array<const char*, 5> kModFolders = {"data", "art", "window", "maps", "zh_generals"};
// Readmes, texts, links and pictures ride along in every download at every
// level: they neither make a folder the mod's nor keep a wrapper from being
// stepped into.
const std::array<const char*, 20> kAsideExtensions = {"txt", "rtf", "pdf", "doc", "docx", "odt", "htm",
                                                      "html", "url", "lnk", "website", "nfo", "md", "diz",
                                                      "jpg", "jpeg", "png", "gif", "bmp", "ico"};
const std::array<const char*, 9> kArchiveExtensions = {"zip", "7z", "rar", "tar", "gz", "tgz", "bz2", "xz", "cab"};

std::string NameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of('\\') + 1); }

std::string ParentOf(const std::string& szPath) {
    const size_t lSlash = szPath.find_last_of('\\');
    return lSlash == std::string::npos ? "" : szPath.substr(0, lSlash);
}

std::string ExtensionOf(const std::string& szPath) {
    const std::string szName = NameOf(szPath);
    const size_t lDot = szName.find_last_of('.');
    return lDot == std::string::npos ? "" : LowerAscii(szName.substr(lDot + 1));
}

template <size_t N>
bool OneOf(const std::string& szText, const std::array<const char*, N>& list) {
    return std::find(list.begin(), list.end(), szText) != list.end();
}

bool IsGameArchive(const std::string& szHead) { return szHead == "BIGF" || szHead == "BIG4"; }

bool IsAside(const std::string& szPath) {
    return OneOf(ExtensionOf(szPath), kAsideExtensions) || StartsIgnoringAsciiCase(NameOf(szPath), "readme");
}

bool IsSplashMarker(const std::string& szPath) {
    return StartsIgnoringAsciiCase(NameOf(szPath), "Install_Final") && ExtensionOf(szPath) == "bmp";
}

// Letter case as Windows folds it in names, for the letters mods' names are
// written in: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic.
char32_t FoldLetter(char32_t c) {
    if (c < 0x80) return static_cast<char32_t>(LowerAscii(static_cast<char>(c)));
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138) {
        const bool bOddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        return (c % 2 == 1) == bOddUpper ? c + 1 : c;
    }
    return c;
}

std::string FoldName(const std::string& szText) {
    std::string szFolded;
    for (size_t i = 0; i < szText.size();) {
        const unsigned char c = static_cast<unsigned char>(szText[i]);
        const size_t lLen = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t lCode = lLen == 1 ? c : c & (0x7F >> lLen);
        for (size_t j = 1; j < lLen && i + j < szText.size(); ++j) lCode = (lCode << 6) | (szText[i + j] & 0x3F);
        i += lLen;
        lCode = FoldLetter(lCode);
        if (lCode < 0x80) {
            szFolded += static_cast<char>(lCode);
        } else if (lCode < 0x800) {
            szFolded += static_cast<char>(0xC0 | (lCode >> 6));
            szFolded += static_cast<char>(0x80 | (lCode & 0x3F));
        } else {
            if (lCode >= 0x10000) szFolded += static_cast<char>(0xF0 | (lCode >> 18));
            szFolded += static_cast<char>((lCode >= 0x10000 ? 0x80 | ((lCode >> 12) & 0x3F) : 0xE0 | (lCode >> 12)));
            szFolded += static_cast<char>(0x80 | ((lCode >> 6) & 0x3F));
            szFolded += static_cast<char>(0x80 | (lCode & 0x3F));
        }
    }
    return szFolded;
}

bool IsDeviceName(const std::string& szName) {
    std::string szBase = UpperAscii(szName.substr(0, szName.find('.')));
    while (!szBase.empty() && szBase.back() == ' ') szBase.pop_back();
    if (szBase == "CON" || szBase == "PRN" || szBase == "AUX" || szBase == "NUL") return true;
    return szBase.size() == 4 && (szBase.rfind("COM", 0) == 0 || szBase.rfind("LPT", 0) == 0) && szBase[3] >= '1' &&
           szBase[3] <= '9';
}

// The folders of the archive, with what decides whether one is the mod's.
struct Folder {
    std::string szPath;
    std::vector<std::string> children;  // folded paths, in name order
    bool bModsOwn = false;  // holds a game folder, a game archive or the installer's splash
    bool bFiles = false;    // holds files other than readmes, texts and pictures
};

using FolderMap = std::map<std::string, Folder>;  // by folded path

Folder& AddFolder(FolderMap& folders, const std::string& szPath) {
    const std::string szKey = FoldName(szPath);
    auto [it, bNew] = folders.try_emplace(szKey);
    if (!bNew) return it->second;
    it->second.szPath = szPath;
    if (!szPath.empty()) {
        Folder& parent = AddFolder(folders, ParentOf(szPath));
        parent.children.insert(std::upper_bound(parent.children.begin(), parent.children.end(), szKey), szKey);
        if (OneOf(LowerAscii(NameOf(szPath)), kModFolders)) parent.bModsOwn = true;
    }
    return folders.at(szKey);
}

FolderMap FoldersOf(const std::vector<ArchiveItem>& items) {
    FolderMap folders;
    AddFolder(folders, "");
    for (const ArchiveItem& item : items) {
        if (item.kind == EntryKind::kFolder) AddFolder(folders, item.szPath);
        if (item.kind != EntryKind::kFile) continue;
        Folder& parent = AddFolder(folders, ParentOf(item.szPath));
        if (IsGameArchive(item.szHead) || IsSplashMarker(item.szPath)) parent.bModsOwn = true;
        if (!IsAside(item.szPath)) parent.bFiles = true;
    }
    return folders;
}

bool Below(const std::string& szPath, const std::string& szFolder) {
    if (szFolder.empty()) return !szPath.empty();
    const std::string szPrefix = FoldName(szFolder) + "\\";
    return FoldName(szPath).rfind(szPrefix, 0) == 0;
}

// The part of a path left out with it: its first folder that does not lead
// to the root.
std::string LeftOutPart(const std::string& szPath, const std::string& szRoot) {
    const std::string szRootKey = FoldName(szRoot) + "\\";
    for (size_t lSlash = szPath.find('\\'); lSlash != std::string::npos; lSlash = szPath.find('\\', lSlash + 1)) {
        if (szRootKey.rfind(FoldName(szPath.substr(0, lSlash)) + "\\", 0) != 0) return szPath.substr(0, lSlash);
    }
    return szPath;
}

}  // namespace

std::string NameProblem(const std::string& szName) {
    if (szName.empty()) return "has an empty name";
    for (char c : szName) {
        if (static_cast<unsigned char>(c) < 32 || std::string("\\/:*?\"<>|").find(c) != std::string::npos)
            return "holds a character Windows does not allow in names (\\ / : * ? \" < > |)";
    }
    if (szName.back() == '.' || szName.back() == ' ') return "ends with a dot or a blank";
    if (IsDeviceName(szName)) return "is a device name Windows reserves (CON, NUL, COM1...)";
    return "";
}

std::string EntryProblem(const std::string& szName, std::string& szPath) {
    std::string szSlashed = szName;
    std::replace(szSlashed.begin(), szSlashed.end(), '\\', '/');
    if (!szSlashed.empty() && szSlashed[0] == '/') return "is an absolute path";
    if (szSlashed.size() >= 2 && szSlashed[1] == ':') return "names a drive";
    std::vector<std::string> parts;
    for (size_t lStart = 0; lStart <= szSlashed.size();) {
        const size_t lEnd = std::min(szSlashed.find('/', lStart), szSlashed.size());
        const std::string szPart = szSlashed.substr(lStart, lEnd - lStart);
        lStart = lEnd + 1;
        if (szPart.empty() || szPart == ".") continue;
        if (szPart == "..") {
            if (parts.empty()) return "climbs above the archive's top";
            parts.pop_back();
            continue;
        }
        if (szPart.find(':') != std::string::npos) return "names a stream (:)";
        if (std::string szProblem = NameProblem(szPart); !szProblem.empty()) return szProblem;
        parts.push_back(szPart);
    }
    szPath.clear();
    for (const std::string& szPart : parts) szPath += (szPath.empty() ? "" : "\\") + szPart;
    return "";
}

std::string ClashingEntries(const std::vector<ArchiveItem>& items) {
    std::map<std::string, std::string> files;  // folded path -> path
    std::set<std::string> folders;
    for (const ArchiveItem& item : items) {
        std::string szUp = item.kind == EntryKind::kFolder ? item.szPath : ParentOf(item.szPath);
        for (; !szUp.empty(); szUp = ParentOf(szUp)) folders.insert(FoldName(szUp));
    }
    for (const ArchiveItem& item : items) {
        if (item.kind == EntryKind::kFolder) continue;
        const std::string szKey = FoldName(item.szPath);
        if (folders.count(szKey)) return "the entry \"" + item.szName + "\" is both a file and a folder";
        const auto [it, bNew] = files.emplace(szKey, item.szName);
        if (bNew) continue;
        if (it->second == item.szName) return "the entry \"" + item.szName + "\" is there twice";
        return "the entries \"" + it->second + "\" and \"" + item.szName + "\" differ only in letter case";
    }
    return "";
}

std::vector<size_t> HeadsNeeded(const std::vector<ArchiveItem>& items) {
    const FolderMap folders = FoldersOf(items);
    std::vector<size_t> needed;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string szExt = ExtensionOf(items[i].szPath);
        if (items[i].kind != EntryKind::kFile) continue;
        if (szExt == "gib" || szExt == "ctr" ||
            (szExt == "big" && !folders.at(FoldName(ParentOf(items[i].szPath))).bModsOwn))
            needed.push_back(i);
    }
    return needed;
}

RootChoice ChooseRoot(const std::vector<ArchiveItem>& items) {
    const FolderMap folders = FoldersOf(items);
    // The shallowest folders of the mod's own: one is the root, several
    // (a mod and its patch, language versions) are the player's to pick.
    for (std::vector<std::string> level = {""}; !level.empty();) {
        RootChoice choice;
        std::vector<std::string> next;
        for (const std::string& szKey : level) {
            const Folder& folder = folders.at(szKey);
            if (folder.bModsOwn) choice.szFolders.push_back(folder.szPath);
            next.insert(next.end(), folder.children.begin(), folder.children.end());
        }
        choice.bPick = choice.szFolders.size() > 1;
        if (!choice.szFolders.empty()) return choice;
        level = std::move(next);
    }
    // No folder says it is the mod's: past single wrapper folders, the player
    // picks among the folder reached and the folders in it.
    const Folder* top = &folders.at("");
    while (top->children.size() == 1 && !top->bFiles) top = &folders.at(top->children.front());
    RootChoice choice{{top->szPath}, false};
    for (const std::string& szKey : top->children) choice.szFolders.push_back(folders.at(szKey).szPath);
    choice.bPick = choice.szFolders.size() > 1;
    return choice;
}

std::string RootCaption(const std::string& szFolder) {
    return szFolder.empty() ? "(the archive's top folder)" : szFolder + "\\";
}

InstallList ListInstall(const std::vector<ArchiveItem>& items, const std::string& szRoot) {
    InstallList list;
    std::vector<std::string> szLeftOut;
    const size_t lCut = szRoot.empty() ? 0 : szRoot.size() + 1;
    for (size_t i = 0; i < items.size(); ++i) {
        const ArchiveItem& item = items[i];
        if (!Below(item.szPath, szRoot)) {
            if (!item.szPath.empty() && !Below(szRoot + "\\", item.szPath) &&
                FoldName(item.szPath) != FoldName(szRoot)) {
                const std::string szPart = LeftOutPart(item.szPath, szRoot);
                if (std::find(szLeftOut.begin(), szLeftOut.end(), szPart) == szLeftOut.end())
                    szLeftOut.push_back(szPart);
            }
            continue;
        }
        std::string szTarget = item.szPath.substr(lCut);
        if (item.kind == EntryKind::kLink || item.kind == EntryKind::kOther) {
            list.szNotes.push_back(std::string(item.kind == EntryKind::kLink ? "Left out (a link): "
                                                                             : "Left out (not a file or folder): ") +
                                   szTarget);
            continue;
        }
        if (item.kind == EntryKind::kFile) {
            const std::string szExt = ExtensionOf(szTarget);
            if ((szExt == "gib" || szExt == "ctr") && IsGameArchive(item.szHead)) {
                const std::string szBig = szTarget.substr(0, szTarget.size() - 3) + "big";
                list.szNotes.push_back(szTarget + " becomes " + szBig);
                szTarget = szBig;
            } else if (OneOf(szExt, kArchiveExtensions)) {
                list.szNotes.push_back("Installed as it is, not unpacked (an archive in the archive): " + szTarget);
            }
            list.lBytes += item.lSize;
        }
        list.entries.push_back({i, szTarget});
    }
    for (const std::string& szPart : szLeftOut) list.szNotes.push_back("Left out (outside the mod's folder): " + szPart);
    return list;
}

}  // namespace corvane
