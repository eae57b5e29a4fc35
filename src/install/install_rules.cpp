#include "install/install_rules.h"

#include <algorithm>
#include <array>
#include <set>

#include "install/folder_tree.h"
#include "install/name_case.h"
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

// The name a file gets in the mod's folder: a disabled game archive's as
// the game loads it.
std::string TargetName(const ArchiveItem& item, const std::string& szTarget) {
    const std::string szExt = ExtensionOf(szTarget);
    if (item.kind != EntryKind::kFile || (szExt != "gib" && szExt != "ctr") || !IsGameArchive(item.szHead))
        return szTarget;
    return szTarget.substr(0, szTarget.size() - 3) + "big";
}

// The folders of the archive, with what decides whether one is the mod's.
FolderTree FoldersOf(const std::vector<ArchiveItem>& items) {
    FolderTree folders;
    const auto add = [&](const std::string& szPath) {
        const size_t lAt = folders.Add(szPath);
        for (size_t i = lAt; i != FolderTree::kTop; i = folders[i].lParent) {
            if (OneOf(LowerAscii(folders[i].szName), kModFolders)) folders[folders[i].lParent].bModsOwn = true;
        }
        return lAt;
    };
    for (const ArchiveItem& item : items) {
        if (item.kind == EntryKind::kFolder) add(item.szPath);
        if (item.kind != EntryKind::kFile) continue;
        FolderTree::Folder& parent = folders[add(ParentOf(item.szPath))];
        if (IsGameArchive(item.szHead) || IsSplashMarker(item.szPath)) parent.bModsOwn = true;
        if (!IsAside(item.szPath)) parent.bFiles = true;
    }
    return folders;
}

// Where a folded path lies against the folded root: in it, on the way to
// it (the root or a folder above it), or elsewhere.
enum class Place { kInRoot, kAbove, kOutside };

Place PlaceOf(const std::string& szKey, const std::string& szRootKey) {
    if (szRootKey.empty()) return szKey.empty() ? Place::kAbove : Place::kInRoot;
    if (szKey.size() > szRootKey.size() && szKey[szRootKey.size()] == '\\' && szKey.compare(0, szRootKey.size(), szRootKey) == 0)
        return Place::kInRoot;
    if (szKey.empty() || (szRootKey.compare(0, szKey.size(), szKey) == 0 &&
                          (szRootKey.size() == szKey.size() || szRootKey[szKey.size()] == '\\')))
        return Place::kAbove;
    return Place::kOutside;
}

// The part of a path left out with it: its first folder that does not lead
// to the root.
std::string LeftOutPart(const std::string& szPath, const std::string& szKey, const std::string& szRootKey) {
    size_t lSame = 0;
    while (lSame < szKey.size() && lSame < szRootKey.size() && szKey[lSame] == szRootKey[lSame]) ++lSame;
    // Back to the start of the name where the two part.
    const size_t lStart = lSame == 0 ? 0 : szKey.rfind('\\', lSame - 1) + 1;
    const size_t lEnd = szKey.find('\\', std::max(lStart, lSame));
    if (lEnd == std::string::npos) return szPath;
    // Folded names may be longer or shorter than the names: cut the path
    // after as many of its names.
    const size_t lNames = std::count(szKey.begin(), szKey.begin() + lEnd, '\\') + 1;
    size_t lCut = 0;
    for (size_t i = 0; i < lNames; ++i) lCut = szPath.find('\\', lCut) + 1;
    return szPath.substr(0, lCut - 1);
}

}  // namespace

std::string ClashingEntries(const std::vector<ArchiveItem>& items) {
    std::vector<PathEntry> entries;
    entries.reserve(items.size());
    for (const ArchiveItem& item : items)
        entries.push_back({item.szPath, item.kind == EntryKind::kFolder, item.szPath, item.szName});
    return ClashingPaths(entries);
}

std::string ClashingTargets(const std::vector<ArchiveItem>& items, const InstallList& list) {
    std::vector<PathEntry> entries;
    entries.reserve(list.entries.size());
    for (const InstallList::Entry& entry : list.entries) {
        const ArchiveItem& item = items[entry.lItem];
        entries.push_back({entry.szTarget, item.kind == EntryKind::kFolder, item.szPath, item.szName});
    }
    return ClashingPaths(entries);
}

std::vector<size_t> HeadsNeeded(const std::vector<ArchiveItem>& items) {
    FolderTree folders = FoldersOf(items);
    std::vector<size_t> needed;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string szExt = ExtensionOf(items[i].szPath);
        if (items[i].kind != EntryKind::kFile) continue;
        if (szExt == "gib" || szExt == "ctr" || (szExt == "big" && !folders[folders.Add(ParentOf(items[i].szPath))].bModsOwn))
            needed.push_back(i);
    }
    return needed;
}

RootChoice ChooseRoot(const std::vector<ArchiveItem>& items) {
    const FolderTree folders = FoldersOf(items);
    // The shallowest folders of the mod's own: one is the root, several
    // (a mod and its patch, language versions) are the player's to pick.
    for (std::vector<size_t> level = {FolderTree::kTop}; !level.empty();) {
        RootChoice choice;
        std::vector<size_t> next;
        for (size_t i : level) {
            if (folders[i].bModsOwn) choice.szFolders.push_back(folders.PathOf(i));
            const std::vector<size_t> children = folders.SortedChildren(i);
            next.insert(next.end(), children.begin(), children.end());
        }
        choice.bPick = choice.szFolders.size() > 1;
        if (!choice.szFolders.empty()) return choice;
        level = std::move(next);
    }
    // No folder says it is the mod's: past single wrapper folders, the player
    // picks among the folder reached and the folders in it.
    size_t lTop = FolderTree::kTop;
    while (folders[lTop].children.size() == 1 && !folders[lTop].bFiles) lTop = folders[lTop].children.front();
    RootChoice choice{{folders.PathOf(lTop)}, false};
    for (size_t i : folders.SortedChildren(lTop)) choice.szFolders.push_back(folders.PathOf(i));
    choice.bPick = choice.szFolders.size() > 1;
    return choice;
}

std::string RootCaption(const std::string& szFolder) {
    return szFolder.empty() ? "(the archive's top folder)" : szFolder + "\\";
}

InstallList ListInstall(const std::vector<ArchiveItem>& items, const std::string& szRoot) {
    InstallList list;
    std::vector<std::string> szLeftOut;
    std::set<std::string> szLeftOutKeys;
    const std::string szRootKey = FoldName(szRoot);
    const size_t lCut = szRoot.empty() ? 0 : szRoot.size() + 1;
    for (size_t i = 0; i < items.size(); ++i) {
        const ArchiveItem& item = items[i];
        const std::string szKey = FoldName(item.szPath);
        const Place place = PlaceOf(szKey, szRootKey);
        if (place == Place::kOutside) {
            std::string szPart = LeftOutPart(item.szPath, szKey, szRootKey);
            if (szLeftOutKeys.insert(FoldName(szPart)).second) szLeftOut.push_back(std::move(szPart));
        }
        if (place != Place::kInRoot) continue;
        std::string szTarget = item.szPath.substr(lCut);
        if (item.kind == EntryKind::kLink || item.kind == EntryKind::kOther) {
            list.szNotes.push_back(std::string(item.kind == EntryKind::kLink ? "Left out (a link): "
                                                                             : "Left out (not a file or folder): ") +
                                   szTarget);
            continue;
        }
        if (item.kind == EntryKind::kFile) {
            if (std::string szBig = TargetName(item, szTarget); szBig != szTarget) {
                list.szNotes.push_back(szTarget + " becomes " + szBig);
                szTarget = std::move(szBig);
            } else if (OneOf(ExtensionOf(szTarget), kArchiveExtensions)) {
                list.szNotes.push_back("Installed as it is, not unpacked (an archive in the archive): " + szTarget);
            }
            if (list.lBytes + item.lSize < list.lBytes) list.bSizesLie = true;
            list.lBytes += item.lSize;
            ++list.lFiles;
        }
        list.entries.push_back({i, std::move(szTarget)});
    }
    for (const std::string& szPart : szLeftOut) list.szNotes.push_back("Left out (outside the mod's folder): " + szPart);
    return list;
}

}  // namespace corvane

namespace corvane {

std::vector<std::string> InstallLines(const std::vector<ArchiveItem>& items, const std::string& szRoot) {
    const InstallList list = ListInstall(items, szRoot);
    std::vector<std::string> szFiles;
    for (const InstallList::Entry& entry : list.entries) {
        if (items[entry.lItem].kind == EntryKind::kFile) szFiles.push_back(entry.szTarget);
    }
    std::sort(szFiles.begin(), szFiles.end());
    std::vector<std::string> szLines;
    szLines.reserve(list.szNotes.size() + szFiles.size());
    for (const std::string& szNote : list.szNotes) szLines.push_back("Note: " + szNote);
    szLines.insert(szLines.end(), std::make_move_iterator(szFiles.begin()), std::make_move_iterator(szFiles.end()));
    return szLines;
}

}  // namespace corvane
