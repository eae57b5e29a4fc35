// The check of two real players' folders, rebuilt from their listings: a
// Steam Zero Hour and an EA App Generals. The edition's own files read
// clean; the add-ons the players installed are each named as what they
// are, and nothing in them is offered as a stray.
#include <gtest/gtest.h>

#include "gamecheck/check_lines.h"
#include "gamecheck/folder_check.h"
#include "launch/stray_archives.h"
#include "support/fake_platform.h"
#include "support/real_game_folder.h"

namespace corvane::test {
namespace {

const std::string kFolder = "C:\\Games\\Real";

const std::string kHotkeys = " (hotkeys)", kBar = " (Control Bar Pro, a new control bar)",
                  kGenTool = " (GenTool, expected online)", kSettings = " (GenTool's settings)",
                  kUpdater = " (GenTool's updater)", kLobby = " (a bigger LAN lobby)",
                  kEmpty = "Empty archive: launcher\\MapsZH.big (holds no file: the game loads nothing from it)",
                  kCopy = "Leftover: PatchWindow.big.bak (a copy of an archive)";

const struct {
    RealFolder folder;
    int16_t dGame;
    std::vector<std::string> szLines;  // of the folder as listed
} kCases[] = {
    {RealFolder::kZeroHourSteam,
     kZeroHour,
     {"Add-on: !HotkeysLeikezeIndicatorsZH.big" + kHotkeys, "Add-on: !HotkeysLeikezeZH.big" + kHotkeys,
      "Add-on: 310_ExpandedLANLobbyMenu.big" + kLobby, "Add-on: 340_ControlBarProArt1080ZH.big" + kBar,
      "Add-on: 340_ControlBarProData1080ZH.big" + kBar, "Add-on: 340_ControlBarProZH.big" + kBar,
      "Add-on: 990_DecalsZH.big (decals)", "Add-on: d3d8.cfg" + kSettings, "Add-on: d3d8.dll" + kGenTool,
      "Add-on: GenToolUpdater.exe" + kUpdater,
      "Replaced archive: WindowZH.big (the game's own is kept as WindowZH.big.bak)", kEmpty, kCopy}},
    {RealFolder::kGeneralsEaApp,
     kGenerals,
     {"Add-on: !HotkeysLeikeze.big" + kHotkeys, "Add-on: 311_ExpandedLANLobbyMenu.big" + kLobby,
      "Add-on: 341_ControlBarPro.big" + kBar, "Add-on: d3d8.cfg" + kSettings, "Add-on: d3d8.dll" + kGenTool,
      "Add-on: GenToolUpdater.exe" + kUpdater,
      "Replaced archive: Window.big (the game's own is kept as Window.big.bak)", kEmpty, kCopy}},
};

// A launch of a mod into either folder asks nothing: no archive in it is a
// stray.
TEST(RealFolders, TheEditionReadsCleanAndEveryAddOnIsNamed) {
    for (const auto& c : kCases) {
        for (const bool bEditionOnly : {true, false}) {
            FakePlatform fakes;
            RebuildOn(fakes.disk, kFolder, ListedFiles(c.folder, bEditionOnly));
            GameTable games = MakeGameTable();
            games[c.dGame].szInstallPath = kFolder + "\\";
            const FolderCheck check = CheckGameFolders(FoldersOf(games, c.dGame, fakes.disk), fakes.disk, {});
            EXPECT_EQ(FindingLines(check),
                      bEditionOnly ? std::vector<std::string>{"Clean: nothing but the game's own files"} : c.szLines);
            const StrayAnswers answers(fakes.disk, fakes.problems, "C:\\Corvane");
            const StrayOffer offer = StrayArchivesFor(games, c.dGame, ModConfig{}, {}, fakes.disk, fakes.problems, answers);
            EXPECT_TRUE(offer.asked.empty() && offer.szAsideAgain.empty());
        }
    }
}

}  // namespace
}  // namespace corvane::test
