#include "launch/undo/kept_items.h"

#include "launch/targets/launch_rules.h"

namespace corvane {

void KeptItems::MoveInto(const std::string& szFrom, const std::string& szTo, std::vector<std::string>& szNow) {
    const std::optional<ItemInfo> item = files.Look(szFrom);
    if (!item) return;
    const std::string szDest = MakeRoomFor(szTo);
    const std::optional<ItemInfo> there = files.Look(szDest);
    if (there && there->IsFolder() && item->IsFolder()) {
        for (const std::string& szName : Children(szFrom)) MoveInto(szFrom + "\\" + szName, szDest + "\\" + szName, szNow);
        fso.DeleteFolder(szFrom);  // emptied
        return;
    }
    const std::string szFinal = there ? ChangedName(szDest, item->IsFolder() ? "" : szFrom) : szDest;
    Move(szFrom, szFinal);
    szNow.push_back(szFinal);
}

std::string KeptItems::ChangedName(const std::string& szPath, const std::string& szKept) {
    for (int n = 1;; ++n) {
        const std::string szName = szPath + ".changed" + (n > 1 ? std::to_string(n) : "");
        const std::optional<ItemInfo> there = files.Look(szName);
        if (!there) return szName;
        if (!szKept.empty() && !there->IsFolder() && files.SameBytes(szName, szKept)) {
            fso.DeleteFile(szName, true);
            return szName;
        }
    }
}

void KeptItems::Move(const std::string& szFrom, const std::string& szTo) {
    journal.WriteNow(RecordOf(JournalStep::kMove, szFrom, szTo));
    files.Rename(szFrom, szTo);
}

// The folders above szDest, made where they are missing. A file where a
// folder is needed stays, and the rest goes beside it under a ".changed"
// name.
std::string KeptItems::MakeRoomFor(const std::string& szDest) {
    std::vector<std::string> szMissing;
    for (std::string szAt = ParentOf(szDest); IsBelowRoot(szAt); szAt = ParentOf(szAt)) {
        const std::optional<ItemInfo> item = files.Look(szAt);
        if (item && item->IsFolder()) break;
        if (item) return MakeRoomFor(ChangedName(szAt, "") + szDest.substr(szAt.size()));
        szMissing.push_back(szAt);
    }
    for (auto it = szMissing.rbegin(); it != szMissing.rend(); ++it) files.CreateFolder(*it);
    return szDest;
}

std::vector<std::string> KeptItems::Children(const std::string& szFolder) {
    std::vector<std::string> szNames;
    for (const DirEntry& entry : files.Dir(szFolder + "\\*", kAttrDirectory | kAttrHidden | kAttrSystem))
        if (entry.szName != "." && entry.szName != "..") szNames.push_back(entry.szName);
    return szNames;
}

}  // namespace corvane
