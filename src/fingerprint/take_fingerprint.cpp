#include "fingerprint/take_fingerprint.h"

#include <future>
#include <optional>
#include <set>

#include "fingerprint/fingerprint_builder.h"
#include "fingerprint/game_view.h"
#include "fingerprint/hash_cache.h"
#include "check/folder/folder_check.h"
#include "launch/folder_locks.h"
#include "launch/held_locks.h"
#include "launch/recovery/recovery.h"
#include "launch/checks/stray_archives.h"

namespace corvane {

namespace {

constexpr const char* kLaunchRuns =
    "A launch of this game runs: its folder is not as the game will find it. Take the fingerprint once the game is "
    "over and Corvane has put the folder back.";
constexpr const char* kUnfinishedLaunch =
    "Corvane has not yet put everything of an earlier launch back; it tries again at its next start. Until then the "
    "game folder is not as the game will find it.";

// No launch of these folders starts while they are read: it takes the
// same locks first.
void HoldFolders(HeldLocks& locks, const Platform& platform, const std::vector<CheckedFolder>& folders) {
    std::vector<std::string> szNames;
    for (const CheckedFolder& folder : folders) szNames.push_back(FolderLockName(platform.files, platform.problems, folder.szPath));
    if (!locks.Hold(szNames)) throw FingerprintRefused(kLaunchRuns);
    if (FindUnfinishedLaunch(platform.journal)) throw FingerprintRefused(kUnfinishedLaunch);
}

}  // namespace

Fingerprint TakeFingerprint(const Platform& platform, const FingerprintRequest& request, HashProgress& progress) {
    const GameEntry& game = request.games.at(static_cast<size_t>(request.dGame));
    const std::vector<CheckedFolder> folders = FoldersOf(request.games, request.dGame, platform.files);
    HeldLocks locks(platform.locks);
    HoldFolders(locks, platform, folders);
    // The cache and the game's folders are read while the mod is laid out,
    // where the disk answers two threads at once: over unchanged files
    // these are most of the time a fingerprint takes.
    HashCache cache(platform.files, platform.problems, request.szAppPath + "\\" + kHashCacheName);
    std::future<GameView> reading =
        std::async(platform.files.ListsFromManyThreads() ? std::launch::async : std::launch::deferred, [&] {
            cache.Load();
            return ViewOfFolders(folders, game.szExe, platform.files, SourcesOf(request.mods, platform.files));
        });
    std::optional<ModLayer> layer;
    if (request.mod) layer = LayerOf(*request.mod, game, folders, platform.files);
    GameView view = reading.get();
    if (layer) LayModOver(view, std::move(*layer));

    uint64_t lTotal = view.program.lSize;
    for (const auto& [szName, file] : view.files) lTotal += file.lSize;
    progress.lTotal = lTotal;
    FingerprintBuilder builder(platform.files, cache, &progress);
    if (!view.program.szSource.empty()) builder.AddProgram(view.program);
    for (const auto& [szName, file] : view.files) {
        if (progress.bStop) throw HashingStopped();
        builder.Add(file);
    }
    cache.Save();

    Fingerprint fingerprint{builder.Finish(), "", view.szNotes};
    fingerprint.szCode = FingerprintCode(CanonicalText(fingerprint.manifest));
    fingerprint.szNotes.insert(fingerprint.szNotes.end(), builder.Notes().begin(), builder.Notes().end());
    return fingerprint;
}

}  // namespace corvane
