#include "modconfig/mod_scan.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

#include "modconfig/config_file.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

constexpr const char* kEverything = "\\*.*";

bool IsPlainFolder(uint32_t lAttr) { return lAttr == kAttrDirectory; }

ModConfig MakeFolderMod(FileSystem& files, const std::string& szAppPath, const std::string& szFolder) {
    ModConfig udtMod;
    udtMod.szTitle = szFolder;
    udtMod.bFolderMod = true;
    const std::string szModPath = szAppPath + "\\" + szFolder;
    for (const DirEntry& entry : ListEntries(files, szModPath, kEverything, kAttrDirectory, false)) {
        // At the first level any folder is walked, whatever its other
        // attributes, and an empty one adds nothing.
        if (entry.lAttr & kAttrDirectory)
            WalkModFolder(files, szModPath + "\\", entry.szName, udtMod);
        else
            udtMod.AddEntry(szModPath + "\\" + entry.szName, entry.szName);
    }
    return udtMod;
}

void ScanConfigFiles(FileSystem& files, const std::string& szAppPath, ProgramState& state) {
    ModConfig udtCfg;
    for (const DirEntry& entry : ListEntries(files, szAppPath, "\\*.zcf", 0, false)) {
        if (LoadModConfig(files, state.GameTable, szAppPath + "\\" + entry.szName, udtCfg)) state.AppendMod(udtCfg);
    }
}

// Each folder mod is made from listings of its own, two at a time where
// the file system lets two threads list: a listing waits on the system far
// more than on this program, and a start with hundreds of folder mods takes
// about half as long. The mods are listed in name order all the same, and
// a failure keeps those before it, as one mod after the other would.
void ScanFolderMods(FileSystem& files, const std::string& szAppPath, ProgramState& state) {
    const std::vector<DirEntry> folders = ListEntries(files, szAppPath, kEverything, kAttrDirectory, true);
    std::vector<ModConfig> mods(folders.size());
    std::vector<std::exception_ptr> failures(folders.size());
    std::atomic<size_t> lNext{0};
    std::atomic<bool> bFailed{false};
    // A folder handed out is made whole; none is handed out after a failure.
    const auto work = [&] {
        for (size_t i = 0; !bFailed && (i = lNext++) < folders.size();) {
            try {
                mods[i] = MakeFolderMod(files, szAppPath, folders[i].szName);
            } catch (...) {
                failures[i] = std::current_exception();
                bFailed = true;
            }
        }
    };
    std::thread helper;
    if (files.ListsFromManyThreads() && folders.size() > 1) {
        try {
            helper = std::thread(work);
        } catch (const std::system_error&) {
            // No second thread: this one lists them all.
        }
    }
    work();
    if (helper.joinable()) helper.join();
    for (size_t i = 0; i < folders.size(); ++i) {
        if (failures[i]) std::rethrow_exception(failures[i]);
        state.AppendMod(std::move(mods[i]));
    }
}

}  // namespace

bool NameLess(const std::string& szLeft, const std::string& szRight) {
    const size_t lCommon = std::min(szLeft.size(), szRight.size());
    for (size_t i = 0; i < lCommon; ++i) {
        if (LowerAscii(szLeft[i]) != LowerAscii(szRight[i])) return LessIgnoringAsciiCase(szLeft[i], szRight[i]);
    }
    if (szLeft.size() != szRight.size()) return szLeft.size() < szRight.size();
    return szLeft < szRight;
}

std::vector<DirEntry> ListEntries(FileSystem& files, const std::string& szFolder, const std::string& szPattern,
                                  uint32_t lAttr, bool bDirsOnly) {
    std::vector<DirEntry> entries;
    // The attributes come with the listing: asking again for each name would
    // double the scan's work, and fail on names the listing could not spell.
    for (DirEntry& entry : files.Dir(szFolder + szPattern, lAttr)) {
        if (lAttr == kAttrDirectory && (entry.szName == "." || entry.szName == "..")) continue;
        // A folder with any further bit (read-only, hidden, archive...) does
        // not count as a folder here.
        if (bDirsOnly && !IsPlainFolder(entry.lAttr)) continue;
        if (!entry.szName.empty() && (entry.szName.front() == ' ' || entry.szName.back() == ' '))
            entry.szName = TrimBlanks(entry.szName);
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return NameLess(a.szName, b.szName); });
    return entries;
}

std::vector<std::string> ListFolder(FileSystem& files, const std::string& szFolder, const std::string& szPattern,
                                    uint32_t lAttr, bool bDirsOnly) {
    std::vector<std::string> lstNames;
    for (DirEntry& entry : ListEntries(files, szFolder, szPattern, lAttr, bDirsOnly))
        lstNames.push_back(std::move(entry.szName));
    if (lstNames.empty()) return {""};
    return lstNames;
}

std::string WalkModFolder(FileSystem& files, const std::string& szRoot, const std::string& szRel, ModConfig& udtCfg) {
    const std::vector<DirEntry> entries = ListEntries(files, szRoot + szRel, kEverything, kAttrDirectory, false);
    if (entries.empty()) return szRel;
    for (const DirEntry& entry : entries) {
        std::string szItem = szRel + "\\" + entry.szName;
        if (IsPlainFolder(entry.lAttr)) szItem = WalkModFolder(files, szRoot, szItem, udtCfg);
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
