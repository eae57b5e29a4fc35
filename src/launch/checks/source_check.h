// Before a mod touches the game folder: every source is there, every entry
// has a target that may be written, and how many bytes the swap puts in
// place. Each source is logged as it is checked, with an error line right
// after each one that stops the launch.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "launch/progress/launch_log.h"
#include "launch/targets/launch_rules.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

// What one entry puts in place: bytes to copy, and bytes it may link.
struct EntryBytes {
    uint64_t lCopy = 0;
    uint64_t lLink = 0;
};

struct SourceCheck {
    bool bAllThere = true;
    uint64_t lBytes = 0;  // what the swap will put in place, linked or copied
    std::vector<ItemInfo> sources;  // each entry's source as the check found it
    std::vector<EntryBytes> bytes;  // each entry's share of lBytes
    // Each entry's target; nothing where its source has no name to give.
    std::vector<std::optional<Target>> targets;
};

// Logs each source as it is checked, with an error line right after each one
// whose name would not be copied as it stands, that is missing, whose
// destination is no full path, that is a folder the swap would copy into
// itself, or whose backup name an older backup takes.
// Every source is checked, so the player sees all the faults of a
// configuration at once. game: the row the mod is launched into.
// guide: tells which files the swap may link.
SourceCheck CheckSources(const ModConfig& mod, const GameEntry& game, FileSystem& files, FileSystemObject& fso,
                         CopyGuide& guide, LaunchLog& log);

}  // namespace corvane
