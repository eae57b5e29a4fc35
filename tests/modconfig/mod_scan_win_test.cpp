// The mod scan over a real program folder: which files and folders count,
// in which order, and what a folder mod swaps.
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "modconfig/mod_scan.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using Names = std::vector<std::string>;

// Wine keeps the hidden and system bits of a folder but drops read-only and
// archive, which Windows keeps and reports. The attributes a test gives a
// folder are therefore also added to what the file system reports.
class ReportedAttributes : public WinFileSystem {
public:
    std::map<std::string, uint32_t> lstExtra;
    uint32_t GetAttr(const std::string& szPath) override {
        const auto it = lstExtra.find(szPath);
        return WinFileSystem::GetAttr(szPath) | (it == lstExtra.end() ? 0 : it->second);
    }
};

class ScanOnDisk : public ::testing::Test {
protected:
    void File(const std::string& szRel, uint32_t lAttr = 0, const std::string& szBytes = "Location=\r\n") {
        test::WriteBytes(app / szRel, szBytes);
        if (lAttr) test::SetAttributes(app / szRel, lAttr);
    }
    void Folder(const std::string& szRel, uint32_t lAttr = 0) {
        test::MakeFolders(app / szRel);
        if (lAttr) test::SetAttributes(app / szRel, lAttr);
        files.lstExtra[app / szRel] = lAttr;
    }
    void Scan() { ScanMods(files, app.Path(), state); }
    Names Titles() const {
        Names lstTitles;
        for (int16_t i = 0; i < state.dModCount; ++i) lstTitles.push_back(state.ModList[i].szTitle);
        return lstTitles;
    }
    // The destinations of mod i, after checking that each source is the
    // same path inside the mod folder.
    Names Destinations(int16_t i) const {
        const ModConfig& udtMod = state.ModList.at(i);
        EXPECT_EQ(udtMod.dCount, static_cast<int16_t>(udtMod.szDst.size()));
        for (int16_t j = 0; j < udtMod.dCount; ++j)
            EXPECT_EQ(udtMod.szSrc[j], app / (udtMod.szTitle + "\\" + udtMod.szDst[j]));
        return udtMod.szDst;
    }

    test::TempFolder app;
    ReportedAttributes files;
    ProgramState state;
};

TEST_F(ScanOnDisk, AnEmptyProgramFolderHasNoMods) {
    File("notes.txt");
    Scan();
    EXPECT_EQ(state.dModCount, 0);
    ASSERT_EQ(state.ModList.size(), 1u);
    EXPECT_EQ(state.ModList[0].szTitle, "");
}

TEST_F(ScanOnDisk, ConfigurationFileModsComeFirstThenFolderModsEachInNameOrder) {
    File("B.zcf");
    File("a.zcf");
    File("My.Mod.zcf");
    File("broken.zcf", 0, "Source=s\r\nDestination=d\r\n");
    File("hidden.zcf", FILE_ATTRIBUTE_HIDDEN);
    File("system.zcf", FILE_ATTRIBUTE_SYSTEM);
    File("readonly.zcf", FILE_ATTRIBUTE_READONLY);
    Folder("Zed");
    Folder("c");
    Folder("Folder.zcf");
    Scan();
    EXPECT_EQ(Titles(), (Names{"a", "B", "My", "readonly", "c", "Folder.zcf", "Zed"}));
    EXPECT_EQ(state.ModList[2].szConfigFile, app / "My.Mod.zcf");
    for (int16_t i = 0; i < state.dModCount; ++i) EXPECT_EQ(state.ModList[i].bFolderMod, i >= 4) << i;
    // An empty sub-folder is a mod with nothing to swap.
    EXPECT_EQ(state.ModList[6].dCount, 0);
}

TEST_F(ScanOnDisk, OnlySubFoldersWithNoOtherAttributeAreMods) {
    const struct {
        const char* szName;
        uint32_t lAttr;
    } kFolders[] = {
        {"Plain", 0},
        {"ReadOnly", FILE_ATTRIBUTE_READONLY},
        {"Archive", FILE_ATTRIBUTE_ARCHIVE},
        {"Hidden", FILE_ATTRIBUTE_HIDDEN},
        {"System", FILE_ATTRIBUTE_SYSTEM},
        {"Unindexed", FILE_ATTRIBUTE_NOT_CONTENT_INDEXED},
    };
    for (const auto& folder : kFolders) {
        File(std::string(folder.szName) + "\\file.txt");
        Folder(folder.szName, folder.lAttr);
    }
    Scan();
    EXPECT_EQ(Titles(), Names{"Plain"});
    EXPECT_EQ(Destinations(0), Names{"file.txt"});
}

TEST_F(ScanOnDisk, AFolderModSwapsItsFilesAndTheFoldersItCannotWalk) {
    File("Mod\\readme.txt");
    File("Mod\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    File("Mod\\system.txt", FILE_ATTRIBUTE_SYSTEM);
    Folder("Mod\\Art");  // empty at the first level: nothing
    File("Mod\\Maps\\m.map");
    Folder("Mod\\Maps", FILE_ATTRIBUTE_READONLY);  // first level: walked whatever its bits
    File("Mod\\Arc\\a.txt");
    Folder("Mod\\Arc", FILE_ATTRIBUTE_ARCHIVE);
    File("Mod\\Hid\\h.txt");
    Folder("Mod\\Hid", FILE_ATTRIBUTE_HIDDEN);
    File("Mod\\Data\\INI\\Weapon.ini");
    File("Mod\\Data\\hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    Folder("Mod\\Data\\Empty");
    Folder("Mod\\Data\\Deep\\Er\\Empty");
    File("Mod\\Data\\RO\\x.txt");
    Folder("Mod\\Data\\RO", FILE_ATTRIBUTE_READONLY);  // below: one entry of its own
    File("Mod\\Data\\Arch\\y.txt");
    Folder("Mod\\Data\\Arch", FILE_ATTRIBUTE_ARCHIVE);
    File("Mod\\Data\\Sys\\z.txt");
    Folder("Mod\\Data\\Sys", FILE_ATTRIBUTE_SYSTEM);
    Scan();
    ASSERT_EQ(Titles(), Names{"Mod"});
    EXPECT_EQ(Destinations(0), (Names{"Arc\\a.txt", "Data\\Arch", "Data\\Deep\\Er\\Empty", "Data\\Empty",
                                      "Data\\INI\\Weapon.ini", "Data\\RO", "Maps\\m.map", "readme.txt"}));
    EXPECT_TRUE(state.ModList[0].bFolderMod);
    EXPECT_EQ(state.ModList[0].szLocation + state.ModList[0].szModFile, "");
}

TEST_F(ScanOnDisk, AnsiNamesAreKeptByteForByte) {
    File("\xe9t\xe9.Mod.zcf");
    File("Caf\xe9\\\xc4rger\\\xfc\xdf.ini");
    Scan();
    EXPECT_EQ(Titles(), (Names{"\xe9t\xe9", "Caf\xe9"}));
    EXPECT_EQ(Destinations(1), Names{"\xc4rger\\\xfc\xdf.ini"});
}

TEST_F(ScanOnDisk, AFolderModOfThousandsOfFilesIsWalkedQuickly) {
    for (int lFolder = 0; lFolder < 30; ++lFolder)
        for (int lFile = 0; lFile < 100; ++lFile)
            File("Big\\F" + std::to_string(lFolder) + "\\" + std::to_string(lFile) + ".w3d", 0, "");
    const auto tStart = std::chrono::steady_clock::now();
    Scan();
    EXPECT_LT(std::chrono::steady_clock::now() - tStart, std::chrono::seconds(10));
    ASSERT_EQ(Titles(), Names{"Big"});
    const Names lstDst = Destinations(0);
    ASSERT_EQ(lstDst.size(), 3000u);
    EXPECT_EQ(lstDst.front(), "F0\\0.w3d");
    EXPECT_EQ(lstDst[1], "F0\\1.w3d");
    EXPECT_EQ(lstDst[2], "F0\\10.w3d");
    EXPECT_EQ(lstDst.back(), "F9\\99.w3d");
}

}  // namespace
}  // namespace corvane
