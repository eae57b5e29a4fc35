#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using namespace corvane::test;

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
    FileSystemTest() {
        const struct {
            const char* szName;
            bool bFolder;
            uint32_t lAttributes;
        } items[] = {
            {"plain.txt", false, 0}, {"readonly.txt", false, kAttrReadOnly}, {"hidden.txt", false, kAttrHidden},
            {"system.txt", false, kAttrSystem}, {"unindexed.ini", false, FILE_ATTRIBUTE_NOT_CONTENT_INDEXED},
            {"Plain", true, 0}, {"Hidden", true, kAttrHidden}, {"System", true, kAttrSystem},
        };
        for (const auto& item : items) {
            if (item.bFolder)
                MakeFolders(temp / item.szName);
            else
                WriteBytes(temp / item.szName, item.szName);
            if (item.lAttributes) SetAttributes(temp / item.szName, item.lAttributes);
        }
    }

    TempFolder temp;
    WinFileSystem files;
};

// Hidden and system items are the game's and the system's own: the program
// treats them as not there.
TEST_F(FileSystemTest, ExistsCountsHiddenAndSystemItemsAsAbsent) {
    struct Case {
        std::string szPath;
        bool bExists;
        bool bFileExists;
    };
    const Case cases[] = {
        {temp / "plain.txt", true, true},      {temp / "READONLY.TXT", true, true},
        {temp / "Plain", true, false},         {temp / "hidden.txt", false, false},
        {temp / "system.txt", false, false},   {temp / "Hidden", false, false},
        {temp / "System", false, false},       {temp / "Missing\\plain.txt", false, false},
        {temp / "bad|name.txt", false, false}, {UnusedDrive() + "\\Games\\Generals.exe", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(files.Exists(c.szPath), c.bExists) << c.szPath;
        EXPECT_EQ(files.FileExists(c.szPath), c.bFileExists) << c.szPath;
    }
    // Longer than MAX_PATH is no answer at all.
    EXPECT_THROW(files.Exists(temp / std::string(MAX_PATH, 'a')), PlatformError);
    EXPECT_EQ(files.GetAttr(temp / "Hidden"), kAttrDirectory | kAttrHidden);
}

TEST_F(FileSystemTest, ClearAttributesLeavesNeitherReadOnlyNorHiddenNorSystem) {
    const uint32_t lCleared = kAttrReadOnly | kAttrHidden | kAttrSystem;
    for (const auto& [szName, lBefore] : {std::pair<const char*, uint32_t>{"plain.txt", lCleared | kAttrArchive},
                                          {"hidden.txt", kAttrHidden}, {"Hidden", kAttrHidden | kAttrReadOnly},
                                          {"System", kAttrSystem}}) {
        const std::string szPath = temp / szName;
        SetAttributes(szPath, lBefore);
        const uint32_t lFolder = Attributes(szPath) & kAttrDirectory;
        files.ClearAttributes(szPath);
        EXPECT_EQ(Attributes(szPath) & (lCleared | kAttrDirectory), lFolder) << szName;
        EXPECT_TRUE(files.Exists(szPath)) << szName;
    }
    EXPECT_THROW(files.ClearAttributes(temp / "missing.txt"), PlatformError);
}

TEST_F(FileSystemTest, ChangesTakePlaceInPlaceAndNeverOverwriteOrCreateParents) {
    files.Rename(temp / "plain.txt", temp / "plain.txt.original");
    files.Rename(temp / "Plain", temp / "Plain.original");
    files.CreateFolder(temp / "Data");
    files.Kill(temp / "unindexed.ini");
    files.SaveFile(temp / "plain.txt.original", "Location=\r\n");
    EXPECT_EQ(ReadBytes(temp / "plain.txt.original"), "Location=\r\n");
    EXPECT_FALSE(Present(temp / "plain.txt") || Present(temp / "unindexed.ini"));
    EXPECT_TRUE(files.Exists(temp / "Plain.original") && files.Exists(temp / "Data"));

    const std::function<void()> refused[] = {
        [&] { files.Rename(temp / "plain.txt.original", temp / "readonly.txt"); },
        [&] { files.CreateFolder(temp / "Data"); },
        [&] { files.CreateFolder(temp / "Missing\\Data"); },
        [&] { files.Kill(temp / "readonly.txt"); },
        [&] { files.Kill(temp / "missing.txt"); },
        [&] { files.SaveFile(temp / "readonly.txt", "new"); },
        [&] { files.SaveFile(temp / "Missing\\mod.zcf", "x"); },
    };
    const TreeSnapshot before = SnapshotTree(temp.Path());
    for (size_t i = 0; i < std::size(refused); ++i) EXPECT_THROW(refused[i](), PlatformError) << "change " << i;
    EXPECT_EQ(SnapshotTree(temp.Path()), before);
}

// What is at a path for certain, and what a path names whatever it is spelt
// like: through the spare drive G:, which is a folder of the build, and with
// that drive unplugged.
TEST_F(FileSystemTest, LooksAndIdentitiesAreCertainOrThrown) {
    const std::string szDrive = CORVANE_TEST_G_DRIVE;
    const std::string szName = "id" + std::to_string(GetCurrentProcessId());
    MakeFolders(szDrive + "\\" + szName + "\\Data");
    WriteBytes(szDrive + "\\" + szName + "\\Data\\a.ini", "abc");
    const std::string G = "G:\\" + szName;
    const std::optional<std::string> data = files.Identity(szDrive + "\\" + szName + "\\Data");
    ASSERT_TRUE(data);
    for (const std::string& szSpelling : {G + "\\Data", G + "\\DATA\\", "g:\\" + szName + "\\data"})
        EXPECT_EQ(files.Identity(szSpelling), data) << szSpelling;
    EXPECT_NE(files.Identity(G + "\\Data\\a.ini"), data);
    EXPECT_FALSE(files.Identity(G + "\\Data\\b.ini"));
    EXPECT_EQ(files.Look(G + "\\Data\\a.ini")->lSize, 3u);
    EXPECT_FALSE(files.Look(G + "\\Data\\b.ini"));
    EXPECT_FALSE(files.Look(G + "\\Missing\\b.ini"));
    WriteBytes(temp / "ab", "ab");
    WriteBytes(temp / "abc", "abc");
    EXPECT_TRUE(files.SameBytes(temp / "abc", G + "\\Data\\a.ini"));
    EXPECT_FALSE(files.SameBytes(G + "\\Data\\a.ini", temp / "ab"));

    ASSERT_TRUE(MoveFileA(szDrive.c_str(), (szDrive + ".away").c_str()));
    EXPECT_FALSE(files.Stat(G + "\\Data\\a.ini")) << "as the existence tests have always seen it";
    EXPECT_THROW(files.Look(G + "\\Data\\a.ini"), PlatformError);
    EXPECT_THROW(files.Identity(G + "\\Data"), PlatformError);
    ASSERT_TRUE(MoveFileA((szDrive + ".away").c_str(), szDrive.c_str()));
    RemoveTree(szDrive + "\\" + szName);
}

// What an unexpected failure reports: the call, the path and the system's
// own reason, without the reason's closing full stop or line end.
TEST(PlatformErrorText, NamesTheCallThePathAndTheSystemsReason) {
    try {
        WinFileSystem().CreateFolder("Z:\\no\\such\\folder\\file.txt");
        FAIL() << "no error";
    } catch (const PlatformError& error) {
        const std::string szWhat = error.what();
        const std::string szStart = "CreateDirectoryA(Z:\\no\\such\\folder\\file.txt): error 3: ";
        EXPECT_EQ(szWhat.substr(0, szStart.size()), szStart);
        EXPECT_GT(szWhat.size(), szStart.size());
        EXPECT_TRUE(szWhat.back() != '.' && szWhat.back() != '\n') << szWhat;
    }
}

}  // namespace
}  // namespace corvane
