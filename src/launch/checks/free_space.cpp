#include "launch/checks/free_space.h"

#include <map>
#include <stdexcept>

#include "launch/targets/game_folders.h"
#include "launch/targets/launch_rules.h"
#include "launch/targets/resolved_paths.h"

namespace corvane {

namespace {

// Volumes of folders as the system resolves them: a link in the game's
// folder may lead to another drive. The volume of a path that is not there
// is that of the nearest folder above it that is, so a volume is asked once
// for each such folder rather than for each of the hundreds of new folders
// a mod's targets lie in (a millisecond a volume under Wine).
class Volumes {
public:
    explicit Volumes(FileSystem& files) : files(files), resolved(files) {}

    const VolumeInfo& Of(const std::string& szFolder) {
        std::string szAt = resolved.Of(szFolder);
        while (!resolved.IsThere(szAt) && szAt.find('\\') != std::string::npos) szAt.erase(szAt.find_last_of('\\'));
        const std::string szKey = FoldPath(szAt);
        const auto it = known.find(szKey);
        if (it != known.end()) return it->second;
        return known.emplace(szKey, files.Volume(szAt)).first->second;
    }

private:
    FileSystem& files;
    ResolvedPaths resolved;
    std::map<std::string, VolumeInfo> known;
};

// In the largest unit that still shows ten of them; what is needed rounds
// up, what is free rounds down.
std::string SizeText(uint64_t lBytes, bool bRoundUp) {
    const std::pair<uint64_t, const char*> units[] = {
        {uint64_t{1} << 30, " GB"}, {uint64_t{1} << 20, " MB"}, {uint64_t{1} << 10, " KB"}};
    for (const auto& [lUnit, szUnit] : units)
        if (lBytes >= 10 * lUnit) return std::to_string((lBytes + (bRoundUp ? lUnit - 1 : 0)) / lUnit) + szUnit;
    return std::to_string(lBytes) + " bytes";
}

}  // namespace

std::optional<std::string> SpaceShortfall(const ModConfig& mod, const SourceCheck& check, FileSystem& files) {
    Volumes volumes(files);
    std::map<std::string, uint64_t> needed;  // by volume
    std::map<std::string, const VolumeInfo*> byId;
    for (int16_t i = 0; i < mod.dCount && static_cast<size_t>(i) < check.bytes.size(); ++i) {
        if (!check.targets.at(i)) continue;  // no target: the swap stops there
        const VolumeInfo& target = volumes.Of(FolderOf(check.targets[i]->szPath));
        const EntryBytes& bytes = check.bytes[i];
        uint64_t lNeed = bytes.lCopy;
        if (bytes.lLink && !(target.bLinks && volumes.Of(ParentOf(mod.szSrc.at(i))).szId == target.szId))
            lNeed += bytes.lLink;
        needed[target.szId] += lNeed;
        byId[target.szId] = &target;
    }
    for (const auto& [szId, lNeed] : needed) {
        const VolumeInfo& volume = *byId.at(szId);
        if (lNeed > volume.lFree)
            return "ERROR: There is not enough free space on " + volume.szRoot + " for this mod: it needs " +
                   SizeText(lNeed, true) + " and " + SizeText(volume.lFree, false) + " are free.";
    }
    return std::nullopt;
}

}  // namespace corvane
