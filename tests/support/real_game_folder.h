// Two real players' game folders, as published (every file's path below the
// folder, size and SHA-256): a Zero Hour 1.04 from Steam, with Generals in
// its ZH_Generals folder, and a Generals 1.08 from the EA App. Rebuilt for a
// test with the real names and sizes, each file zeros after its first bytes
// ("BIGF" for an archive, as both editions' archives begin), so a folder of
// gigabytes costs neither memory nor disk. Files of the same listed bytes
// are rebuilt the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::test {

class MemoryDisk;

enum class RealFolder { kZeroHourSteam, kGeneralsEaApp };

struct ListedFile {
    std::string szPath;  // below the game folder, with backslashes
    uint64_t lSize = 0;
    std::string szSha256;
};

// The folder's files in their listed order. bEditionOnly: only what the
// edition itself ships, without the player's add-ons (Control Bar Pro,
// hotkeys, decals, the LAN lobby), tools (GenTool, GenPatcher, its proxy
// launcher, GameRanger) and the backups they made.
std::vector<ListedFile> ListedFiles(RealFolder folder, bool bEditionOnly = false);

// The files under szFolder (no trailing backslash) on the in-memory disk,
// and in a real folder, whose files are sparse where the file system can.
void RebuildOn(MemoryDisk& disk, const std::string& szFolder, const std::vector<ListedFile>& files);
void RebuildIn(const std::string& szFolder, const std::vector<ListedFile>& files);

}  // namespace corvane::test
