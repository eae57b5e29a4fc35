// What one entry of the swap will do, worked out before anything is done:
// where its target lies, what is in the way there, and which folders above
// it must be made, seen on the disk as the entries before it will have
// left it.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "launch/journal/journal_records.h"
#include "launch/targets/launch_rules.h"
#include "platform/file_system.h"

namespace corvane {

struct EntryPlan {
    int16_t i = 0;
    std::string szTarget;  // the full path
    std::string szFolded;  // ...in the form paths are compared in
    std::string szShown;   // as the log shows it
    std::string szBackup;
    ItemStamp targetStamp;       // the item in the way, as it was
    bool bTargetExists = false;  // an item is in the way, hidden and system ones too
    bool bMoveAside = false;     // ...and its backup name is free
    std::vector<std::string> szNewFolders;
};

// What the journal keeps of an item: a file's size and last write; a
// folder has none.
ItemStamp StampOf(const ItemInfo& item);

// Folded paths, looked up by any part of one without copying it out: a
// folder mod's thousands of entries each ask about every folder above them.
using PathSet = std::set<std::string, std::less<>>;

// A path of the set lies inside the (folded) folder.
bool AnyBelow(const PathSet& szPaths, std::string_view szFolded);

// Plans the entries in their order. What the swap itself creates, moves or
// copies is kept up to date here, so that each parent folder is looked at
// once per launch.
class EntryPlanner {
public:
    explicit EntryPlanner(FileSystem& files) : files(files) {}

    // The entry goes to the target, and the game's item there to its backup name.
    static void Aim(EntryPlan& plan, const Target& target);

    // Fills in what is in the way and which folders are missing. Every look
    // is certain: a drive that does not answer is thrown rather than pass
    // for an empty one, or the journal would tell of folders made where the
    // game's own are.
    void LookAtDisk(EntryPlan& plan);

private:
    bool InFreshFolder(std::string_view szFolded) const;
    void AddIfMissing(EntryPlan& plan, size_t lLength);

    FileSystem& files;
    PathSet knownFolders;  // folded paths known to be there when the entry's turn comes
    // Folded paths of the folders the swap creates where nothing was, as
    // long as no later entry takes them or a folder above them.
    PathSet freshFolders;
};

}  // namespace corvane
