// The line each swap entry shows in the editor, and what OK does with the
// titles and configuration files.
#include <gtest/gtest.h>

#include <tuple>

#include "editor/editor_rules.h"

namespace corvane {
namespace {

TEST(EditorRules, DisplayLineIsWhereTheSourceLiesAfterTheSwap) {
    const std::string sz80(80, 'x');
    const struct {
        std::string szSrc, szDst, szLine;
    } cases[] = {
        {"D:\\Mods\\Tanks\\Data\\INI", "C:\\Games\\Generals", "C:\\Games\\Generals\\INI"},
        {"C:\\", "C:\\Games", "C:\\Games\\"},                  // a drive root added as a folder
        {"C:\\\\Weapon.ini", "D:\\", "D:\\\\Weapon.ini"},      // a file from a root, into a root
        {"Weapon.ini", "C:\\Games", "C:\\Games\\Weapon.ini"},  // no backslash: one is put in
        {"D:\\ab.ini", "C:\\" + sz80, "C:\\" + sz80 + "\\ab.ini"},     // 90 characters: whole
        {"D:\\abc.ini", "C:\\" + sz80, "...:\\" + sz80 + "\\abc.ini"},  // 91: "..." and the last 90
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayLine(c.szSrc, c.szDst), c.szLine) << c.szSrc;
}

// The window tests play an edit that keeps the title (of My.Mod.zcf), the
// answers Yes, No and Cancel to a changed title, a change of letter case
// only and a title that cannot name a file; the rest of the rule is here.
TEST(EditorRules, OkAsksOnlyAboutARenameAndNeverDeletesTheFileItSaved) {
    const std::string A = "C:\\Corvane";
    const struct {
        const char *szTitle, *szOldTitle, *szOldFile;
        bool bMissing, bAsk, bCanSave;
        const char *szSaveName, *szDeleteOnNo;
    } cases[] = {
        {"   ", "", "", true, false, false, "", ""},  // spaces only count as missing; nothing else is planned
        {" Tanks ", "", "", false, false, true, " Tanks ", ""},  // an add never asks; blanks are kept
        {"Tanks", "   ", "", false, false, true, "Tanks", ""},  // no old title: an add
        {"Tanks", "Tanks", "C:\\Corvane\\Tanks.zcf", false, false, true, "Tanks", ""},
        {"Mine", "My", "C:\\Corvane\\My.Mod.zcf", false, true, true, "Mine", "C:\\Corvane\\My.Mod.zcf"},
        {"\xc9lan", "\xe9lan", "C:\\Corvane\\\xe9lan.zcf", false, true, true, "\xc9lan", ""},  // maybe the same
        {"Tanks", "Tanks ", "C:\\Corvane\\Tanks .zcf", false, true, true, "Tanks", "C:\\Corvane\\Tanks .zcf"},
        {"..\\Tanks", "", "", false, false, false, "..\\Tanks", ""},
        {"Nul.old", "", "", false, false, false, "Nul.old", ""},
        {"com1", "", "", false, false, false, "com1", ""},
        {"Console", "", "", false, false, true, "Console", ""},
    };
    for (const auto& c : cases) {
        const OkPlan p = PlanOk(A, c.szTitle, c.szOldTitle, c.szOldFile);
        EXPECT_EQ(std::tie(p.bTitleMissing, p.bAskKeepOldMod, p.bCanSave, p.szSaveName, p.szDeleteOnNo),
                  std::tuple(c.bMissing, c.bAsk, c.bCanSave, std::string(c.szSaveName), std::string(c.szDeleteOnNo)))
            << c.szTitle;
    }
}

}  // namespace
}  // namespace corvane
