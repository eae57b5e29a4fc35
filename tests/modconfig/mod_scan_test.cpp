#include "modconfig/mod_scan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "modconfig/memory_files.h"

namespace corvane {
namespace {

using test::MemoryFileSystem;

const std::string kApp = "C:\\Corvane";

std::vector<std::string> Titles(const ProgramState& state) {
    std::vector<std::string> lstTitles;
    for (int16_t i = 0; i < state.dModCount; ++i) lstTitles.push_back(state.ModList[i].szTitle);
    return lstTitles;
}

TEST(NameLess, FoldsAsciiLettersOnlyAndBreaksTiesByTheBytes) {
    std::vector<std::string> lstNames = {"b", "\xe4", "Z", "a", "_x", "B", "A", "ab", "\xc4", "Ab"};
    std::sort(lstNames.begin(), lstNames.end(), NameLess);
    EXPECT_EQ(lstNames, (std::vector<std::string>{"_x", "A", "a", "Ab", "ab", "B", "b", "Z", "\xc4", "\xe4"}));
}

TEST(ListFolder, TrimsSortsAndSaysNothingWithOneEmptyName) {
    MemoryFileSystem files;
    files.AddFolder(kApp);
    files.AddFile(kApp + "\\b.zcf", "");
    files.AddFile(kApp + "\\  A.ZCF", "");
    files.AddFolder(kApp + "\\Plain");
    files.AddFolder(kApp + "\\Old", kAttrArchive);
    EXPECT_EQ(ListFolder(files, kApp, "\\*.zcf", 0, false), (std::vector<std::string>{"A.ZCF", "b.zcf"}));
    EXPECT_EQ(ListFolder(files, kApp, "\\*.*", 16, false),
              (std::vector<std::string>{"A.ZCF", "b.zcf", "Old", "Plain"}));
    EXPECT_EQ(ListFolder(files, kApp, "\\*.*", 16, true), (std::vector<std::string>{"Plain"}));
    EXPECT_EQ(ListFolder(files, kApp, "\\*.big", 0, false), (std::vector<std::string>{""}));
    EXPECT_EQ(ListFolder(files, kApp + "\\Plain", "\\*.*", 16, false), (std::vector<std::string>{""}));
}

// Three mods: a configuration file, a small folder mod "A" and a folder
// mod "B" with one file in a sub-folder.
MemoryFileSystem ThreeMods() {
    MemoryFileSystem files;
    files.AddFolder(kApp);
    files.AddFile(kApp + "\\Cfg.zcf", "Location=\r\n");
    files.AddFolder(kApp + "\\A");
    files.AddFile(kApp + "\\A\\a.txt", "");
    files.AddFolder(kApp + "\\B");
    files.AddFolder(kApp + "\\B\\Data");
    files.AddFile(kApp + "\\B\\Data\\b.ini", "");
    return files;
}

TEST(ScanMods, StopsAtTheFirstFailureAndKeepsTheModsCompleted) {
    struct Case {
        std::string szFailOn;
        std::vector<std::string> lstTitles;
    } const kCases[] = {
        {"", {"Cfg", "A", "B"}},
        {kApp + "\\*.zcf", {}},
        {kApp + "\\*.*", {"Cfg"}},
        {kApp + "\\B\\Data\\*.*", {"Cfg", "A"}},
        {kApp + "\\B\\Data\\b.ini", {"Cfg", "A"}},
    };
    for (const Case& c : kCases) {
        MemoryFileSystem files = ThreeMods();
        files.szFailOn = c.szFailOn;
        ProgramState state;
        ModConfig udtOld;
        udtOld.szTitle = "left from before";
        state.AppendMod(udtOld);
        ScanMods(files, kApp, state);
        EXPECT_EQ(Titles(state), c.lstTitles) << c.szFailOn;
        EXPECT_FALSE(state.ModList.empty()) << c.szFailOn;
    }
}

TEST(ScanMods, AFolderModBeyondA16BitCountIsDropped) {
    MemoryFileSystem files = ThreeMods();
    files.AddFolder(kApp + "\\Huge");
    for (int i = 0; i < 32768; ++i) files.AddFile(kApp + "\\Huge\\f" + std::to_string(i), "");
    ProgramState state;
    ScanMods(files, kApp, state);
    EXPECT_EQ(Titles(state), (std::vector<std::string>{"Cfg", "A", "B"}));
}

}  // namespace
}  // namespace corvane
