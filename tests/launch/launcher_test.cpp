// The launch's logic against an in-memory game folder, for what real files
// and processes cannot be made to do on demand: existence tests that fail,
// a game that cannot be asked whether it runs, a mod list rebuilt mid-game.
#include "launch/launcher.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include "platform/platform_error.h"

namespace corvane {
namespace {

// Paths map to "file" or "folder"; children are found by their prefix.
struct Tree {
    std::map<std::string, std::string> items;
    std::set<std::string> failingExists;
    std::set<std::string> readOnly;

    bool Has(const std::string& szPath) const {
        if (failingExists.count(szPath)) throw PlatformError("exists", szPath, 5);
        return items.count(szPath) > 0;
    }
    static bool Within(const std::string& szItem, const std::string& szRoot) {
        return szItem == szRoot || szItem.rfind(szRoot + "\\", 0) == 0;
    }
    // Copies szFrom and everything below it to szTo.
    void Copy(const std::string& szFrom, const std::string& szTo) {
        std::map<std::string, std::string> copies;
        for (const auto& [szItem, szKind] : items)
            if (Within(szItem, szFrom)) copies[szTo + szItem.substr(szFrom.size())] = szKind;
        items.insert(copies.begin(), copies.end());
    }
    void Erase(const std::string& szPath) {
        std::erase_if(items, [&](const auto& item) { return Within(item.first, szPath); });
    }
};

class FakeFiles : public FileSystem {
public:
    explicit FakeFiles(Tree& tree) : tree(tree) {}
    std::vector<std::string> Dir(const std::string&, uint32_t) override { return {}; }
    uint32_t GetAttr(const std::string&) override { return 0; }
    bool Exists(const std::string& szPath) override { return tree.Has(szPath); }
    bool FileExists(const std::string& szPath) override {
        return tree.Has(szPath) && tree.items.at(szPath) == "file";
    }
    void ClearAttributes(const std::string& szPath) override { tree.readOnly.erase(szPath); }
    void Rename(const std::string& szOld, const std::string& szNew) override {
        if (!tree.items.count(szOld) || tree.items.count(szNew)) throw PlatformError("rename", szOld, 183);
        tree.Copy(szOld, szNew);
        tree.Erase(szOld);
    }
    void CreateFolder(const std::string& szPath) override { tree.items[szPath] = "folder"; }
    void Kill(const std::string& szPath) override { tree.items.erase(szPath); }
    std::unique_ptr<InputFile> OpenInput(const std::string& szPath) override {
        throw PlatformError("open", szPath, 2);
    }
    void WriteFile(const std::string& szPath, const std::string&) override { tree.items[szPath] = "file"; }

private:
    Tree& tree;
};

class FakeFso : public FileSystemObject {
public:
    explicit FakeFso(Tree& tree) : tree(tree) {}
    void CopyFile(const std::string& szSource, const std::string& szDestination) override {
        if (tree.items.count(szDestination)) throw PlatformError("CopyFile", szDestination, 80);
        tree.Copy(szSource, szDestination);
    }
    void CopyFolder(const std::string& szSource, const std::string& szDestination) override {
        tree.Copy(szSource, szDestination);
    }
    void DeleteFile(const std::string& szPath) override {
        if (tree.readOnly.count(szPath)) throw PlatformError("DeleteFile", szPath, 5);
        tree.items.erase(szPath);
    }
    void DeleteFolder(const std::string& szPath) override { tree.Erase(szPath); }

private:
    Tree& tree;
};

// Each Poll takes the next answer; an empty queue means the game ended.
class FakeGame : public GameProcess {
public:
    explicit FakeGame(std::deque<ProcessState>& answers) : answers(answers) {}
    ProcessState Poll() override {
        if (answers.empty()) throw PlatformError("GetExitCodeProcess", "", 6);
        ProcessState state = answers.front();
        answers.pop_front();
        return state;
    }

private:
    std::deque<ProcessState>& answers;
};

class FakeStarter : public ProcessStarter {
public:
    std::vector<std::string> szStarted;
    std::deque<ProcessState> answers;
    bool bFail = false;
    std::unique_ptr<GameProcess> Start(const std::string& szCommandLine) override {
        szStarted.push_back(szCommandLine);
        if (bFail) throw PlatformError("CreateProcessA", szCommandLine, 2);
        return std::make_unique<FakeGame>(answers);
    }
};

struct FakeBoxes : MessageBoxes {
    std::vector<std::pair<std::string, uint32_t>> shown;
    int Show(const std::string& szPrompt, uint32_t lStyle) override {
        shown.emplace_back(szPrompt, lStyle);
        return kAnswerOk;
    }
};

struct NoSound : SoundPlayer {
    void Play(const std::string&) override {}
};
struct NoBrowser : Browser {
    void Open(const std::string&) override {}
};

// Log lines as written; everything else the launch does to its window in <>.
struct TraceView : LaunchView {
    std::vector<std::string> trace;
    void DisplayMsg(const std::string& szMsg) override { trace.push_back(szMsg); }
    void SetCloseEnabled(bool b) override { trace.push_back(b ? "<close on>" : "<close off>"); }
    void ShowLaunchWindow() override { trace.push_back("<show>"); }
    void SetWatchTimerEnabled(bool b) override { trace.push_back(b ? "<timer on>" : "<timer off>"); }
    void UnloadLaunchWindow() override { trace.push_back("<unload>"); }
    void LaunchEnded() override { trace.push_back("<ended>"); }
};

using Lines = std::vector<std::string>;

class LauncherTest : public ::testing::Test {
protected:
    LauncherTest() {
        state.GameTable[kZeroHour].szInstallPath = "C:\\ZH\\";
        state.GameTable[kGenerals].szInstallPath = "C:\\Gen\\";
        tree.items = {{"C:\\ZH", "folder"},          {"C:\\ZH\\Data", "folder"},
                      {"C:\\ZH\\Data\\a.ini", "file"}, {"M:\\Mod", "folder"},
                      {"M:\\Mod\\a.ini", "file"},      {"M:\\Mod\\Art", "folder"},
                      {"M:\\Mod\\Art\\t.tga", "file"}};
        ModConfig mod;
        mod.szModFile = "Mod.big";
        mod.AddEntry("M:\\Mod\\a.ini", "C:\\ZH\\Data");
        mod.AddEntry("M:\\Mod\\Art", "C:\\ZH\\New\\Sub");
        state.AppendMod(mod);
        original = tree.items;
    }
    // Everything after the launch's own lines so far.
    Lines TraceFrom(size_t lFirst) const { return Lines(view.trace.begin() + lFirst, view.trace.end()); }

    Tree tree;
    FakeFiles files{tree};
    FakeFso fso{tree};
    FakeStarter starter;
    FakeBoxes boxes;
    NoSound sounds;
    NoBrowser browser;
    TraceView view;
    ProgramState state;
    Launcher launcher{state, Platform{files, fso, starter, boxes, sounds, browser}, view};
    std::map<std::string, std::string> original;
};

const Lines kLaunchTrace = {
    "<close off>", "<show>", "This is what is happening...",
    "Checking for existance of all source folders and files in configuration.",
    "Checking...M:\\Mod\\a.ini", "Checking...M:\\Mod\\Art", "",
    "Swap MOD files and folders with originals.", "C:\\ZH\\Data\\a.ini.original", "C:\\ZH\\Data\\a.ini",
    "C:\\ZH\\New\\Sub\\Art", "", "Launching...", "C:\\ZH\\Generals.exe -win -mod Mod.big"};

const Lines kRestoreTrace = {
    "", "Cleanup, restoring original files and folders.", "Deleting swapped folder:", "C:\\ZH\\New\\Sub",
    "Deleting swapped folder:", "C:\\ZH\\New", "Deleting swapped file:", "C:\\ZH\\Data\\a.ini",
    "Restoring original folder:", "C:\\ZH\\Data\\a.ini", "END", "<close on>", "<ended>"};

Lines Join(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(LauncherTest, WatchedGameIsRestoredFromTheModAsSwappedIn) {
    starter.answers = {{false, kStillActive}, {false, kStillActive}, {true, 0}};
    launcher.LaunchApplication(kZeroHour, " -win", 0);
    EXPECT_EQ(view.trace, Join(kLaunchTrace, {"<timer on>"}));
    EXPECT_EQ(tree.items.at("C:\\ZH\\New\\Sub\\Art\\t.tga"), "file");
    EXPECT_TRUE(launcher.IsWatching());

    // A rescan while the game runs must not redirect the restore.
    state.ClearMods();
    launcher.LaunchApplication(kZeroHour, "", 0);  // ignored while watching
    launcher.tmrRestore_Timer();
    launcher.tmrRestore_Timer();
    EXPECT_EQ(view.trace.size(), kLaunchTrace.size() + 1);
    launcher.tmrRestore_Timer();

    EXPECT_EQ(TraceFrom(kLaunchTrace.size() + 1), Join({"<timer off>"}, kRestoreTrace));
    EXPECT_EQ(tree.items, original);
    EXPECT_EQ(starter.szStarted.size(), 1u);
    EXPECT_FALSE(launcher.IsWatching());
}

TEST_F(LauncherTest, GameThatCannotBeAskedOrEndsWith259CountsAsEnded) {
    for (const std::deque<ProcessState>& answers : {std::deque<ProcessState>{},
                                                    std::deque<ProcessState>{{true, kStillActive}}}) {
        starter.answers = answers;
        launcher.LaunchApplication(kZeroHour, " -win", -1);
        launcher.tmrRestore_Timer();
        EXPECT_FALSE(launcher.IsWatching());
        EXPECT_EQ(Lines(view.trace.end() - 6, view.trace.end()),
                  (Lines{"<timer on>", "<timer off>", "", "END", "<close on>", "<ended>"}));
    }
}

TEST_F(LauncherTest, GameThatWillNotStartIsRestoredAtOnce) {
    starter.bFail = true;
    launcher.LaunchApplication(kZeroHour, " -win", 0);
    EXPECT_EQ(view.trace, Join(Join(kLaunchTrace, {"ERROR:During launch, cannot create process!"}),
                               kRestoreTrace));
    EXPECT_EQ(tree.items, original);
    EXPECT_FALSE(launcher.IsWatching());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LauncherTest, FailingExistenceTestInTheSwapEndsInTheErrorHandling) {
    tree.failingExists = {"C:\\ZH\\New"};
    launcher.LaunchApplication(kZeroHour, " -win", 0);
    const Lines expected = {"C:\\ZH\\Data\\a.ini.original", "C:\\ZH\\Data\\a.ini", "<close on>", "<ended>"};
    EXPECT_EQ(Lines(view.trace.end() - 4, view.trace.end()), expected);
    EXPECT_EQ(boxes.shown, (std::vector<std::pair<std::string, uint32_t>>{
                               {"An error occurred whilst trying to launch the game!", kMsgOkOnly}}));
    EXPECT_TRUE(starter.szStarted.empty());
    EXPECT_EQ(tree.items.count("C:\\ZH\\Data\\a.ini.original"), 1u);  // the swap so far stays
}

TEST_F(LauncherTest, FailingStepsOfTheRestoreArePassedOver) {
    starter.answers = {{true, 0}};
    launcher.LaunchApplication(kZeroHour, " -win", 0);
    tree.failingExists = {"C:\\ZH\\New\\Sub"};
    tree.readOnly = {"C:\\ZH\\Data\\a.ini"};
    launcher.tmrRestore_Timer();
    EXPECT_EQ(TraceFrom(kLaunchTrace.size() + 2),
              (Lines{"", "Cleanup, restoring original files and folders.", "Deleting swapped folder:",
                     "C:\\ZH\\New", "Deleting swapped file:", "C:\\ZH\\Data\\a.ini",
                     "Restoring original folder:", "C:\\ZH\\Data\\a.ini", "END", "<close on>", "<ended>"}));
    EXPECT_EQ(tree.items.count("C:\\ZH\\New"), 0u);
    EXPECT_EQ(tree.items.count("C:\\ZH\\Data\\a.ini.original"), 1u);  // the copy was in the way
}

TEST_F(LauncherTest, RowsAndModsOutOfRangeEndInTheErrorHandling) {
    const struct {
        int16_t dGame;
        int16_t dMod;
        Lines trace;
    } cases[] = {
        {4, -1, {"<close off>", "<close on>", "<ended>"}},
        {-1, -1, {"<close off>", "<close on>", "<ended>"}},
        {kZeroHour, 1, {"<close off>", "<show>", "This is what is happening...", "<close on>", "<ended>"}},
    };
    for (const auto& c : cases) {
        view.trace.clear();
        boxes.shown.clear();
        launcher.LaunchApplication(c.dGame, "", c.dMod);
        EXPECT_EQ(view.trace, c.trace) << c.dGame << " " << c.dMod;
        EXPECT_EQ(boxes.shown.size(), 1u);
    }
    EXPECT_TRUE(starter.szStarted.empty());
}

TEST_F(LauncherTest, GeneralsBelowPatch104IsRefusedByItsMinorNumberOnly) {
    state.GameTable[kGenerals].dVerMajor = 9;
    state.GameTable[kGenerals].dVerMinor = 3;
    launcher.LaunchApplication(kGenerals, "", -1);
    EXPECT_EQ(view.trace, (Lines{"<close off>", "<unload>", "<ended>"}));
    EXPECT_EQ(boxes.shown, (std::vector<std::pair<std::string, uint32_t>>{
                               {"You need patch 1.04 minimum in order to play mods with Generals",
                                kMsgOkOnly | kMsgCritical}}));

    launcher.LaunchApplication(kZeroHour, "", -1);  // other rows are never held back
    state.GameTable[kGenerals].dVerMajor = 0;
    state.GameTable[kGenerals].dVerMinor = 4;
    launcher.tmrRestore_Timer();
    launcher.LaunchApplication(kGenerals, "", -1);
    EXPECT_EQ(starter.szStarted, (Lines{"C:\\ZH\\Generals.exe", "C:\\Gen\\Generals.exe"}));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

}  // namespace
}  // namespace corvane
