// The mod editor opened from the main window, driven by a second thread as a
// player would drive it, with real files in scratch folders: what it does
// with a changed title. The rest of the editor is driven in the end-to-end
// run of it.
#include "app/main_window/main_window_fixture.h"

namespace corvane::test {
namespace {

struct TitleEdit {
    const char* szFile;      // the mod's file before the edit
    const char* szNewTitle;  // typed over the old one
    int lAnswer;             // to the question about the changed title, if it comes
    Lines files;             // the configuration files afterwards
    Lines listed;            // the mods listed afterwards

    friend void PrintTo(const TitleEdit& c, std::ostream* os) { *os << c.szNewTitle << " answered " << c.lAnswer; }
};

class TitleEdits : public MainWindowTest, public testing::WithParamInterface<TitleEdit> {};

TEST_P(TitleEdits, KeepRenameOrCancelAsAnsweredAndNeverLoseTheModOnAFailedSave) {
    const TitleEdit& c = GetParam();
    const std::string szOld = "Location=C:\\old.big\r\n[Folder]\r\nSource=C:\\src\r\nDestination=C:\\dst\r\n";
    WriteBytes(program / c.szFile, szOld);
    boxes.answers = {c.lAnswer};
    Open();
    std::jthread player = PlayModal([&] {
        const ModEditor ed{WaitForTopLevel("Edit Mod...")};
        ASSERT_TRUE(ed.h);
        TypeText(ed.Location(), "C:\\new.big");
        TypeText(ed.Title(), c.szNewTitle);
        WriteBytes(program / "Later.zcf", "Location=\r\n");  // listed only after a rescan
        PressButton(ed.Button("OK"));
        EXPECT_EQ(IsWindow(ed.h) != FALSE, c.lAnswer == kAnswerCancel) << "only Cancel goes back to the editor";
    });
    ClickListEntry(Mods(), 0, true);
    player.join();
    const bool bAsked = std::string(c.szNewTitle) != "My";
    const decltype(boxes.shown) question = {{"You have changed the Mod title...\rDo you want to add this as a new mod in the list ?",
                                             kMsgYesNoCancel | kMsgQuestion}};
    EXPECT_EQ(boxes.shown, bAsked ? question : decltype(boxes.shown){});
    Lines files;
    for (const auto& [szName, szContent] : SnapshotTree(program.Path())) files.push_back(szName);
    EXPECT_EQ(files, c.files);
    EXPECT_EQ(ListLines(Mods()), c.listed);
    const bool bSaved = c.lAnswer != kAnswerCancel && std::string(c.szNewTitle) != "a?b";
    const std::string szNew = std::string(bAsked ? c.szNewTitle : "My.Mod") + ".zcf";
    EXPECT_EQ(ReadBytes(program / (bSaved ? szNew : c.szFile)), bSaved ? "Location=C:\\new.big\r\n" + szOld.substr(21) : szOld);
}

INSTANTIATE_TEST_SUITE_P(Editor, TitleEdits, testing::Values(
    TitleEdit{"Classic.zcf", "Classic2", kAnswerYes, {"Classic.zcf", "Classic2.zcf", "Later.zcf"}, {"Classic", "Classic2", "Later"}},
    TitleEdit{"Classic.zcf", "Classic2", kAnswerNo, {"Classic2.zcf", "Later.zcf"}, {"Classic2", "Later"}},
    TitleEdit{"Classic.zcf", "Classic2", kAnswerCancel, {"Classic.zcf", "Later.zcf"}, {"Classic"}},
    TitleEdit{"Classic.zcf", "classic", kAnswerNo, {"Later.zcf", "classic.zcf"}, {"classic", "Later"}},  // the same file
    TitleEdit{"My.Mod.zcf", "My", kAnswerOk, {"Later.zcf", "My.Mod.zcf"}, {"Later", "My"}},  // the file it came from
    TitleEdit{"Classic.zcf", "a?b", kAnswerNo, {"Classic.zcf", "Later.zcf"}, {"Classic"}}));  // no file, no rescan

}  // namespace
}  // namespace corvane::test
