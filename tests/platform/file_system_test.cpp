#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/platform_error.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "platform/win_file_system_object.h"
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
// mod folder, and a mod folder with the kinds of content a real one has:
// nested and empty folders, hidden and system items, read-only files.
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
    WinFileSystem files;
    WinFileSystemObject fso;
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
    EXPECT_EQ(files.Sha256(temp / "abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");

    ASSERT_TRUE(MoveFileA(szDrive.c_str(), (szDrive + ".away").c_str()));
    EXPECT_FALSE(files.Stat(G + "\\Data\\a.ini")) << "as the existence tests have always seen it";
    EXPECT_THROW(files.Look(G + "\\Data\\a.ini"), PlatformError);
    EXPECT_THROW(files.Identity(G + "\\Data"), PlatformError);
    ASSERT_TRUE(MoveFileA((szDrive + ".away").c_str(), szDrive.c_str()));
    RemoveTree(szDrive + "\\" + szName);
}

// Wine gives a Unix folder as \\?\unix\... (Steam for Linux's, where no
// drive letter is known): it resolves to the drive that reaches it, and its
// volume is told either way. The system's own folders are where it keeps them.
TEST_F(FileSystemTest, WinesUnixPathsResolveToTheirDriveAndTheSystemsFoldersAreFound) {
    if (!GetProcAddress(GetModuleHandleA("ntdll"), "wine_get_version")) GTEST_SKIP() << "not under Wine";
    EXPECT_EQ(files.ResolvedPath("\\\\?\\unix\\tmp\\Corvane-none\\x.ini"), "Z:\\tmp\\Corvane-none\\x.ini");
    EXPECT_GT(files.Volume("\\\\?\\unix\\tmp\\Corvane-none").lFree, 0u);
    const SystemFolders system = files.KnownSystemFolders();
    EXPECT_EQ(system.szProgramFiles.size(), 2u);
    EXPECT_TRUE(files.Stat(system.szWindows) && system.szProfile.rfind(system.szUsers + "\\", 0) == 0) << system.szProfile;
}

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
TEST_F(FileSystemTest, CopyFolderCopiesEverythingOrMergesIntoAnExistingFolder) {
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

// The session's drive H: lies on another file system, where no link reaches.
TEST_F(FileSystemTest, AnArchiveOnAnotherFileSystemIsCopied) {
    if (GetDriveTypeA("H:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no drive H: on another file system";
    const std::string szFar = "H:\\" + UniqueScratchName("far-") + ".big";
    WriteBytes(szFar, "BIGF far");
    CountedBytes counted;
    fso.CopyFile(szFar, temp / "far.big", &counted);
    RemoveTree(szFar);
    EXPECT_EQ(ReadBytes(temp / "far.big"), "BIGF far");
    EXPECT_EQ(counted.lCopied, 1);
}

TEST_F(FileSystemTest, CopyFolderNeedsAFolderAndStopsAtAReadOnlyFileInTheWay) {
    for (const char* szSource : {"Mod\\Data\\readme.txt", "Missing"})
        EXPECT_THROW(fso.CopyFolder(temp / szSource, temp / "Copy"), PlatformError) << szSource;
    EXPECT_FALSE(Present(temp / "Copy"));

    WriteBytes(temp / "Game\\INI\\Weapon.ini", "game weapons");
    SetAttributes(temp / "Game\\INI\\Weapon.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(fso.CopyFolder(temp / "Mod\\Data", temp / "Game"), PlatformError);
    EXPECT_EQ(ReadBytes(temp / "Game\\INI\\Weapon.ini"), "game weapons");
}

TEST_F(FileSystemTest, DeleteFileRefusesReadOnlyFilesUnlessForcedAndFoldersButDeleteFolderTakesAll) {
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
