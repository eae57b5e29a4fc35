#include "fingerprint/game_view.h"

#include <optional>

#include "launch/launch_rules.h"
#include "gamecheck/game_files.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

constexpr uint32_t kEverything = kAttrDirectory | kAttrHidden | kAttrSystem;
constexpr const char* kGeneralsOfZeroHour = "zh_generals\\";

// Corvane's backups hold what a launch moved aside. (Set-aside files end
// in ".aside", of no kind the game loads.)
bool IsOurBackup(const std::string& szFolded) {
    const std::string szEnd = FoldPath(BackupName(""));
    return szFolded.size() > szEnd.size() && szFolded.compare(szFolded.size() - szEnd.size(), szEnd.size(), szEnd) == 0;
}


std::optional<LoadedFile> Found(FileSystem& files, std::string szName, std::string szSource) {
    const std::optional<ItemInfo> item = files.Stat(szSource);
    if (!item || item->IsFolder()) return std::nullopt;
    return LoadedFile{std::move(szName), std::move(szSource), item->lSize, item->lWriteTime};
}

}  // namespace

std::string LoadedName(const CheckedFolder& folder, const std::string& szRelative) {
    return (folder.bGeneralsOfZeroHour ? kGeneralsOfZeroHour : "") + CanonicalName(szRelative);
}

bool GameLoadsFile(const std::string& szFolded, bool bGeneralsOfZeroHour) {
    bool bInLeftover = false;
    for (size_t lAt = szFolded.find('\\'); lAt != std::string::npos; lAt = szFolded.find('\\', lAt + 1)) {
        const std::string szFolder = szFolded.substr(0, lAt);
        if (IsOurBackup(szFolder)) return false;
        bInLeftover = bInLeftover || LeftoverOf(szFolder, true).has_value();
    }
    if (LeftoverOf(szFolded, false)) return IsLoadedLeftover(szFolded);
    if (IsBigArchive(szFolded)) return true;
    return !bGeneralsOfZeroHour && !bInLeftover && IsLooseFile(szFolded);
}

void WalkFiles(FileSystem& files, const std::string& szRoot, const std::function<bool(const std::string&)>& enter,
               const std::function<void(const std::string&)>& file) {
    const std::function<void(const std::string&)> folder = [&](const std::string& szRelative) {
        for (const DirEntry& entry : files.Dir(szRoot + szRelative + "*", kEverything)) {
            if (entry.szName == "." || entry.szName == "..") continue;
            const std::string szPath = szRelative + entry.szName;
            if (!(entry.lAttr & kAttrDirectory)) file(szPath);
            else if (enter(szPath)) folder(szPath + "\\");
        }
    };
    folder("");
}

GameView ViewOfFolders(const std::vector<CheckedFolder>& folders, const std::string& szProgram, FileSystem& files,
                       const std::set<std::string>& szLeftAlone) {
    GameView view;
    for (const CheckedFolder& folder : folders) {
        const std::string szFolder = LowerAscii(folder.szPath);
        const auto leftAlone = [&](const std::string& szFolded) {
            return szLeftAlone.count(szFolder + szFolded) || folder.szOtherGames.count(szFolder + szFolded);
        };
        const auto enter = [&](const std::string& szPath) {
            const std::string szFolded = LowerAscii(szPath);
            return !IsOurBackup(szFolded) && !leftAlone(szFolded);
        };
        WalkFiles(files, folder.szPath, enter, [&](const std::string& szPath) {
            const std::string szFolded = LowerAscii(szPath);
            if (leftAlone(szFolded) || !GameLoadsFile(szFolded, folder.bGeneralsOfZeroHour)) return;
            if (std::optional<LoadedFile> found = Found(files, LoadedName(folder, szPath), folder.szPath + szPath))
                view.files[found->szName] = std::move(*found);
        });
    }
    if (!folders.empty())
        view.program = Found(files, "", folders.front().szPath + szProgram).value_or(LoadedFile{});
    return view;
}

}  // namespace corvane
