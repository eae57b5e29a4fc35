// The fingerprint as two players take it with Corvane.exe: -FINGERPRINT of
// the seeded Zero Hour with its mod shows, from real files, the code pinned
// for the same tree in memory; saved, one file inside the mod's archive
// changed, taken again and compared with the saved one, one line names the
// archive and the file inside it.
#include "e2e/e2e_fixture.h"
#include "fingerprint/seeded_game.h"

namespace corvane::test {
namespace {

using FingerprintRun = CorvaneRunTest;

// An edit field of another process keeps its text to itself.
std::string EditText(HWND hEdit) {
    char szText[64] = {};
    SendMessageTimeoutA(hEdit, WM_GETTEXT, sizeof(szText), reinterpret_cast<LPARAM>(szText), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return szText;
}

TEST_F(FingerprintRun, TheSameCodeFromRealFilesAndTheCompareNamesTheFileInsideTheArchive) {
    InstallGenerals();
    InstallZeroHour();
    for (const TempFolder* folder : {&game, &zeroHour})  // the stand-in's loose files: the seeded tree has none
        for (const char* szFile : {"Data\\INI\\GameData.ini", "Data\\INI\\Weapon.ini", "Data\\English\\generals.csf"})
            DeleteFileA((*folder / szFile).c_str());
    const SeededRoots roots{zeroHour.Path(), game.Path(), mods.Path()};
    SeedGame(roots, [](const std::string& szPath, const std::string& szBytes) { WriteBytes(szPath, szBytes); });
    WriteBytes(program / "Plasma.zcf", ZcfText(PlasmaEntries(roots)));
    const std::string szSaved = work / "Mine.fingerprint";

    const auto take = [&](const std::function<void(HWND hWindow, HWND hLines)>& then) {
        CorvaneProcess corvane(program.Path(), "-FINGERPRINT ZeroHour Plasma", work.Path());
        const HWND hWindow = corvane.WaitForWindow("Fingerprint");
        ASSERT_TRUE(hWindow) << corvane.Said();
        const HWND hCode = ChildOfClass(hWindow, "Edit");
        ASSERT_TRUE(PumpUntil([&] { return !EditText(hCode).empty(); }, 30000)) << corvane.Said();
        then(hWindow, ChildOfClass(hWindow, "ListBox"));
        PressKey(VK_ESCAPE, hCode);
        EXPECT_TRUE(corvane.WaitForExit(5000)) << "Escape closes the window, and the program ends with it";
    };
    take([&](HWND hWindow, HWND hLines) {
        EXPECT_EQ(EditText(ChildOfClass(hWindow, "Edit")), kSeededCode);
        ClickButton(ChildWithText(hWindow, "Button", "&Save..."));
        AnswerFileDialog(szSaved, ProcessOf(hWindow));
        EXPECT_EQ(WaitForLastLine(hLines, "Saved: " + szSaved, 10000).back(), "Saved: " + szSaved);
    });
    WriteBytes(mods / "Plasma.big", PlasmaBig("Weapon Laser"));
    take([&](HWND hWindow, HWND hLines) {
        EXPECT_NE(EditText(ChildOfClass(hWindow, "Edit")), kSeededCode);
        ClickButton(ChildWithText(hWindow, "Button", "C&ompare..."));
        AnswerFileDialog(szSaved, ProcessOf(hWindow));
        EXPECT_TRUE(PumpUntil([&] { return ListLines(hLines).size() == 2; }));
        EXPECT_EQ(ListLines(hLines), (Lines{"Compared with " + szSaved + ":", "Differs: plasma.big|data\\ini\\weapon.ini"}));
    });
}

}  // namespace
}  // namespace corvane::test
