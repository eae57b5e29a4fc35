#include <gtest/gtest.h>

#include <string>

#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_file_system_object.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using test::Attributes;
using test::Describe;
using test::Present;
using test::ReadBytes;
using test::SetAttributes;
using test::SnapshotTree;
using test::TempFolder;
using test::TreeSnapshot;
using test::WriteBytes;

class FileSystemObjectTest : public ::testing::Test {
protected:
    // A mod folder with the kinds of content a real one has: nested folders,
    // an empty folder, hidden and system items, a read-only file.
    void MakeModFolder() {
        WriteBytes(temp / "Mod\\Data\\INI\\Weapon.ini", "new weapons");
        WriteBytes(temp / "Mod\\Data\\readme.txt", "mod readme");
        test::MakeFolders(temp / "Mod\\Data\\Empty");
        WriteBytes(temp / "Mod\\Data\\Thumbs.db", "hidden");
        SetAttributes(temp / "Mod\\Data\\Thumbs.db", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        WriteBytes(temp / "Mod\\Data\\Secret\\map.map", "in a hidden folder");
        SetAttributes(temp / "Mod\\Data\\Secret", FILE_ATTRIBUTE_HIDDEN);
        WriteBytes(temp / "Mod\\Data\\locked.big", "read-only in the mod");
        SetAttributes(temp / "Mod\\Data\\locked.big", FILE_ATTRIBUTE_READONLY);
    }

    TempFolder temp;
    WinFileSystemObject fso;
};

TEST_F(FileSystemObjectTest, CopyFileNeverOverwritesAndKeepsReadOnly) {
    WriteBytes(temp / "source.ini", "mod bytes\r\n\x80");
    WriteBytes(temp / "taken.ini", "game bytes");
    SetAttributes(temp / "source.ini", FILE_ATTRIBUTE_READONLY);

    fso.CopyFile(temp / "source.ini", temp / "copy.ini");
    EXPECT_EQ(ReadBytes(temp / "copy.ini"), "mod bytes\r\n\x80");
    EXPECT_TRUE(Attributes(temp / "copy.ini") & FILE_ATTRIBUTE_READONLY);

    EXPECT_THROW(fso.CopyFile(temp / "source.ini", temp / "taken.ini"), PlatformError);
    EXPECT_EQ(ReadBytes(temp / "taken.ini"), "game bytes");
    EXPECT_THROW(fso.CopyFile(temp / "missing.ini", temp / "other.ini"), PlatformError);
    EXPECT_FALSE(Present(temp / "other.ini"));
}

TEST_F(FileSystemObjectTest, CopyFolderCopiesEverythingIntoANewFolder) {
    MakeModFolder();
    test::MakeFolders(temp / "Game");
    fso.CopyFolder(temp / "Mod\\Data", temp / "Game\\Data");
    const TreeSnapshot copied = SnapshotTree(temp / "Game\\Data");
    EXPECT_EQ(copied, SnapshotTree(temp / "Mod\\Data")) << Describe(copied);
    EXPECT_EQ(copied.count("Empty"), 1u);
    EXPECT_EQ(copied.count("Secret\\map.map"), 1u);
}

TEST_F(FileSystemObjectTest, CopyFolderMergesIntoAnExistingFolderAndReplacesFiles) {
    MakeModFolder();
    WriteBytes(temp / "Game\\Data\\INI\\Weapon.ini", std::string(5000, 'g'));
    WriteBytes(temp / "Game\\Data\\INI\\Armor.ini", "game armor");
    WriteBytes(temp / "Game\\Data\\readme.txt", "game readme");

    fso.CopyFolder(temp / "Mod\\Data", temp / "Game\\Data");

    TreeSnapshot expected = SnapshotTree(temp / "Mod\\Data");
    expected["INI\\Armor.ini"] = "game armor";
    const TreeSnapshot merged = SnapshotTree(temp / "Game\\Data");
    EXPECT_EQ(merged, expected) << Describe(merged);
}

TEST_F(FileSystemObjectTest, CopyFolderFailsOnAReadOnlyFileInTheWay) {
    MakeModFolder();
    WriteBytes(temp / "Game\\Data\\INI\\Weapon.ini", "game weapons");
    SetAttributes(temp / "Game\\Data\\INI\\Weapon.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(fso.CopyFolder(temp / "Mod\\Data", temp / "Game\\Data"), PlatformError);
    EXPECT_EQ(ReadBytes(temp / "Game\\Data\\INI\\Weapon.ini"), "game weapons");
}

TEST_F(FileSystemObjectTest, CopyFolderNeedsAFolderAsSource) {
    WriteBytes(temp / "file.ini", "x");
    EXPECT_THROW(fso.CopyFolder(temp / "file.ini", temp / "Copy"), PlatformError);
    EXPECT_THROW(fso.CopyFolder(temp / "Missing", temp / "Copy"), PlatformError);
    EXPECT_FALSE(Present(temp / "Copy"));
}

TEST_F(FileSystemObjectTest, CopyFolderIntoItselfCopiesOneLevelAndEnds) {
    WriteBytes(temp / "Data\\a.ini", "a");
    fso.CopyFolder(temp / "Data", temp / "Data\\Data");
    EXPECT_EQ(ReadBytes(temp / "Data\\Data\\a.ini"), "a");
    EXPECT_FALSE(Present(temp / "Data\\Data\\Data"));
}

TEST_F(FileSystemObjectTest, DeleteFileRefusesReadOnlyFilesAndFolders) {
    WriteBytes(temp / "copy.ini", "x");
    WriteBytes(temp / "locked.ini", "x");
    SetAttributes(temp / "locked.ini", FILE_ATTRIBUTE_READONLY);
    test::MakeFolders(temp / "Folder");

    fso.DeleteFile(temp / "copy.ini");
    EXPECT_FALSE(Present(temp / "copy.ini"));
    for (const char* szName : {"locked.ini", "Folder", "missing.ini"}) {
        SCOPED_TRACE(szName);
        EXPECT_THROW(fso.DeleteFile(temp / szName), PlatformError);
    }
    EXPECT_TRUE(Present(temp / "locked.ini"));
    EXPECT_TRUE(Present(temp / "Folder"));
}

TEST_F(FileSystemObjectTest, DeleteFolderTakesReadOnlyHiddenAndSystemContent) {
    MakeModFolder();
    WriteBytes(temp / "Mod\\Data\\Sys\\deep.ini", "x");
    SetAttributes(temp / "Mod\\Data\\Sys\\deep.ini", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(temp / "Mod\\Data\\Sys", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
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
