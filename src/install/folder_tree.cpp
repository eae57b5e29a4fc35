#include "install/folder_tree.h"

#include <algorithm>

#include "install/name_case.h"

namespace corvane {

namespace {

std::string NameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of('\\') + 1); }

std::string ParentOf(const std::string& szPath) {
    const size_t lSlash = szPath.find_last_of('\\');
    return lSlash == std::string::npos ? "" : szPath.substr(0, lSlash);
}

// The entry lands under another name than the archive gives it (x.gib as x.big).
bool Renamed(const PathEntry& entry) { return FoldName(NameOf(entry.szPath)) != FoldName(NameOf(entry.szSource)); }

}  // namespace

FolderTree::FolderTree() : folders(1) {}

size_t FolderTree::Child(size_t lParent, const std::string& szName) {
    std::string szFolded = FoldName(szName);
    const auto [it, bNew] = index.try_emplace({lParent, szFolded}, folders.size());
    if (!bNew) return it->second;
    folders.push_back({lParent, szName, std::move(szFolded), {}, false, false});
    folders[lParent].children.push_back(it->second);
    return it->second;
}

std::optional<size_t> FolderTree::Find(size_t lParent, const std::string& szFolded) const {
    const auto it = index.find({lParent, szFolded});
    return it == index.end() ? std::nullopt : std::optional<size_t>(it->second);
}

size_t FolderTree::Add(const std::string& szPath) {
    size_t lAt = kTop;
    for (size_t lStart = 0; lStart < szPath.size();) {
        const size_t lEnd = std::min(szPath.find('\\', lStart), szPath.size());
        lAt = Child(lAt, szPath.substr(lStart, lEnd - lStart));
        lStart = lEnd + 1;
    }
    return lAt;
}

std::string FolderTree::PathOf(size_t i) const {
    std::vector<size_t> chain;
    for (; i != kTop; i = folders[i].lParent) chain.push_back(i);
    std::string szPath;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) szPath += (szPath.empty() ? "" : "\\") + folders[*it].szName;
    return szPath;
}

std::vector<size_t> FolderTree::SortedChildren(size_t i) const {
    std::vector<size_t> children = folders[i].children;
    std::sort(children.begin(), children.end(),
              [this](size_t a, size_t b) { return folders[a].szFolded < folders[b].szFolded; });
    return children;
}

std::string ClashingPaths(const std::vector<PathEntry>& entries) {
    FolderTree folders;
    for (const PathEntry& entry : entries) folders.Add(entry.bFolder ? entry.szPath : ParentOf(entry.szPath));
    std::map<std::pair<size_t, std::string>, const PathEntry*> files;  // (folder, folded name)
    for (const PathEntry& entry : entries) {
        if (entry.bFolder) continue;
        const size_t lFolder = folders.Add(ParentOf(entry.szPath));
        std::string szFolded = FoldName(NameOf(entry.szPath));
        if (folders.Find(lFolder, szFolded)) {
            if (Renamed(entry))
                return "the entry \"" + entry.szName + "\" becomes \"" + NameOf(entry.szPath) + "\", which is a folder too";
            return "the entry \"" + entry.szName + "\" is both a file and a folder";
        }
        const auto [it, bNew] = files.try_emplace({lFolder, std::move(szFolded)}, &entry);
        if (bNew) continue;
        const PathEntry& first = *it->second;
        if (first.szName == entry.szName) return "the entry \"" + entry.szName + "\" is there twice";
        if (Renamed(first) || Renamed(entry))
            return "the entries \"" + first.szName + "\" and \"" + entry.szName + "\" both become \"" +
                   NameOf(entry.szPath) + "\"";
        return "the entries \"" + first.szName + "\" and \"" + entry.szName + "\" differ only in letter case";
    }
    return "";
}

}  // namespace corvane
