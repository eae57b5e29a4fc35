#include "modconfig/mod_scan.h"

#include <algorithm>
#include <exception>

#include "modconfig/config_file.h"

namespace corvane {

namespace {

constexpr const char* kEverything = "\\*.*";

unsigned char FoldCase(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

// The listing's way of saying "nothing here".
bool IsEmptyListing(const std::vector<std::string>& lstNames) {
    return lstNames.size() == 1 && lstNames[0].empty();
}

ModConfig MakeFolderMod(FileSystem& files, const std::string& szAppPath, const std::string& szFolder) {
    ModConfig udtMod;
    udtMod.szTitle = szFolder;
    udtMod.bFolderMod = true;
    const std::string szModPath = szAppPath + "\\" + szFolder;
    const std::vector<std::string> lstNames = ListFolder(files, szModPath, kEverything, 16, false);
    if (IsEmptyListing(lstNames)) return udtMod;
    for (const std::string& szName : lstNames) {
        const std::string szItem = szModPath + "\\" + szName;
        // At the first level any folder is walked, whatever its other
        // attributes, and an empty one adds nothing.
        if (files.GetAttr(szItem) & kAttrDirectory)
            WalkModFolder(files, szModPath + "\\", szName, udtMod);
        else
            udtMod.AddEntry(szItem, szName);
    }
    return udtMod;
}

void ScanConfigFiles(FileSystem& files, const std::string& szAppPath, ProgramState& state) {
    ModConfig udtCfg;
    for (const std::string& szName : ListFolder(files, szAppPath, "\\*.zcf", 0, false)) {
        if (szName.empty()) continue;
        if (LoadModConfig(files, state.GameTable, szAppPath + "\\" + szName, udtCfg))
            state.AppendMod(udtCfg);
    }
}

void ScanFolderMods(FileSystem& files, const std::string& szAppPath, ProgramState& state) {
    const std::vector<std::string> lstFolders = ListFolder(files, szAppPath, kEverything, 16, true);
    if (IsEmptyListing(lstFolders)) return;
    for (const std::string& szFolder : lstFolders)
        state.AppendMod(MakeFolderMod(files, szAppPath, szFolder));
}

}  // namespace

bool NameLess(const std::string& szLeft, const std::string& szRight) {
    const size_t lCommon = std::min(szLeft.size(), szRight.size());
    for (size_t i = 0; i < lCommon; ++i) {
        const unsigned char cLeft = FoldCase(szLeft[i]);
        const unsigned char cRight = FoldCase(szRight[i]);
        if (cLeft != cRight) return cLeft < cRight;
    }
    if (szLeft.size() != szRight.size()) return szLeft.size() < szRight.size();
    return szLeft < szRight;
}

std::vector<std::string> ListFolder(FileSystem& files, const std::string& szFolder,
                                    const std::string& szPattern, uint32_t lAttr, bool bDirsOnly) {
    std::vector<std::string> lstNames;
    for (const std::string& szName : files.Dir(szFolder + szPattern, lAttr)) {
        const uint32_t lFound = files.GetAttr(szFolder + "\\" + szName);
        if (lAttr == kAttrDirectory && (szName == "." || szName == "..")) continue;
        // A folder with any further bit (read-only, hidden, archive...) does
        // not count as a folder here.
        if (bDirsOnly && lFound != kAttrDirectory) continue;
        lstNames.push_back(TrimBlanks(szName));
    }
    if (lstNames.empty()) return {""};
    std::sort(lstNames.begin(), lstNames.end(), NameLess);
    return lstNames;
}

std::string WalkModFolder(FileSystem& files, const std::string& szRoot, const std::string& szRel, ModConfig& udtCfg) {
    const std::vector<std::string> lstNames = ListFolder(files, szRoot + szRel, kEverything, 16, false);
    if (IsEmptyListing(lstNames)) return szRel;
    for (const std::string& szName : lstNames) {
        std::string szItem = szRel + "\\" + szName;
        if (files.GetAttr(szRoot + szItem) == kAttrDirectory) szItem = WalkModFolder(files, szRoot, szItem, udtCfg);
        if (!szItem.empty()) udtCfg.AddEntry(szRoot + szItem, szItem);
    }
    return "";
}

void ScanMods(FileSystem& files, const std::string& szAppPath, ProgramState& state) {
    state.ClearMods();
    try {
        ScanConfigFiles(files, szAppPath, state);
        ScanFolderMods(files, szAppPath, state);
    } catch (const std::exception&) {
        // The mods completed so far stay listed; the one in progress is lost.
    }
}

}  // namespace corvane
