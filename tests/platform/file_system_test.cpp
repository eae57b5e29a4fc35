#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using test::Attributes;
using test::ReadBytes;
using test::SetAttributes;
using test::TempFolder;
using test::WriteBytes;

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadAll(InputFile& file, size_t lChunk) {
    std::string szBytes;
    std::vector<char> buffer(lChunk);
    while (const size_t lRead = file.Read(buffer.data(), buffer.size())) szBytes.append(buffer.data(), lRead);
    return szBytes;
}

// A letter that names no drive, so a path on it cannot exist.
std::string UnusedDrive() {
    const DWORD lDrives = GetLogicalDrives();
    for (char c = 'Y'; c > 'D'; --c)
        if (!(lDrives & (1u << (c - 'A')))) return std::string(1, c) + ":";
    return "";
}

// One folder holding every kind of entry the program can meet in a game or
// mod folder.
class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        struct Item {
            const char* szName;
            bool bFolder;
            uint32_t lAttributes;
        };
        const Item items[] = {
            {"plain.txt", false, 0},
            {"readonly.txt", false, FILE_ATTRIBUTE_READONLY},
            {"archive.txt", false, FILE_ATTRIBUTE_ARCHIVE},
            {"unindexed.ini", false, FILE_ATTRIBUTE_NOT_CONTENT_INDEXED},
            {"hidden.txt", false, FILE_ATTRIBUTE_HIDDEN},
            {"system.txt", false, FILE_ATTRIBUTE_SYSTEM},
            {"Plain", true, 0},
            {"ReadOnly", true, FILE_ATTRIBUTE_READONLY},
            {"Hidden", true, FILE_ATTRIBUTE_HIDDEN},
            {"System", true, FILE_ATTRIBUTE_SYSTEM},
        };
        for (const Item& item : items) {
            const std::string szPath = temp / item.szName;
            if (item.bFolder)
                test::MakeFolders(szPath);
            else
                WriteBytes(szPath, item.szName);
            if (item.lAttributes) SetAttributes(szPath, item.lAttributes);
        }
    }

    TempFolder temp;
    WinFileSystem files;
};

TEST_F(FileSystemTest, DirSelectsEntriesByAttributeAndPattern) {
    const std::vector<std::string> ordinary = {"archive.txt", "plain.txt", "readonly.txt",
                                               "unindexed.ini"};
    std::vector<std::string> withFolders = ordinary;
    withFolders.insert(withFolders.end(), {".", "..", "Plain", "ReadOnly"});
    struct Case {
        const char* szPattern;
        uint32_t lAttr;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"\\*", 0, ordinary},
        {"\\*", 16, withFolders},
        {"\\*.TXT", 0, {"archive.txt", "plain.txt", "readonly.txt"}},
        {"\\p*", 16, {"Plain", "plain.txt"}},
        {"\\*.zcf", 16, {}},
        {"\\Missing\\*", 16, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.szPattern) + " attr " + std::to_string(c.lAttr));
        EXPECT_EQ(Sorted(files.Dir(temp.Path() + c.szPattern, c.lAttr)), Sorted(c.expected));
    }
}

TEST_F(FileSystemTest, GetAttrReportsEveryBit) {
    EXPECT_EQ(files.GetAttr(temp / "Plain") & kAttrDirectory, kAttrDirectory);
    EXPECT_EQ(files.GetAttr(temp / "readonly.txt") & kAttrReadOnly, kAttrReadOnly);
    EXPECT_EQ(files.GetAttr(temp / "hidden.txt") & kAttrHidden, kAttrHidden);
    EXPECT_EQ(files.GetAttr(temp / "Hidden"), kAttrDirectory | kAttrHidden);
    EXPECT_THROW(files.GetAttr(temp / "missing.txt"), PlatformError);
}

TEST_F(FileSystemTest, ExistsCountsHiddenAndSystemItemsAsAbsent) {
    struct Case {
        std::string szPath;
        bool bExists;
        bool bFileExists;
    };
    const Case cases[] = {
        {temp / "plain.txt", true, true},
        {temp / "READONLY.TXT", true, true},
        {temp / "Plain", true, false},
        {temp / "ReadOnly", true, false},
        {temp / "hidden.txt", false, false},
        {temp / "system.txt", false, false},
        {temp / "Hidden", false, false},
        {temp / "System", false, false},
        {temp / "missing.txt", false, false},
        {temp / "Missing\\plain.txt", false, false},
        {temp / "bad|name.txt", false, false},
        {UnusedDrive() + "\\Games\\Generals.exe", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szPath);
        EXPECT_EQ(files.Exists(c.szPath), c.bExists);
        EXPECT_EQ(files.FileExists(c.szPath), c.bFileExists);
    }
}

TEST_F(FileSystemTest, ExistsThrowsForAPathLongerThanMaxPath) {
    const std::string szLong = temp / std::string(MAX_PATH, 'a');
    EXPECT_THROW(files.Exists(szLong), PlatformError);
    EXPECT_THROW(files.FileExists(szLong), PlatformError);
}

TEST_F(FileSystemTest, ClearAttributesLeavesNeitherReadOnlyNorHiddenNorSystem) {
    const uint32_t lCleared = kAttrReadOnly | kAttrHidden | kAttrSystem;
    struct Case {
        const char* szName;
        uint32_t lBefore;
    };
    const Case cases[] = {
        {"plain.txt", lCleared | kAttrArchive},
        {"hidden.txt", kAttrHidden},
        {"Hidden", kAttrHidden | kAttrReadOnly},
        {"System", kAttrSystem},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        const std::string szPath = temp / c.szName;
        SetAttributes(szPath, c.lBefore);
        const uint32_t lFolder = Attributes(szPath) & kAttrDirectory;
        files.ClearAttributes(szPath);
        EXPECT_EQ(Attributes(szPath) & lCleared, 0u);
        EXPECT_EQ(Attributes(szPath) & kAttrDirectory, lFolder);
        EXPECT_TRUE(files.Exists(szPath));
    }
    EXPECT_THROW(files.ClearAttributes(temp / "missing.txt"), PlatformError);
}

TEST_F(FileSystemTest, RenameMovesInPlaceAndRefusesAnExistingName) {
    files.Rename(temp / "plain.txt", temp / "plain.txt.original");
    EXPECT_EQ(ReadBytes(temp / "plain.txt.original"), "plain.txt");
    EXPECT_FALSE(test::Present(temp / "plain.txt"));

    files.Rename(temp / "Plain", temp / "Plain.original");
    EXPECT_TRUE(files.Exists(temp / "Plain.original"));

    EXPECT_THROW(files.Rename(temp / "archive.txt", temp / "readonly.txt"), PlatformError);
    EXPECT_EQ(ReadBytes(temp / "archive.txt"), "archive.txt");
    EXPECT_EQ(ReadBytes(temp / "readonly.txt"), "readonly.txt");
}

TEST_F(FileSystemTest, CreateFolderNeedsItsParentAndANewName) {
    files.CreateFolder(temp / "Data");
    EXPECT_EQ(Attributes(temp / "Data") & kAttrDirectory, kAttrDirectory);
    EXPECT_THROW(files.CreateFolder(temp / "Data"), PlatformError);
    EXPECT_THROW(files.CreateFolder(temp / "Missing\\Data"), PlatformError);
    EXPECT_FALSE(test::Present(temp / "Missing"));
}

TEST_F(FileSystemTest, KillDeletesAFileButRefusesAReadOnlyOne) {
    files.Kill(temp / "plain.txt");
    EXPECT_FALSE(test::Present(temp / "plain.txt"));
    EXPECT_THROW(files.Kill(temp / "readonly.txt"), PlatformError);
    EXPECT_TRUE(test::Present(temp / "readonly.txt"));
    EXPECT_THROW(files.Kill(temp / "missing.txt"), PlatformError);
}

TEST_F(FileSystemTest, InputFileHandsOverEveryByteAndRewinds) {
    const std::string szBytes("Location=\0x\rCR only\r\nCRLF\nLF\x80\xE9\xFF", 33);
    WriteBytes(temp / "mod.zcf", szBytes);
    const auto input = files.OpenInput(temp / "mod.zcf");
    EXPECT_EQ(ReadAll(*input, 4), szBytes);
    char c = 0;
    EXPECT_EQ(input->Read(&c, 1), 0u);
    input->Rewind();
    EXPECT_EQ(ReadAll(*input, 4096), szBytes);
    EXPECT_THROW(files.OpenInput(temp / "missing.zcf"), PlatformError);
}

TEST_F(FileSystemTest, WriteFileReplacesTheWholeFile) {
    WriteBytes(temp / "mod.zcf", std::string(1000, 'x'));
    files.WriteFile(temp / "mod.zcf", "Location=\r\n");
    EXPECT_EQ(ReadBytes(temp / "mod.zcf"), "Location=\r\n");
    files.WriteFile(temp / "mod.zcf", "");
    EXPECT_EQ(ReadBytes(temp / "mod.zcf"), "");
    EXPECT_THROW(files.WriteFile(temp / "readonly.txt", "new"), PlatformError);
    EXPECT_EQ(ReadBytes(temp / "readonly.txt"), "readonly.txt");
    EXPECT_THROW(files.WriteFile(temp / "Missing\\mod.zcf", "x"), PlatformError);
}

TEST(PlatformErrorText, NamesTheCallThePathAndTheSystemReason) {
    WinFileSystem files;
    try {
        files.GetAttr("Z:\\no\\such\\folder\\file.txt");
        FAIL() << "no error";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.Operation(), "GetFileAttributesA");
        EXPECT_EQ(error.Path(), "Z:\\no\\such\\folder\\file.txt");
        EXPECT_EQ(error.Code(), static_cast<uint32_t>(ERROR_PATH_NOT_FOUND));
        const std::string szWhat = error.what();
        EXPECT_EQ(szWhat.find("GetFileAttributesA(Z:\\no\\such\\folder\\file.txt): error 3: "), 0u)
            << szWhat;
        EXPECT_GT(szWhat.size(), szWhat.find(": error 3: ") + 11);
        EXPECT_NE(szWhat.back(), '.');
        EXPECT_NE(szWhat.back(), '\n');
    }
}

}  // namespace
}  // namespace corvane
