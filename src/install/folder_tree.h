// The folders of an archive as a tree, one node per folder and each name
// held once, so that an entry thousands of folders deep costs memory and
// time in proportion to its name, not to its depth times its length. Names
// are matched as Windows matches them (FoldName).
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

class FolderTree {
public:
    static constexpr size_t kTop = 0;
    struct Folder {
        size_t lParent = kTop;
        std::string szName;    // as first written
        std::string szFolded;  // as Windows compares it
        std::vector<size_t> children;  // in the order they were added
        bool bModsOwn = false;  // holds a game folder, a game archive or the installer's splash
        bool bFiles = false;    // holds files other than readmes, texts and pictures
    };

    FolderTree();
    // The folder of that name in lParent, added when missing.
    size_t Child(size_t lParent, const std::string& szName);
    std::optional<size_t> Find(size_t lParent, const std::string& szFolded) const;
    // The folder at the path ("A\B", "" for the top), added with every
    // folder above it.
    size_t Add(const std::string& szPath);
    Folder& operator[](size_t i) { return folders[i]; }
    const Folder& operator[](size_t i) const { return folders[i]; }
    // The path as first written, "\" between its names.
    std::string PathOf(size_t i) const;
    // The folder's children by their folded names.
    std::vector<size_t> SortedChildren(size_t i) const;

private:
    std::vector<Folder> folders;
    std::map<std::pair<size_t, std::string>, size_t> index;  // (parent, folded name)
};

// An entry as it will lie on the disk: its path there, whether it is a
// folder, and its path in the archive (the player's name for it).
struct PathEntry {
    std::string szPath;
    bool bFolder = false;
    std::string szSource;  // the archive's path, "\" between its names
    std::string szName;    // as the archive stores it
};

// The name and the reason of the first two entries whose paths name the
// same file or folder on Windows (they differ only in letter case, both
// become one name, or one is a file where the other needs a folder); empty
// when there are none.
std::string ClashingPaths(const std::vector<PathEntry>& entries);

}  // namespace corvane
