#include "launch/checks/source_check.h"

#include <set>
#include <stdexcept>

namespace corvane {

namespace {

// A source whose name holds a dot is looked for as a file, even when it is
// a folder: mod configurations have always been checked this way.
bool SourcePresent(const std::string& szSrc, const std::optional<ItemInfo>& item, LaunchLog& log) {
    const bool bVisible = item && item->IsVisible();
    if (IsFilePath(szSrc)) {
        if (bVisible && !item->IsFolder()) return true;
        log.Line("ERROR: This file does not exist, please check configuration ZCF file with NotePad!");
        return false;
    }
    if (bVisible) return true;
    log.Line("ERROR: This folder does not exist, please check configuration ZCF file with NotePad!");
    return false;
}

// A folder entry whose target is its source, or lies inside it, would copy
// the folder into itself again and again. Asked of the disk as well as of
// the spelling, since a drive letter or short name may hide that they meet.
bool CopiedIntoItself(const std::string& szSrc, const Target& target, FileSystem& files) {
    if (IsFilePath(target.szShown)) return false;  // copied as a file, which fails on a folder
    if (IsAtOrBelow(target.szPath, szSrc)) return true;
    const std::optional<std::string> source = files.Identity(szSrc);
    if (!source || source->empty()) return false;
    for (std::string szAt = target.szPath; IsBelowRoot(szAt); szAt = ParentOf(szAt))
        if (files.Identity(szAt) == source) return true;
    return false;
}

// What the source will put in place. A folder that cannot be measured is
// still copied: its size only feeds the progress bar and the check for
// free space.
EntryBytes SourceBytes(const std::string& szSrc, const std::optional<ItemInfo>& item, FileSystemObject& fso,
                       CopyGuide& guide) {
    if (!item || !item->IsVisible()) return {};
    if (!item->IsFolder()) {
        const size_t lSlash = szSrc.find_last_of('\\');
        const bool bPlain = (item->lAttr & (kAttrReadOnly | kAttrHidden | kAttrSystem)) == 0;
        if (bPlain && guide.MayLink(lSlash == std::string::npos ? szSrc : szSrc.substr(lSlash + 1)))
            return {0, item->lSize};
        return {item->lSize, 0};
    }
    try {
        const FolderBytes bytes = fso.FolderBytes(szSrc, &guide);
        return {bytes.lAll - bytes.lLinkable, bytes.lLinkable};
    } catch (const std::exception&) {
        return {};
    }
}

// A folder entry whose target is there, and whose backup name is taken by
// something that this launch will not have put there: another tool's
// backup, or one left by hand. Merged into, the game's current folder would
// have no backup of its own, and the restore would put the older one in its
// place. A target inside what an earlier entry puts in place is the
// launch's own. Gives the backup's path.
std::optional<std::string> OlderBackupInTheWay(const Target& target, FileSystem& files,
                                               const std::set<std::string>& szEarlier) {
    if (IsFilePath(target.szShown)) return std::nullopt;
    for (std::string szAt = FoldPath(target.szPath); !szAt.empty(); szAt = ParentOf(szAt))
        if (szEarlier.count(szAt)) return std::nullopt;
    const std::optional<ItemInfo> item = files.Stat(target.szPath);
    if (!item || !files.Stat(BackupName(target.szPath))) return std::nullopt;
    return BackupName(target.szShown);
}

// The lines that refuse an entry whose source is there; none when it may go.
std::vector<std::string> RefusalOf(const std::string& szSrc, const ItemInfo& source, const Target& target,
                                   FileSystem& files, const std::set<std::string>& szEarlier) {
    if (target.szPath.empty())
        return {"ERROR: This destination is not a full path, please check configuration ZCF file with NotePad!"};
    if (source.IsFolder() && CopiedIntoItself(szSrc, target, files))
        return {"ERROR: This folder would be copied into itself, please check configuration ZCF file with NotePad!"};
    if (const std::optional<std::string> szBackup = OlderBackupInTheWay(target, files, szEarlier))
        return {"ERROR: An older backup is in the way, please move it away first:", *szBackup};
    return {};
}

std::optional<Target> TargetIfAny(const ModConfig& mod, int16_t i, const GameEntry& game) {
    try {
        return TargetAt(mod, i, game);
    } catch (const std::invalid_argument&) {
        return std::nullopt;  // no name to give: the swap stops there
    }
}

}  // namespace

SourceCheck CheckSources(const ModConfig& mod, const GameEntry& game, FileSystem& files, FileSystemObject& fso,
                         CopyGuide& guide, LaunchLog& log) {
    log.Line("Checking for existance of all source folders and files in configuration.");
    SourceCheck check;
    std::set<std::string> szEarlier;  // folded targets of the entries before
    for (int16_t i = 0; i < mod.dCount; ++i) {
        const std::string& szSrc = mod.szSrc.at(i);
        log.Line("Checking..." + szSrc);
        const std::optional<ItemInfo> item = files.Stat(szSrc);
        check.sources.push_back(item.value_or(ItemInfo{}));
        check.bytes.push_back(SourceBytes(szSrc, item, fso, guide));
        check.lBytes += check.bytes.back().lCopy + check.bytes.back().lLink;
        const std::optional<Target>& target = check.targets.emplace_back(TargetIfAny(mod, i, game));
        if (!SourceNameCopies(szSrc)) {
            log.Line("ERROR: This source's name cannot be copied as it is, please check configuration ZCF file with NotePad!");
            check.bAllThere = false;
        } else if (!SourcePresent(szSrc, item, log)) {
            check.bAllThere = false;
        } else if (target) {
            for (const std::string& szLine : RefusalOf(szSrc, *item, *target, files, szEarlier)) {
                log.Line(szLine);
                check.bAllThere = false;
            }
        }
        if (target && !target->szPath.empty()) szEarlier.insert(FoldPath(target->szPath));
    }
    return check;
}

}  // namespace corvane
