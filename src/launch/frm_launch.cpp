#include "launch/frm_launch.h"

#include "launch/launch_timer.h"

namespace corvane {

namespace {

constexpr ui::TwipsRect kLstLaunch{0, 0, 8655, 3630};
constexpr ui::TwipsRect kPrgProgress{60, 3750, 7290, 315};
constexpr ui::TwipsRect kBtnClose{7440, 3720, 1215, 375};
constexpr int kClientWidth = 8700;
constexpr int kClientHeight = 4185;

// Lines from the launch's thread are shown at most ten times a second:
// often enough to follow, and each update of the log costs the copies some
// of the time Windows (and Wine's one server) would give them. A long log
// is shown less often, since Wine repaints a list box in a time that grows
// with its length: a tenth of a second more for every 10,000 lines.
ULONGLONG ShowEveryMs(int lLines) { return 100 + static_cast<ULONGLONG>(lLines) / 100; }

constexpr UINT kMsgLogWaiting = WM_APP + 1;
constexpr UINT kMsgWorkDone = WM_APP + 2;

// The log's own font: Arial 8.25 pt, normal weight, at the window's DPI.
LOGFONTA LogFontFor(UINT lDpi) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(825, static_cast<int>(lDpi), 7200);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    return lf;
}

}  // namespace

frmLaunch::frmLaunch(ProgramState& state, const Platform& platform, std::string szAppPath)
    : log([this] { PostMessageA(Handle(), kMsgLogWaiting, 0, 0); }),
      launcher(state, platform, std::move(szAppPath), view, log, runner),
      runner([this] { PostMessageA(Handle(), kMsgWorkDone, 0, 0); }) {}

frmLaunch::~frmLaunch() = default;

void frmLaunch::LaunchApplication(int16_t dGame, const std::string& szArgs, int16_t dMod) {
    if (IsBusy()) return;
    if (!IsLoaded()) Load();
    // Without its window there would be no timer to watch the game, and so
    // no restore: better not to swap at all.
    if (!IsLoaded()) return launcher.ReportLaunchError();
    launcher.LaunchApplication(dGame, szArgs, dMod);
}

bool frmLaunch::RecoverAtStart(std::function<void(bool bStopped)> then) {
    return launcher.RecoverAtStart(std::move(then));
}

void frmLaunch::DisplayMsg(const std::string& szMsg) {
    log.Line(szMsg);
    ShowLog();
}

bool frmLaunch::IsBusy() const { return launcher.IsBusy(); }

bool frmLaunch::IsWorking() const { return runner.Running(); }

// A fixed dialog frame: a close box but no icon, no minimise or maximise box.
void frmLaunch::Load() {
    CreateForm({"CorvaneLaunch", "Launching...", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                WS_EX_DLGMODALFRAME, kClientWidth, kClientHeight});
    if (IsLoaded()) Form_Load();
}

void frmLaunch::Form_Load() {
    SetTimerEnabled(kTmrRestoreId, false, kTmrRestoreIntervalMs);
    launcher.WindowLoaded();
}

void frmLaunch::CreateControls() {
    // Paths in the log are often wider than the window: they can be scrolled into view.
    lstLaunch.Create(*this);
    btnClose.Create(*this, "&Close");
    btnClose.onClick = [this] { btnClose_Click(); };
    prgProgress.Create(*this);
}

void frmLaunch::LayoutControls() {
    fntLog = ui::Font(LogFontFor(Dpi()));
    lstLaunch.SetFont(fntLog.Handle());
    lstLaunch.FitToFont();
    btnClose.SetFont(MessageFont());
    lstLaunch.Place(kLstLaunch, Dpi());
    prgProgress.Place(kPrgProgress, Dpi());
    btnClose.Place(kBtnClose, Dpi());
}

// A swap that failed is put back before the window goes; a wait for a game
// still running from a launch cut short is given up, and the window goes
// once the launch has stopped.
void frmLaunch::btnClose_Click() {
    if (launcher.StopWaiting()) return;
    if (!launcher.UndoBeforeClosing([this] { Unload(); })) Unload();
}

void frmLaunch::tmrRestore_Timer() {
    launcher.tmrRestore_Timer();
    ShowLog();  // the lines of the tick itself
}

void frmLaunch::OnTimer(UINT_PTR lTimerId) {
    if (lTimerId == kTmrRestoreId) tmrRestore_Timer();
    if (lTimerId == kTmrShowLogId) ShowLog();
}

void frmLaunch::ShowLogSoon() {
    const ULONGLONG lSince = GetTickCount64() - lLastShown, lEvery = ShowEveryMs(lstLaunch.LineCount());
    if (lSince >= lEvery) return ShowLog();
    if (!TimerEnabled(kTmrShowLogId)) SetTimerEnabled(kTmrShowLogId, true, static_cast<UINT>(lEvery - lSince));
}

void frmLaunch::ShowLog() {
    SetTimerEnabled(kTmrShowLogId, false, 0);
    lLastShown = GetTickCount64();
    LogQueue::Batch batch = log.Take();
    if (!IsLoaded()) return;
    if (!batch.lines.empty()) {
        lstLaunch.AddLines(batch.lines);
    }
    if (batch.progress) prgProgress.SetProgress(batch.progress->first, batch.progress->second);
    if (batch.waiting) launcher.WaitingChanged(*batch.waiting);
    UpdateWindow(Handle());
}

// A close request is only answered while Close may be pressed: closing in the
// middle of a launch would take the timer along, and the game folder would
// never be restored.
LRESULT frmLaunch::HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) {
    switch (lMsg) {
    case WM_CLOSE:
        if (btnClose.Enabled()) btnClose_Click();
        return 0;
    case kMsgLogWaiting:
        ShowLogSoon();
        return 0;
    case kMsgWorkDone:
        ShowLog();
        runner.WorkDone();
        return 0;
    default:
        return DefaultHandling(lMsg, wParam, lParam);
    }
}

void frmLaunch::SetCloseEnabled(bool bEnabled) {
    btnClose.SetEnabled(bEnabled);
    if (HMENU hMenu = GetSystemMenu(Handle(), FALSE))
        EnableMenuItem(hMenu, SC_CLOSE, MF_BYCOMMAND | (bEnabled ? MF_ENABLED : MF_GRAYED));
}

void frmLaunch::View::SetCloseEnabled(bool bEnabled) { form.SetCloseEnabled(bEnabled); }

void frmLaunch::View::ShowLaunchWindow() {
    if (!form.IsLoaded()) form.Load();
    ShowWindow(form.Handle(), SW_SHOW);
    UpdateWindow(form.Handle());
}

void frmLaunch::View::SetWatchTimerEnabled(bool bEnabled) {
    form.SetTimerEnabled(kTmrRestoreId, bEnabled, kTmrRestoreIntervalMs);
}

void frmLaunch::View::UnloadLaunchWindow() { form.Unload(); }

void frmLaunch::View::SetWorking(bool bWorking) {
    if (form.onWorkingChanged) form.onWorkingChanged(bWorking);
}

void frmLaunch::View::LaunchEnded() {
    if (form.onLaunchEnded) form.onLaunchEnded();
}

void frmLaunch::View::EndProgram() {
    if (form.onEndProgram) form.onEndProgram();
}

}  // namespace corvane
