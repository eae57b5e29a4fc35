// The check of two real players' folders, rebuilt from their listings: a
// Steam Zero Hour and an EA App Generals. The edition's own files read
// clean; the add-ons the players installed are each named as what they
// are, and nothing in them is offered as a stray.
#include <gtest/gtest.h>

#include "check/folder/check_lines.h"
#include "check/folder/folder_check.h"
#include "support/fake_platform.h"
#include "support/real_game_folder.h"

namespace corvane::test {
namespace {

const std::string kHotkeys = " (hotkeys)", kBar = " (Control Bar Pro, a new control bar)", kLobby = " (a bigger LAN lobby)",
                  kCfg = "Add-on: d3d8.cfg (GenTool's settings)", kDll = "Add-on: d3d8.dll (GenTool, expected online)",
                  kUpdater = "Add-on: GenToolUpdater.exe (GenTool's updater)",
                  kEmpty = "Empty archive: launcher\\MapsZH.big (holds no file: the game loads nothing from it)",
                  kCopy = "Leftover: PatchWindow.big.bak (a copy of an archive)";

const struct {
    RealFolder folder;
    int16_t dGame;
    std::vector<std::string> szLines;  // of the folder as listed
} kCases[] = {
    {RealFolder::kZeroHourSteam, kZeroHour,
     {"Add-on: !HotkeysLeikezeIndicatorsZH.big" + kHotkeys, "Add-on: !HotkeysLeikezeZH.big" + kHotkeys,
      "Add-on: 310_ExpandedLANLobbyMenu.big" + kLobby, "Add-on: 340_ControlBarProArt1080ZH.big" + kBar,
      "Add-on: 340_ControlBarProData1080ZH.big" + kBar, "Add-on: 340_ControlBarProZH.big" + kBar,
      "Add-on: 990_DecalsZH.big (decals)", kCfg, kDll, kUpdater,
      "Replaced archive: WindowZH.big (the game's own is kept as WindowZH.big.bak)", kEmpty, kCopy}},
    {RealFolder::kGeneralsEaApp, kGenerals,
     {"Add-on: !HotkeysLeikeze.big" + kHotkeys, "Add-on: 311_ExpandedLANLobbyMenu.big" + kLobby,
      "Add-on: 341_ControlBarPro.big" + kBar, kCfg, kDll, kUpdater,
      "Replaced archive: Window.big (the game's own is kept as Window.big.bak)", kEmpty, kCopy}},
};

// Neither has a stray archive, so a launch of a mod into it asks nothing.
TEST(RealFolders, TheEditionReadsCleanAndEveryAddOnIsNamed) {
    for (const auto& c : kCases) {
        for (const bool bEditionOnly : {true, false}) {
            FakePlatform fakes;
            RebuildOn(fakes.disk, "C:\\Games\\Real", ListedFiles(c.folder, bEditionOnly));
            GameTable games = MakeGameTable();
            games[c.dGame].szInstallPath = "C:\\Games\\Real\\";
            EXPECT_EQ(FindingLines(CheckGameFolders(FoldersOf(games, c.dGame, fakes.disk), fakes.disk, {})),
                      bEditionOnly ? std::vector<std::string>{"Clean: nothing but the game's own files"} : c.szLines);
        }
    }
}

}  // namespace
}  // namespace corvane::test
