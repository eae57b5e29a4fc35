#include "fingerprint/mod_overlay.h"

#include <functional>
#include <future>
#include <optional>
#include <utility>
#include <vector>
#include <stdexcept>

#include "launch/progress/launch_log.h"
#include "launch/targets/launch_rules.h"
#include "launch/targets/resolved_paths.h"
#include "launch/checks/source_check.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

class NoLinks : public CopyGuide {
public:
    void BytesCopied(uint64_t) override {}
};

// The bytes a launch would put in place feed its progress bar and its check
// for free space: the fingerprint needs neither, and is spared a walk of
// every folder entry. Nothing is copied or deleted.
class Unmeasured : public FileSystemObject {
public:
    void CopyFile(const std::string&, const std::string&, CopyGuide*, std::optional<uint64_t>) override { Refuse(); }
    void CopyFolder(const std::string&, const std::string&, CopyGuide*) override { Refuse(); }
    void DeleteFile(const std::string&, bool) override { Refuse(); }
    bool DeleteFolder(const std::string&, DeleteFilter*) override { Refuse(); }
    corvane::FolderBytes FolderBytes(const std::string&, CopyGuide*) override { return {}; }

private:
    [[noreturn]] static void Refuse() { throw std::logic_error("a fingerprint moves no byte"); }
};

// The lines of each source the launch would stop at: the source's own
// line, then its error lines.
class RefusalLines : public LaunchLog {
public:
    void Line(const std::string& szMsg) override {
        if (szMsg.rfind("Checking...", 0) == 0) {
            szSource = szMsg;
            bInError = false;
        } else if (szMsg.rfind("ERROR: ", 0) == 0) {
            if (!bInError) szText += "\n" + szSource;
            szText += "\n" + szMsg;
            bInError = true;
        } else if (bInError) {
            szText += "\n" + szMsg;
        }
    }
    void Progress(uint64_t, uint64_t) override {}

    std::string szText;

private:
    std::string szSource;
    bool bInError = false;
};

// Where a target lies: which of the game's folders, and below it.
struct Place {
    size_t lFolder = 0;
    std::string szRelative;
};

// Of folders inside one another (a Generals folder in Zero Hour's, laid out
// by hand), the innermost holds the target.
std::optional<Place> PlaceOf(const std::string& szTarget, const std::vector<CheckedFolder>& folders,
                             ResolvedPaths& resolved) {
    const std::string szAt = resolved.Of(szTarget);
    std::optional<Place> place;
    size_t lLongest = 0;
    for (size_t k = 0; k < folders.size(); ++k) {
        const std::string szFolder = resolved.Of(WithoutTrailingBackslashes(folders[k].szPath));
        if (!IsAtOrBelow(szAt, szFolder) || szFolder.size() < lLongest) continue;
        lLongest = szFolder.size();
        const size_t lSkip = szFolder.back() == '\\' ? szFolder.size() : szFolder.size() + 1;
        place = Place{k, szAt.size() > lSkip ? szAt.substr(lSkip) : std::string()};
    }
    return place;
}

// The file at the name and everything below it.
void Clear(std::map<std::string, LoadedFile>& files, const std::string& szName) {
    files.erase(szName);
    const std::string szPrefix = szName + "\\";
    for (auto it = files.lower_bound(szPrefix); it != files.end() && it->first.compare(0, szPrefix.size(), szPrefix) == 0;)
        it = files.erase(it);
}

void PlaceFile(GameView& view, const CheckedFolder& folder, const std::string& szRelative, const std::string& szSource,
               uint64_t lSize, uint64_t lWriteTime) {
    if (!GameLoadsFile(LowerAscii(szRelative), folder.bGeneralsOfZeroHour)) return;
    const std::string szName = LoadedName(folder, szRelative);
    view.files[szName] = {szName, szSource, lSize, lWriteTime};
}

// Each file below a folder, by its path below it.
using Listing = std::vector<std::pair<std::string, DirEntry>>;

Listing FilesBelow(FileSystem& files, const std::string& szRoot) {
    Listing listing;
    WalkFiles(files, szRoot, [](const std::string&) { return true; },
              [&](const std::string& szPath, const DirEntry& entry) { listing.emplace_back(szPath, entry); });
    return listing;
}

}  // namespace

ModLayer LayerOf(const ModConfig& mod, const GameEntry& game, const std::vector<CheckedFolder>& folders,
                 FileSystem& files) {
    NoLinks guide;
    Unmeasured fso;
    RefusalLines refusal;
    const SourceCheck check = CheckSources(mod, game, files, fso, guide, refusal);
    if (!check.bAllThere)
        throw FingerprintRefused("A launch would refuse this mod, so the game would load nothing of it:" + refusal.szText);
    // Listing the folder entries is most of what a fingerprint over
    // unchanged files takes: they are listed side by side where the disk
    // answers several threads at once, and laid over in their order.
    const auto policy = files.ListsFromManyThreads() ? std::launch::async : std::launch::deferred;
    ResolvedPaths resolved(files);
    std::vector<std::optional<Place>> places;
    std::vector<std::future<Listing>> listings(static_cast<size_t>(mod.dCount));
    for (int16_t i = 0; i < mod.dCount; ++i) {
        const std::optional<Target>& target = check.targets.at(static_cast<size_t>(i));
        places.push_back(target && !target->szPath.empty() ? PlaceOf(target->szPath, folders, resolved) : std::nullopt);
        if (places.back() && !places.back()->szRelative.empty() && check.sources.at(static_cast<size_t>(i)).IsFolder())
            listings[static_cast<size_t>(i)] =
                std::async(policy, FilesBelow, std::ref(files), WithoutTrailingBackslashes(mod.szSrc.at(static_cast<size_t>(i))) + "\\");
    }
    ModLayer layer;
    GameView& view = layer.placed;
    for (int16_t i = 0; i < mod.dCount; ++i) {
        const std::optional<Target>& target = check.targets.at(static_cast<size_t>(i));
        if (!target || target->szPath.empty()) continue;
        const std::optional<Place>& place = places.at(static_cast<size_t>(i));
        if (!place || place->szRelative.empty()) {
            view.szNotes.push_back(target->szShown + " lies outside the game's folders: the game does not load it from there");
            continue;
        }
        const CheckedFolder& folder = folders.at(place->lFolder);
        layer.szCleared.push_back(LoadedName(folder, place->szRelative));
        Clear(view.files, layer.szCleared.back());
        const std::string& szSource = mod.szSrc.at(static_cast<size_t>(i));
        const ItemInfo& source = check.sources.at(static_cast<size_t>(i));
        if (!source.IsFolder()) {
            PlaceFile(view, folder, place->szRelative, szSource, source.lSize, source.lWriteTime);
            if (place->lFolder == 0 && FoldPath(place->szRelative) == FoldPath(game.szExe))
                view.program = {"", szSource, source.lSize, source.lWriteTime};
            continue;
        }
        const std::string szRoot = WithoutTrailingBackslashes(szSource) + "\\";
        for (const auto& [szPath, entry] : listings.at(static_cast<size_t>(i)).get())
            PlaceFile(view, folder, place->szRelative + "\\" + szPath, szRoot + szPath, entry.lSize, entry.lWriteTime);
    }
    return layer;
}

// What an entry cleared of an earlier entry's files is gone from the layer
// already: the game's own go first, then the mod's come.
void LayModOver(GameView& view, ModLayer layer) {
    for (const std::string& szName : layer.szCleared) Clear(view.files, szName);
    view.files.merge(layer.placed.files);
    if (!layer.placed.program.szSource.empty()) view.program = layer.placed.program;
    view.szNotes.insert(view.szNotes.end(), layer.placed.szNotes.begin(), layer.placed.szNotes.end());
}

}  // namespace corvane
