#include <gtest/gtest.h>

#include <string>

#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_file_system_object.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using namespace corvane::test;

// A mod folder with the kinds of content a real one has: nested and empty
// folders, hidden and system items, read-only files.
class FileSystemObjectTest : public ::testing::Test {
protected:
    FileSystemObjectTest() {
        WriteBytes(temp / "Mod\\Data\\INI\\Weapon.ini", "new weapons");
        WriteBytes(temp / "Mod\\Data\\readme.txt", "mod readme");
        MakeFolders(temp / "Mod\\Data\\Empty");
        WriteBytes(temp / "Mod\\Data\\Thumbs.db", "hidden");
        SetAttributes(temp / "Mod\\Data\\Thumbs.db", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        WriteBytes(temp / "Mod\\Data\\Secret\\map.map", "in a hidden folder");
        SetAttributes(temp / "Mod\\Data\\Secret\\map.map", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        SetAttributes(temp / "Mod\\Data\\Secret",
                      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
        WriteBytes(temp / "Mod\\Data\\locked.big", "read-only in the mod");
        SetAttributes(temp / "Mod\\Data\\locked.big", FILE_ATTRIBUTE_READONLY);
    }

    TempFolder temp;
    WinFileSystemObject fso;
};

// Links BIG archives with no attributes of their own, as the swap does.
struct CountedBytes : CopyGuide {
    uint64_t lBytes = 0;
    int lLinked = 0, lCopied = 0;
    void BytesCopied(uint64_t lMore) override { lBytes += lMore; }
    bool MayLink(const std::string& szName) override { return szName.ends_with(".big"); }
    void FileDone(bool bLinked) override { ++(bLinked ? lLinked : lCopied); }
};

// Every byte is reported as it is put in place, a file of several megabytes
// too; an archive is linked to its source, a read-only one copied.
TEST_F(FileSystemObjectTest, CopyFolderCopiesEverythingOrMergesIntoAnExistingFolder) {
    WriteBytes(temp / "Mod\\Data\\big.big", std::string(3 * 1024 * 1024 + 5, 'b'));
    const TreeSnapshot mod = SnapshotTree(temp / "Mod\\Data");
    const uint64_t lModBytes = 3 * 1024 * 1024 + 5 + 11 + 10 + 6 + 18 + 20;
    CountedBytes counted;
    const FolderBytes bytes = fso.FolderBytes(temp / "Mod\\Data", &counted);
    EXPECT_EQ(bytes.lAll, lModBytes);
    EXPECT_EQ(bytes.lLinkable, 3u * 1024 * 1024 + 5);
    fso.CopyFolder(temp / "Mod\\Data", temp / "Copy", &counted);
    EXPECT_EQ(SnapshotTree(temp / "Copy"), mod) << Describe(SnapshotTree(temp / "Copy"));
    EXPECT_EQ(LinkCount(temp / "Copy\\big.big"), 2u);
    EXPECT_EQ(LinkCount(temp / "Copy\\locked.big"), 1u);
    fso.CopyFile(temp / "Mod\\Data\\big.big", temp / "big.big", &counted);
    EXPECT_EQ(counted.lBytes, lModBytes + 3 * 1024 * 1024 + 5);
    EXPECT_EQ(counted.lLinked, 2);
    EXPECT_EQ(counted.lCopied, 5);
    fso.DeleteFile(temp / "big.big");
    EXPECT_EQ(ReadBytes(temp / "Mod\\Data\\big.big"), std::string(3 * 1024 * 1024 + 5, 'b')) << "a link goes alone";

    WriteBytes(temp / "Game\\Data\\INI\\Weapon.ini", std::string(5000, 'g'));
    WriteBytes(temp / "Game\\Data\\INI\\Armor.ini", "game armor");
    WriteBytes(temp / "Game\\Data\\readme.txt", "game readme");
    fso.CopyFolder(temp / "Mod\\Data", temp / "Game\\Data");
    TreeSnapshot merged = mod;
    merged["INI\\Armor.ini"] = "game armor";
    EXPECT_EQ(SnapshotTree(temp / "Game\\Data"), merged) << Describe(SnapshotTree(temp / "Game\\Data"));

    // Into a folder of its own: one level, and no endless copy.
    fso.CopyFolder(temp / "Mod\\Data\\INI", temp / "Mod\\Data\\INI\\INI");
    EXPECT_EQ(ReadBytes(temp / "Mod\\Data\\INI\\INI\\Weapon.ini"), "new weapons");
    EXPECT_FALSE(Present(temp / "Mod\\Data\\INI\\INI\\INI"));
}

TEST_F(FileSystemObjectTest, CopyFolderNeedsAFolderAndStopsAtAReadOnlyFileInTheWay) {
    for (const char* szSource : {"Mod\\Data\\readme.txt", "Missing"})
        EXPECT_THROW(fso.CopyFolder(temp / szSource, temp / "Copy"), PlatformError) << szSource;
    EXPECT_FALSE(Present(temp / "Copy"));

    WriteBytes(temp / "Game\\INI\\Weapon.ini", "game weapons");
    SetAttributes(temp / "Game\\INI\\Weapon.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(fso.CopyFolder(temp / "Mod\\Data", temp / "Game"), PlatformError);
    EXPECT_EQ(ReadBytes(temp / "Game\\INI\\Weapon.ini"), "game weapons");
}

TEST_F(FileSystemObjectTest, DeleteFileRefusesReadOnlyFilesUnlessForcedAndFoldersButDeleteFolderTakesAll) {
    fso.DeleteFile(temp / "Mod\\Data\\readme.txt");
    EXPECT_FALSE(Present(temp / "Mod\\Data\\readme.txt"));
    for (const char* szName : {"Mod\\Data\\locked.big", "Mod\\Data\\Empty", "missing.ini"})
        EXPECT_THROW(fso.DeleteFile(temp / szName), PlatformError) << szName;
    EXPECT_TRUE(Present(temp / "Mod\\Data\\locked.big"));
    EXPECT_TRUE(Present(temp / "Mod\\Data\\Empty"));
    fso.DeleteFile(temp / "Mod\\Data\\locked.big", true);
    EXPECT_FALSE(Present(temp / "Mod\\Data\\locked.big"));

    WriteBytes(temp / "Mod\\other.txt", "stays");
    fso.DeleteFolder(temp / "Mod\\Data");
    EXPECT_FALSE(Present(temp / "Mod\\Data"));
    EXPECT_EQ(ReadBytes(temp / "Mod\\other.txt"), "stays");
    EXPECT_THROW(fso.DeleteFolder(temp / "Mod\\other.txt"), PlatformError);
    EXPECT_TRUE(Present(temp / "Mod\\other.txt"));
    EXPECT_THROW(fso.DeleteFolder(temp / "Missing"), PlatformError);
}

}  // namespace
}  // namespace corvane
