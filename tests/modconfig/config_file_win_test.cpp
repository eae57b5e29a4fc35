// Saving a mod's configuration file on real files: the bytes it leaves, and
// the files it refuses to write or may not replace.
#include <gtest/gtest.h>

#include "modconfig/config_file.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "support/recording_message_boxes.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using namespace corvane::test;

TEST(SaveModConfig, WritesEachSourceByteForByteButNothingForABlankTitleOrAReadOnlyOrLockedFile) {
    TempFolder folder;
    WinFileSystem files;
    RecordingMessageBoxes boxes;
    const auto Save = [&](const std::string& szTitle, const std::vector<std::string>& lstSrc,
                          const std::vector<std::string>& lstDest) {
        return SaveModConfig(files, boxes, folder.Path(), szTitle, "D:\\\xe9t\xe9\\tank.big", lstSrc, lstDest);
    };
    const std::string kGen = "C:\\Program Files\\EA Games\\Command and Conquer Generals\\";
    const struct {
        const char* szTitle;
        std::vector<std::string> lstSrc, lstDest;
        std::string szAfterLocation;
    } kCases[] = {
        {"Empty", {}, {}, ""},
        // The title is used as passed, blanks and all.
        {" Caf\xe9 \xe0 la mod", {"C:\\\xc4rger \xfc\xdf.ini", "C:\\m\\Art"}, {kGen + "Data\\INI", "X=Y"},
         "[Folder]\r\nSource=C:\\\xc4rger \xfc\xdf.ini\r\nDestination=" + kGen +
             "Data\\INI\r\n[Folder]\r\nSource=C:\\m\\Art\r\nDestination=X=Y\r\n"},
        // The sources decide the number of sections.
        {"Fewer", {"s"}, {"d", "ignored"}, "[Folder]\r\nSource=s\r\nDestination=d\r\n"},
        {"Old", {"s", "t"}, {"d"}, "[Folder]\r\nSource=s\r\nDestination=d\r\n[Folder]\r\nSource=t\r\nDestination=\r\n"},
    };
    WriteBytes(folder / "Old.zcf", std::string(10000, 'o'));
    for (const auto& c : kCases) {
        ASSERT_TRUE(Save(c.szTitle, c.lstSrc, c.lstDest)) << c.szTitle;
        EXPECT_EQ(ReadBytes(folder / (std::string(c.szTitle) + ".zcf")),
                  "Location=D:\\\xe9t\xe9\\tank.big\r\n" + c.szAfterLocation) << c.szTitle;
    }
    EXPECT_TRUE(boxes.shown.empty());

    WriteBytes(folder / "ReadOnly.zcf", "kept");
    SetAttributes(folder / "ReadOnly.zcf", FILE_ATTRIBUTE_READONLY);
    const TreeSnapshot before = SnapshotTree(folder.Path());
    HANDLE hLock = CreateFileA((folder / "Old.zcf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    for (const char* szTitle : {"ReadOnly", "Old", "", "   "}) EXPECT_FALSE(Save(szTitle, {"s"}, {"d"})) << szTitle;
    CloseHandle(hLock);
    EXPECT_EQ(SnapshotTree(folder.Path()), before);
    // Only the missing name is the player's to hear about.
    EXPECT_EQ(boxes.shown, (decltype(boxes.shown)(2, {"The name of the mod is missing!", kMsgOkOnly})));
}

}  // namespace
}  // namespace corvane
