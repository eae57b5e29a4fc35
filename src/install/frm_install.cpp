#include "install/frm_install.h"

#include <exception>
#include <utility>

#include "platform/win_code_page.h"

namespace corvane {

namespace {

constexpr int kClientWidth = 6600;
constexpr int kClientHeight = 5040;
constexpr UINT kMsgWorkDone = WM_APP + 1;
constexpr UINT_PTR kTmrProgressId = 1;
constexpr UINT kTmrProgressMs = 100;

std::string FileNameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of("\\/") + 1); }

// The download's name without its extension: "Contra 009 Final" for
// "Contra 009 Final.rar".
std::string StemOf(const std::string& szPath) {
    const std::string szName = FileNameOf(szPath);
    const size_t lDot = szName.find_last_of('.');
    return lDot == 0 || lDot == std::string::npos ? szName : szName.substr(0, lDot);
}

}  // namespace

frmInstall::frmInstall(const Platform& platform, std::string szAppPath)
    : platform(platform),
      szAppPath(std::move(szAppPath)),
      job(platform, this->szAppPath, "CP" + std::to_string(OemCodePage())),
      runner([this] { PostMessageA(Handle(), kMsgWorkDone, 0, 0); }) {}

frmInstall::~frmInstall() { Unload(); }

void frmInstall::Open(const std::string& szArchivePath, ui::Window* over) {
    if (IsLoaded()) return;
    szArchive = szArchivePath;
    szInstalled.clear();
    CreateForm({"CorvaneInstall", "Install Mod", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                kClientWidth, kClientHeight});
    if (!IsLoaded()) return;
    lblArchive.SetText("Archive: " + FileNameOf(szArchive));
    txtTitle.SetText(StemOf(szArchive));
    lstFiles.AddItem("Reading the archive...");
    btnInstall.SetEnabled(false);
    cboRoot.SetEnabled(false);
    job.Open(szArchive);
    Work([this] { job.Survey(); }, [this] { SurveyDone(); });
    if (over) return ShowModal(*over);
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(txtTitle.Handle());
}

void frmInstall::CreateControls() {
    // In tab order; each label comes just before the control it names, so
    // that screen readers name the control by it.
    lblArchive.Create(*this, "");
    lblTitle.Create(*this, "&Title:");
    txtTitle.Create(*this);
    lblRoot.Create(*this, "Mod's &folder:");
    cboRoot.Create(*this);
    cboRoot.onChange = [this] { cboRoot_Change(); };
    lblList.Create(*this, "What will be installed, and notes:");
    lstFiles.Create(*this, true, true);
    prgProgress.Create(*this);
    btnInstall.Create(*this, "&Install", true);
    btnInstall.onClick = [this] { btnInstall_Click(); };
    btnCancel.Create(*this, "Cancel");
    btnCancel.onClick = [this] { btnCancel_Click(); };
}

void frmInstall::LayoutControls() {
    PlaceControls({
        {&lblArchive, {120, 120, 6360, 255}},
        {&lblTitle, {120, 525, 1200, 255}},
        {&txtTitle, {1380, 465, 5100, 375}},
        {&lblRoot, {120, 990, 1200, 255}},
        // A combo box is given the height of its field and its drop-down list.
        {&cboRoot, {1380, 930, 5100, 315 * 8}},
        {&lblList, {120, 1410, 6360, 255}},
        {&lstFiles, {120, 1680, 6360, 2640}},
        {&prgProgress, {120, 4560, 3540, 315}},
        {&btnInstall, {3840, 4530, 1215, 375}},
        {&btnCancel, {5265, 4530, 1215, 375}},
    });
    lstFiles.FitWidthToLines();
}

LRESULT frmInstall::HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) {
    switch (lMsg) {
    case WM_CLOSE:
        btnCancel_Click();
        return 0;
    case WM_COMMAND:
        // Enter in the title box installs, Escape cancels, as in a dialog.
        if (LOWORD(wParam) == IDOK && lParam == 0 && btnInstall.Enabled()) {
            btnInstall_Click();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
            btnCancel_Click();
            return 0;
        }
        break;
    case kMsgWorkDone:
        runner.WorkDone();
        return 0;
    case WM_DESTROY:
        // Closed from outside (the program ends): the work stops and takes
        // what it wrote along, so that the wait for it is short; the hash
        // is left unread.
        job.Abandon();
        break;
    default:
        break;
    }
    return DefaultHandling(lMsg, wParam, lParam);
}

void frmInstall::OnTimer(UINT_PTR lTimerId) {
    if (lTimerId == kTmrProgressId) ShowProgress();
}

void frmInstall::ShowProgress() { prgProgress.SetProgress(job.Progress().lDone, job.Progress().lTotal); }

void frmInstall::Work(std::function<void()> work, std::function<void()> then) {
    job.Reset();
    SetTimerEnabled(kTmrProgressId, true, kTmrProgressMs);
    runner.Run(std::move(work), [this, then = std::move(then)] {
        SetTimerEnabled(kTmrProgressId, false, 0);
        ShowProgress();
        then();
    });
}

void frmInstall::SurveyDone() {
    if (job.Cancelled() || !job.Problem().empty()) return Finish(job.Problem());
    cboRoot.Clear();
    for (const std::string& szFolder : job.Surveyed().root.szFolders) cboRoot.AddItem(RootCaption(szFolder));
    cboRoot.SetListIndex(0);
    prgProgress.SetProgress(0, 0);
    cboRoot_Change();
}

// The list follows the folder picked: the notes, then its files as they
// will lie in the mod's folder, made off the window's thread.
void frmInstall::cboRoot_Change() {
    const int i = cboRoot.ListIndex();
    if (i < 0 || static_cast<size_t>(i) >= job.Surveyed().root.szFolders.size()) return;
    btnInstall.SetEnabled(false);
    cboRoot.SetEnabled(false);
    Work([this, i] { job.ListRoot(static_cast<size_t>(i)); },
         [this] {
             if (job.Stopped()) return Unload();
             lstFiles.Clear();
             lstFiles.AddItems(job.Lines());
             cboRoot.SetEnabled(job.Surveyed().root.bPick);
             btnInstall.SetEnabled(true);
         });
}

// A title that cannot be the mod's is said, and the window stays for another.
void frmInstall::btnInstall_Click() {
    const std::string szTitle = txtTitle.Text();
    if (const std::string szWhy = job.TitleProblem(szTitle); !szWhy.empty()) {
        platform.messageBoxes.Show(szWhy, kMsgOkOnly | kMsgExclamation);
        SetFocus(txtTitle.Handle());
        return;
    }
    const size_t lRoot = static_cast<size_t>(std::max(cboRoot.ListIndex(), 0));
    btnInstall.SetEnabled(false);
    txtTitle.SetEnabled(false);
    cboRoot.SetEnabled(false);
    SetFocus(btnCancel.Handle());
    Work([this, szTitle, lRoot] { job.Install(lRoot, szTitle); },
         [this, szTitle] {
             if (job.Cancelled() || !job.Problem().empty()) return Finish(job.Problem());
             szInstalled = szTitle;
             Unload();
         });
}

// While the archive is read or unpacked, the work stops at its next block
// and takes away what it wrote; the window goes when it has.
void frmInstall::btnCancel_Click() {
    if (!runner.Running()) return Unload();
    job.Stop();
    btnCancel.SetEnabled(false);
}

void frmInstall::Finish(const std::string& szWhy) {
    if (!szWhy.empty()) platform.messageBoxes.Show(szWhy, kMsgOkOnly | kMsgCritical);
    Unload();
}

}  // namespace corvane
