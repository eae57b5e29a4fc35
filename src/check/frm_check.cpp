#include "check/frm_check.h"

#include <algorithm>
#include <exception>
#include <set>
#include <utility>

#include "check/folder/check_lines.h"
#include "launch/progress/launch_log.h"
#include "check/set_aside.h"
#include "launch/checks/stray_archives.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

constexpr DWORD kCheckStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // a close box, nothing to resize
constexpr int kClientWidthTwips = 8700;
constexpr int kClientHeightTwips = 5505;

// What Set Aside and Put Back did, for the list and for Corvane.log.
class DoneLines : public LaunchLog {
public:
    explicit DoneLines(ProblemLog& problems) : problems(problems) {}
    void Line(const std::string& szMsg) override {
        szLines.push_back(szMsg);
        problems.Note(szMsg);
    }
    void Progress(uint64_t, uint64_t) override {}
    std::vector<std::string> szLines;

private:
    ProblemLog& problems;
};

}  // namespace

frmCheck::frmCheck(const ProgramState& state, const Platform& platform, std::string szAppPath)
    : state(state), platform(platform), szAppPath(std::move(szAppPath)) {}

frmCheck::~frmCheck() { Unload(); }

void frmCheck::Show(int16_t dRow) {
    Load(dRow);
    if (IsLoaded()) ShowWindow(Handle(), SW_SHOW);
}

void frmCheck::Show(int16_t dRow, ui::Window& over) {
    Load(dRow);
    ShowModal(over);
}

void frmCheck::Load(int16_t dRow) {
    if (!IsLoaded())
        CreateForm({"CorvaneCheck", "Check Game Folder", kCheckStyle, WS_EX_DLGMODALFRAME, kClientWidthTwips,
                    kClientHeightTwips});
    if (!IsLoaded()) return;
    dGame = dRow;
    CheckAgain({});
}

void frmCheck::CreateControls() {
    lblFolder.Create(*this, "");
    lstFindings.Create(*this, true, true);  // paths are often wider than the list
    btnSetAside.Create(*this, "Set &Aside");
    btnSetAside.onClick = [this] { btnSetAside_Click(); };
    btnPutBack.Create(*this, "&Put Back");
    btnPutBack.onClick = [this] { btnPutBack_Click(); };
    lblAnswers.Create(*this, "Remembered ans&wers about stray archives:");
    lstAnswers.Create(*this, true, true);
    btnForget.Create(*this, "&Forget Answer");
    btnForget.onClick = [this] { btnForget_Click(); };
    btnClose.Create(*this, "&Close");
    btnClose.onClick = [this] { Unload(); };
}

void frmCheck::LayoutControls() {
    PlaceControls({
        {&lblFolder, {120, 60, 8460, 255}},
        {&lstFindings, {60, 360, 8580, 3270}},
        {&lblAnswers, {120, 3720, 8460, 255}},
        {&lstAnswers, {60, 4020, 8580, 915}},
        {&btnSetAside, {60, 5040, 1455, 375}},
        {&btnPutBack, {1620, 5040, 1455, 375}},
        {&btnForget, {3180, 5040, 1455, 375}},
        {&btnClose, {7425, 5040, 1215, 375}},
    });
    lstFindings.FitWidthToLines();
    lstAnswers.FitWidthToLines();
}

// A folder of 20,000 files takes a moment under Wine: the wait cursor says so.
void frmCheck::CheckAgain(const std::vector<std::string>& szDone) {
    const HCURSOR hBefore = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    std::vector<std::string> szLines = szDone;
    if (!szLines.empty()) szLines.push_back("");
    std::string szWhere;
    try {
        folders = FoldersOf(state.GameTable, dGame, platform.files);
        for (const CheckedFolder& folder : folders)
            szWhere += (szWhere.empty() ? "Game folder: " : "; the Generals folder it loads: ") + folder.szPath;
        std::set<std::string> szLeftAlone = ItemsOfUnfinishedLaunch(platform.journal);
        szLeftAlone.merge(SourcesOf(state.ModList, platform.files));  // the mods' own
        check = CheckGameFolders(folders, platform.files, szLeftAlone);
        AddProgram(check, state.GameTable.at(static_cast<size_t>(dGame)).szExe, platform.files);
        for (const std::string& szLine : FindingLines(check)) szLines.push_back(szLine);
    } catch (const std::exception& e) {
        check = {};
        platform.problems.Note(std::string("The game folder could not be checked: ") + e.what());
        szLines.push_back(std::string("ERROR: The game folder could not be checked: ") + e.what());
    }
    lblFolder.SetText(szWhere);
    lstFindings.Clear();
    lstFindings.AddItems(szLines);
    lstFindings.SetTopIndex(0);
    btnSetAside.SetEnabled(!ToSetAside(check).empty());
    btnPutBack.SetEnabled(!ToPutBack(check).empty());
    ListAnswers();
    SetCursor(hBefore);
}

void frmCheck::ListAnswers() {
    shownAnswers.clear();
    std::vector<std::string> szLines;
    const StrayAnswers answers(platform.files, platform.problems, szAppPath);
    for (const StrayAnswer& answer : answers.All()) {
        const bool bHere = std::any_of(folders.begin(), folders.end(), [&](const CheckedFolder& folder) {
            return LowerAscii(folder.szPath) == LowerAscii(answer.szFolder);
        });
        if (!bHere) continue;
        shownAnswers.push_back(answer);
        szLines.push_back(AnswerLine(answer));
    }
    lstAnswers.Clear();
    lstAnswers.AddItems(szLines);
    lstAnswers.SetListIndex(0);
    btnForget.SetEnabled(!szLines.empty());
}

// The next launch of a mod asks about the archive again.
void frmCheck::btnForget_Click() {
    const int lRow = lstAnswers.ListIndex();
    if (lRow < 0 || static_cast<size_t>(lRow) >= shownAnswers.size()) return;
    const StrayAnswer& forgotten = shownAnswers[static_cast<size_t>(lRow)];
    std::vector<std::string> szDone;
    try {
        StrayAnswers answers(platform.files, platform.problems, szAppPath);
        const std::vector<StrayAnswer>& all = answers.All();
        for (size_t i = 0; i < all.size(); ++i) {
            if (AnswerLine(all[i]) != AnswerLine(forgotten)) continue;
            answers.Forget(i);
            break;
        }
        szDone.push_back("Forgotten: " + AnswerLine(forgotten));
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("The answer could not be forgotten: ") + e.what());
        szDone.push_back(std::string("ERROR: The answer could not be forgotten: ") + e.what());
    }
    CheckAgain(szDone);
}

void frmCheck::btnSetAside_Click() { MoveItems(false); }

void frmCheck::btnPutBack_Click() { MoveItems(true); }

// Refused, with nothing touched, while a launch may be writing the journal
// or the game folder.
void frmCheck::MoveItems(bool bBack) {
    DoneLines done(platform.problems);
    AsideOutcome outcome = AsideOutcome::kDone;
    try {
        std::vector<std::string> szFolders;
        for (const CheckedFolder& folder : folders) szFolders.push_back(folder.szPath);
        AsideServices services{platform.files, platform.journal, platform.locks, platform.problems};
        outcome = MoveAsideAlone(services, szAppPath, szFolders,
                                 AsideMoves(bBack ? ToPutBack(check) : ToSetAside(check), bBack), done);
    } catch (const std::exception& e) {
        done.Line(std::string("ERROR: ") + (bBack ? "Put Back" : "Set Aside") + " could not begin: " + e.what());
    }
    if (outcome == AsideOutcome::kLaunchRuns)
        platform.messageBoxes.Show("Another Corvane launch is still running. Close it first.", kMsgOkOnly);
    if (outcome == AsideOutcome::kUnfinishedLaunch)
        platform.messageBoxes.Show("Corvane has not yet put everything of an earlier launch back; it tries again at "
                                   "its next start. Until then this game folder stays as it is.",
                                   kMsgOkOnly);
    CheckAgain(done.szLines);
}

}  // namespace corvane
