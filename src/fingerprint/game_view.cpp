#include "fingerprint/game_view.h"

#include <optional>

#include "launch/targets/launch_rules.h"
#include "check/folder/game_files.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

constexpr uint32_t kEverything = kAttrDirectory | kAttrHidden | kAttrSystem;
constexpr const char* kGeneralsOfZeroHour = "zh_generals\\";

// Corvane's backups hold what a launch moved aside. (Set-aside files end
// in ".aside", of no kind the game loads.)
bool IsOurBackup(const std::string& szFolded) {
    static const std::string kEnding = FoldPath(BackupName(""));
    return szFolded.size() > kEnding.size() &&
           szFolded.compare(szFolded.size() - kEnding.size(), kEnding.size(), kEnding) == 0;
}

std::optional<LoadedFile> Found(FileSystem& files, const std::string& szSource) {
    const std::optional<ItemInfo> item = files.Stat(szSource);
    if (!item || item->IsFolder()) return std::nullopt;
    return LoadedFile{"", szSource, item->lSize, item->lWriteTime};
}

}  // namespace

std::string LoadedName(const CheckedFolder& folder, const std::string& szRelative) {
    return (folder.bGeneralsOfZeroHour ? kGeneralsOfZeroHour : "") + CanonicalName(szRelative);
}

// What another tool left is loaded as any other file of its kind: only
// archives and loose files count, wherever they came from.
bool GameLoadsFile(const std::string& szFolded, bool bGeneralsOfZeroHour) {
    bool bInLeftover = false;
    for (size_t lAt = szFolded.find('\\'); lAt != std::string::npos; lAt = szFolded.find('\\', lAt + 1)) {
        const std::string szFolder = szFolded.substr(0, lAt);
        if (IsOurBackup(szFolder)) return false;
        bInLeftover = bInLeftover || LeftoverOf(szFolder, true).has_value();
    }
    return IsBigArchive(szFolded) || (!bGeneralsOfZeroHour && !bInLeftover && IsLooseFile(szFolded));
}

void WalkFiles(FileSystem& files, const std::string& szRoot, const std::function<bool(const std::string&)>& enter,
               const std::function<void(const std::string&, const DirEntry&)>& file) {
    const std::function<void(const std::string&)> folder = [&](const std::string& szRelative) {
        for (const DirEntry& entry : files.Dir(szRoot + szRelative + "*", kEverything)) {
            if (entry.szName == "." || entry.szName == "..") continue;
            const std::string szPath = szRelative + entry.szName;
            if (!(entry.lAttr & kAttrDirectory)) file(szPath, entry);
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
        WalkFiles(files, folder.szPath, enter, [&](const std::string& szPath, const DirEntry& entry) {
            const std::string szFolded = LowerAscii(szPath);
            if (leftAlone(szFolded) || !GameLoadsFile(szFolded, folder.bGeneralsOfZeroHour)) return;
            const std::string szName = LoadedName(folder, szPath);
            view.files[szName] = {szName, folder.szPath + szPath, entry.lSize, entry.lWriteTime};
        });
    }
    if (!folders.empty())
        view.program = Found(files, folders.front().szPath + szProgram).value_or(LoadedFile{});
    return view;
}

}  // namespace corvane
