// The configuration file on real files: what the writer leaves on disk and
// what the reader makes of files it cannot or may not read.
#include <gtest/gtest.h>

#include "modconfig/config_file.h"
#include "modconfig/memory_files.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class ConfigFileOnDisk : public ::testing::Test {
protected:
    bool Save(const std::string& szTitle, const std::vector<std::string>& lstSrc = {"C:\\m\\a"},
              const std::vector<std::string>& lstDest = {"D:\\"}) {
        return SaveModConfig(files, boxes, folder.Path(), szTitle, "C:\\m\\x.big", lstSrc, lstDest);
    }
    bool Load(const std::string& szName) {
        return LoadModConfig(files, MakeGameTable(), folder / szName, udtCfg);
    }

    test::TempFolder folder;
    WinFileSystem files;
    test::RecordingMessageBoxes boxes;
    ModConfig udtCfg;
};

constexpr const char* kSaved = "Location=C:\\m\\x.big\r\n[Folder]\r\nSource=C:\\m\\a\r\nDestination=D:\\\r\n";

TEST_F(ConfigFileOnDisk, SavingWritesTheFileOrReplacesAWholeOldOne) {
    ASSERT_TRUE(Save("New"));
    EXPECT_EQ(ReadBytes(folder / "New.zcf"), kSaved);

    WriteBytes(folder / "Old.zcf", std::string(10000, 'o'));
    ASSERT_TRUE(Save("Old"));
    EXPECT_EQ(ReadBytes(folder / "Old.zcf"), kSaved);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ConfigFileOnDisk, AReadOnlyOrLockedFileIsNotReplaced) {
    WriteBytes(folder / "ReadOnly.zcf", "Location=kept\r\n");
    test::SetAttributes(folder / "ReadOnly.zcf", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Save("ReadOnly"));
    EXPECT_EQ(ReadBytes(folder / "ReadOnly.zcf"), "Location=kept\r\n");

    WriteBytes(folder / "Locked.zcf", "Location=kept\r\n");
    HANDLE hLock = CreateFileA((folder / "Locked.zcf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Save("Locked"));
    EXPECT_FALSE(Load("Locked.zcf"));
    EXPECT_EQ(udtCfg.szLocation, "");
    CloseHandle(hLock);
    EXPECT_TRUE(Load("Locked.zcf"));
    EXPECT_EQ(udtCfg.szModFile, "kept");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ConfigFileOnDisk, AMissingFileOrFolderIsNotAMod) {
    EXPECT_FALSE(Load("Missing.zcf"));
    test::MakeFolders(folder / "Folder.zcf");
    EXPECT_FALSE(Load("Folder.zcf"));
    EXPECT_EQ(udtCfg.szConfigFile, "");
}

TEST_F(ConfigFileOnDisk, AnsiBytesInNamesAndLinesComeBackUnchanged) {
    const std::string szSrc = "C:\\Mods\\Caf\xe9\\\xc4rger \xfc\xdf.ini";
    const std::string szDst = "D:\\Spiele\\\xa9\xae\xff";
    ASSERT_TRUE(Save("Caf\xe9 \xe0 la mod", {szSrc}, {szDst}));
    EXPECT_EQ(ReadBytes(folder / "Caf\xe9 \xe0 la mod.zcf"),
              "Location=C:\\m\\x.big\r\n[Folder]\r\nSource=" + szSrc + "\r\nDestination=" + szDst + "\r\n");
    ASSERT_TRUE(Load("Caf\xe9 \xe0 la mod.zcf"));
    EXPECT_EQ(udtCfg.szTitle, "Caf\xe9 \xe0 la mod");
    EXPECT_EQ(udtCfg.szSrc, std::vector<std::string>{szSrc});
    EXPECT_EQ(udtCfg.szDst, std::vector<std::string>{szDst});
}

}  // namespace
}  // namespace corvane
