// A launcher in memory with a game folder and one mod of three entries,
// for the launch's rules around the swap.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "launch/launch_world.h"

namespace corvane::test {

using Lines = std::vector<std::string>;
using Boxes = std::vector<std::pair<std::string, uint32_t>>;
using Tree = std::map<std::string, std::string>;

const std::string G = kGameFolder;
const std::string kNotPatched = "You need patch 1.04 minimum in order to play mods with Generals";
const std::string kError = "An error occurred whilst trying to launch the game!";
const std::string kAnother = "Another Corvane launch is still running. Close it first.";
const std::string kNoFile = "ERROR: This file does not exist, please check configuration ZCF file with NotePad!";
const std::string kBadName =
    "ERROR: This source's name cannot be copied as it is, please check configuration ZCF file with NotePad!";
const Lines kChecked = {"This is what is happening...",
                        "Checking for existance of all source folders and files in configuration.",
                        "Checking...D:\\Mod\\a.ini", "Checking...D:\\Mod\\Art.Pack\\t.tga"};

inline Lines Checked(const Lines& more) {
    Lines lines = kChecked;
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

struct LauncherTest : ::testing::Test {
    LauncherTest() {
        fakes.disk.AddFile(G + "\\Generals.exe", "game");
        fakes.disk.AddFile(G + "\\Data\\a.ini", "game's a");
        fakes.disk.AddFile("D:\\Mod\\a.ini", "mod's a");
        fakes.disk.AddFile("D:\\Mod\\Art.Pack\\t.tga", "mod's t");
        fakes.disk.AddFile("D:\\Mod\\Art\\b.tga", "mod's b");
        fakes.disk.AddFile(G + "\\Data\\Art\\a.tga", "game's a");
        fakes.disk.AddFile(G + "\\Data\\Art.original\\old.tga", "another tool's backup");
        run.state.AppendMod(ModOf({"D:\\Mod\\a.ini", G + "\\Data", "D:\\Mod\\Art.Pack\\t.tga", G + "\\New\\Sub"}));
        before = fakes.disk.Tree(G);
    }
    const Lines& Log() const { return run.window.lines; }
    // Nothing of the game folder changed, no game ran, and the launch is
    // over: Close can be pressed, unless the window went.
    void ExpectNothingDone() {
        EXPECT_EQ(fakes.disk.Tree(G), before);
        EXPECT_TRUE(fakes.processes.started.empty());
        EXPECT_TRUE(run.window.bCloseEnabled || run.window.bUnloaded);
        EXPECT_EQ(run.window.lEnded, 1);
    }

    FakePlatform fakes;
    ProgramRun run{fakes};
    Tree before;
};

}  // namespace corvane::test
