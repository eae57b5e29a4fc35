// The rules of installing a mod from a downloaded archive that need no disk:
// which entry names are safe to write, which folder of the archive lines up
// with the game folder (the mod's root), what lands where in the mod's
// folder, and the notes the player reads before pressing Install.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "install/entry_names.h"

namespace corvane {

enum class EntryKind { kFile, kFolder, kLink, kOther };

// One entry of the archive as its directory announces it.
struct ArchiveItem {
    std::string szName;    // as stored, UTF-8, "/" or "\" between folders
    EntryKind kind = EntryKind::kFile;
    uint64_t lSize = 0;    // announced size of a file
    std::string szPath;    // the name made safe: "Data\INI\x.ini", no trailing "\"
    std::string szHead;    // a disabled archive's first bytes, when read
};

// The name and the reason of the first two entries whose paths name the
// same file or folder on Windows (they differ only in letter case, or one is
// a file where the other needs a folder); empty when there are none.
std::string ClashingEntries(const std::vector<ArchiveItem>& items);

// The files whose first bytes decide something: a .gib or .ctr that is a
// game archive is a disabled one, and a .big that is one makes its folder
// the mod's unless the folder's names already do. Reading them costs, in a
// solid archive, unpacking all before them.
std::vector<size_t> HeadsNeeded(const std::vector<ArchiveItem>& items);
inline constexpr size_t kHeadSize = 4;

// The folders the player may pick as the mod's root, paths as in
// ArchiveItem ("" for the archive's top), the first preselected; bPick when
// the archive does not tell one.
struct RootChoice {
    std::vector<std::string> szFolders;
    bool bPick = false;
};
RootChoice ChooseRoot(const std::vector<ArchiveItem>& items);
// The folder as the drop-down shows it.
std::string RootCaption(const std::string& szFolder);

// What an install writes with szRoot as the mod's root: each file and empty
// folder with its path in the mod's folder, and the notes.
struct InstallList {
    struct Entry {
        size_t lItem;          // index into the items
        std::string szTarget;  // path in the mod's folder
    };
    std::vector<Entry> entries;
    std::vector<std::string> szNotes;
    uint64_t lBytes = 0;  // announced bytes of the files
    bool bSizesLie = false;  // they add up to more than 64 bits hold
    size_t lFiles = 0;
};
InstallList ListInstall(const std::vector<ArchiveItem>& items, const std::string& szRoot);
// What the window lists for the root: the notes, then the files as they
// will lie in the mod's folder, in name order.
std::vector<std::string> InstallLines(const std::vector<ArchiveItem>& items, const std::string& szRoot);
// The same as ClashingEntries for the names the entries get in the mod's
// folder, after renames.
std::string ClashingTargets(const std::vector<ArchiveItem>& items, const InstallList& list);

}  // namespace corvane
