// The main window under the keyboard, through the dialog manager as the
// message loop runs it: Tab order and access keys.
#include <vector>

#include "support/stand_in_report.h"
#include "ui/main/main_window_fixture.h"
#include "ui/message_loop.h"

namespace corvane::test {
namespace {

class MainWindowKeyboard : public MainWindowTest {
protected:
    void SetUp() override {
        Install({0});
        WriteBytes(program / "Classic.zcf", "Location=C:\\Mods\\classic.big\r\n");
        Open();
    }
    // The windows the focus visits, from the game list round to it again.
    std::vector<HWND> TabRound() {
        SetFocus(Games());
        std::vector<HWND> visited;
        for (int i = 0; i < 20; ++i) {
            PressKey(VK_TAB);
            visited.push_back(GetFocus());
            if (GetFocus() == Games()) break;
        }
        return visited;
    }
    std::vector<HWND> Boxes() const {
        std::vector<HWND> boxes;
        for (const char* szCaption : {"Skip Movie Intro.", "No Shell Anims.", "No Music", "No Audio",
                                      "Run In Window", "Debug"})
            boxes.push_back(Button(szCaption));
        return boxes;
    }
};

TEST_F(MainWindowKeyboard, TabVisitsTheControlsInTheirOrderSkippingDisabledOnes) {
    std::vector<HWND> expected = {Mods()};
    for (HWND hBox : Boxes()) expected.push_back(hBox);
    expected.insert(expected.end(), {Button("Start &Game"), Button("&Add..."), Link(), Games()});
    EXPECT_EQ(TabRound(), expected) << "Edit and Remove are disabled and skipped";

    ClickListEntry(Mods(), 0);
    expected = {Mods()};
    for (HWND hBox : Boxes()) expected.push_back(hBox);
    expected.insert(expected.end(), {Button("Start &Game"), Button("&Add..."), Button("&Edit..."),
                                     Button("&Remove..."), Link(), Games()});
    EXPECT_EQ(TabRound(), expected);
}

TEST_F(MainWindowKeyboard, AltGStartsTheGame) {
    SetFocus(Games());
    ClickButton(Button("No Music"));
    PostMessageA(GetFocus(), WM_SYSCHAR, 'g', static_cast<LPARAM>(1 | (1 << 29)));
    ui::PumpPendingMessages();
    EXPECT_EQ(WaitForStandInReport(szReport).szCommandLine, GameFile("Generals.exe") + " -nomusic");
    EXPECT_EQ(SoundsOf("biggun.wav"), 1);
    FinishGame();
}

}  // namespace
}  // namespace corvane::test
