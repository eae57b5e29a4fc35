#include "launch/swap_in.h"

#include "launch/launch_rules.h"

namespace corvane {

namespace {

// A source whose name holds a dot is looked for as a file, even when it is
// a folder: mod configurations have always been checked this way.
bool SourcePresent(const std::string& szSrc, FileSystem& files, LaunchView& view) {
    if (IsFilePath(szSrc)) {
        if (files.FileExists(szSrc)) return true;
        view.DisplayMsg("ERROR: This file does not exist, please check configuration ZCF file with NotePad!");
        return false;
    }
    if (files.Exists(szSrc)) return true;
    view.DisplayMsg("ERROR: This folder does not exist, please check configuration ZCF file with NotePad!");
    return false;
}

// A backup that is already there belongs to an earlier launch that was never
// restored; it is the game's true original, so it is never overwritten.
void MoveOriginalAside(const std::string& szTarget, FileSystem& files, LaunchView& view) {
    files.ClearAttributes(szTarget);
    const std::string szBackup = BackupName(szTarget);
    view.DisplayMsg(szBackup);
    if (!files.Exists(szBackup)) files.Rename(szTarget, szBackup);
}

// Remembered before they are made, so that a folder whose creation went
// half-way is still in the list the restore clears away.
void CreateParentFolders(const std::string& szTarget, FileSystem& files,
                         std::vector<std::string>& szCreated) {
    for (const std::string& szFolder : ParentFoldersOf(szTarget)) {
        if (files.Exists(szFolder)) continue;
        szCreated.back() = szFolder;
        szCreated.emplace_back();
        files.CreateFolder(szFolder);
    }
}

void SwapEntryIn(const ModConfig& mod, int16_t i, const GameEntry& game, FileSystem& files,
                 FileSystemObject& fso, LaunchView& view, std::vector<std::string>& szCreated) {
    const std::string szTarget = TargetOf(mod, i, game);
    if (files.Exists(szTarget))
        MoveOriginalAside(szTarget, files, view);
    else
        CreateParentFolders(szTarget, files, szCreated);
    view.DisplayMsg(szTarget);
    if (IsFilePath(szTarget))
        fso.CopyFile(mod.szSrc.at(i), szTarget);
    else
        fso.CopyFolder(mod.szSrc.at(i), szTarget);
}

}  // namespace

bool CheckSources(const ModConfig& mod, FileSystem& files, LaunchView& view) {
    view.DisplayMsg("Checking for existance of all source folders and files in configuration.");
    bool bMissing = false;
    for (int16_t i = 0; i < mod.dCount; ++i) {
        const std::string& szSrc = mod.szSrc.at(i);
        view.DisplayMsg("Checking..." + szSrc);
        if (!SourcePresent(szSrc, files, view)) bMissing = true;
    }
    return !bMissing;
}

void SwapIn(const ModConfig& mod, const GameEntry& game, FileSystem& files, FileSystemObject& fso,
            LaunchView& view, std::vector<std::string>& szCreated) {
    view.DisplayMsg("");
    view.DisplayMsg("Swap MOD files and folders with originals.");
    for (int16_t i = 0; i < mod.dCount; ++i) SwapEntryIn(mod, i, game, files, fso, view, szCreated);
}

}  // namespace corvane
