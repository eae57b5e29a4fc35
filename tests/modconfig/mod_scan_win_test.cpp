// The mod scan over a real program folder: which files and folders count, in
// which order, what a folder mod swaps, and what a failure half-way keeps.
#include <gtest/gtest.h>

#include <map>

#include "modconfig/mod_scan.h"
#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using Names = std::vector<std::string>;

// Wine keeps the hidden and system bits of a folder but drops read-only and
// archive, which Windows keeps and lists: the bits a test gives a folder are
// also added to what is listed. Listing szFailOn fails.
class ScanFiles : public WinFileSystem {
public:
    std::map<std::string, uint32_t> lstExtra;
    std::string szFailOn;
    std::vector<DirEntry> Dir(const std::string& szPattern, uint32_t lAttr) override {
        if (szPattern == szFailOn) throw PlatformError("FindFirstFileW", szPattern, ERROR_ACCESS_DENIED);
        std::vector<DirEntry> entries = WinFileSystem::Dir(szPattern, lAttr);
        const std::string szFolder = szPattern.substr(0, szPattern.find_last_of('\\') + 1);
        for (DirEntry& entry : entries) {
            const auto it = lstExtra.find(szFolder + entry.szName);
            if (it != lstExtra.end()) entry.lAttr |= it->second;
        }
        return entries;
    }
};

class ScanOnDisk : public ::testing::Test {
protected:
    void File(const std::string& szRel, uint32_t lAttr = 0, const std::string& szBytes = "Location=\r\n") {
        test::WriteBytes(app / szRel, szBytes);
        if (lAttr) test::SetAttributes(app / szRel, lAttr);
    }
    // A folder holding szFile, or nothing.
    void Folder(const std::string& szRel, uint32_t lAttr = 0, const std::string& szFile = "") {
        test::MakeFolders(app / szRel);
        if (!szFile.empty()) File(szRel + "\\" + szFile);
        if (lAttr) test::SetAttributes(app / szRel, lAttr);
        files.lstExtra[app / szRel] = lAttr;
    }
    Names Scan() {
        ScanMods(files, app.Path(), state);
        Names lstTitles;
        for (int16_t i = 0; i < state.dModCount; ++i) lstTitles.push_back(state.ModList[i].szTitle);
        return lstTitles;
    }
    // The destinations of a folder mod, each of its sources being the same
    // path inside the mod's own folder.
    Names Destinations(int16_t i) const {
        const ModConfig& udtMod = state.ModList.at(i);
        for (int16_t j = 0; j < udtMod.dCount; ++j)
            EXPECT_EQ(udtMod.szSrc[j], app / (udtMod.szTitle + "\\" + udtMod.szDst[j]));
        return udtMod.szDst;
    }

    test::TempFolder app;
    ScanFiles files;
    ProgramState state;
};

TEST_F(ScanOnDisk, ConfigurationFilesComeFirstThenPlainSubFoldersEachInNameOrder) {
    File("notes.txt");
    EXPECT_EQ(Scan(), Names{});

    for (const char* szName : {"B.zcf", "a.zcf", "My.Mod.zcf", "Upper.ZCF", "\xe9t\xe9.Mod.zcf"}) File(szName);
    File("broken.zcf", 0, "Source=s\r\nDestination=d\r\n");
    File("hidden.zcf", FILE_ATTRIBUTE_HIDDEN);
    File("system.zcf", FILE_ATTRIBUTE_SYSTEM);
    File("readonly.zcf", FILE_ATTRIBUTE_READONLY);
    for (const char* szName : {"Zed", "c", "Folder.zcf", "_x", "  Lead", "\xc4rger"}) Folder(szName);
    Folder("Archive", FILE_ATTRIBUTE_ARCHIVE, "file.txt");
    Folder("Hidden", FILE_ATTRIBUTE_HIDDEN, "file.txt");
    Folder("System", FILE_ATTRIBUTE_SYSTEM, "file.txt");
    Folder("Unindexed", FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, "file.txt");
    // A folder mod: at the first level every file and every folder with
    // content whatever its bits; below, a folder with further bits or empty
    // is one entry of its own. Hidden and system items are left out.
    File("Mod\\readme.txt");
    File("Mod\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    File("Mod\\\xc4rger\\\xfc\xdf.ini");
    Folder("Mod\\Art");
    Folder("Mod\\Maps", FILE_ATTRIBUTE_READONLY, "m.map");
    Folder("Mod\\Hid", FILE_ATTRIBUTE_HIDDEN, "h.txt");
    File("Mod\\Data\\INI\\Weapon.ini");
    Folder("Mod\\Data\\Deep\\Er\\Empty");
    Folder("Mod\\Data\\RO", FILE_ATTRIBUTE_READONLY, "x.txt");
    Folder("Mod\\Data\\Arch", FILE_ATTRIBUTE_ARCHIVE, "y.txt");
    Folder("Mod\\Data\\Sys", FILE_ATTRIBUTE_SYSTEM, "z.txt");

    // Letters without regard to case, other bytes as they are: "_" before
    // the letters, "\xc4" after them.
    const Names lstAll = {"a", "B", "My", "readonly", "Upper", "\xe9t\xe9", "_x", "c", "Folder.zcf", "Lead",
                          "Mod", "Zed", "\xc4rger"};
    ASSERT_EQ(Scan(), lstAll);
    EXPECT_EQ(state.ModList[2].szConfigFile, app / "My.Mod.zcf");
    for (int16_t i = 0; i < state.dModCount; ++i) EXPECT_EQ(state.ModList[i].bFolderMod, i >= 6) << i;
    EXPECT_EQ(state.ModList[11].dCount + state.ModList[9].dCount, 0) << "empty, or not there once trimmed";
    EXPECT_EQ(Destinations(10), (Names{"Data\\Arch", "Data\\Deep\\Er\\Empty", "Data\\INI\\Weapon.ini", "Data\\RO",
                                       "Maps\\m.map", "readme.txt", "\xc4rger\\\xfc\xdf.ini"}));
    EXPECT_EQ(state.ModList[10].szLocation + state.ModList[10].szModFile, "");

    // A failure stops the scan; the mods completed until then stay listed.
    const std::pair<const char*, size_t> kFailures[] = {
        {"\\*.zcf", 0}, {"\\*.*", 6}, {"\\Mod\\Data\\*.*", 10}, {"", 13}};
    for (const auto& [szFailOn, lKept] : kFailures) {
        files.szFailOn = app.Path() + szFailOn;
        EXPECT_EQ(Scan(), Names(lstAll.begin(), lstAll.begin() + lKept)) << szFailOn;
    }
}

}  // namespace
}  // namespace corvane
