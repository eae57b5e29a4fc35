#include "fingerprint/frm_fingerprint.h"

#include <cstring>
#include <exception>
#include <utility>

#include "fingerprint/manifest_compare.h"
#include "fingerprint/manifest_file.h"
#include "ui/open_file_dialog.h"

namespace corvane {

namespace {

constexpr int kClientWidth = 7200;
constexpr int kClientHeight = 4800;
constexpr UINT kMsgWorkDone = WM_APP + 1;
constexpr UINT_PTR kTmrProgressId = 1;
constexpr UINT kTmrProgressMs = 100;
constexpr const char* kManifestFilter = "Fingerprints (*.fingerprint)\0*.fingerprint\0All files (*.*)\0*.*\0";

// The code is ASCII: the plain text format holds it in any code page.
void CopyToClipboard(HWND hOwner, const std::string& szText) {
    if (!OpenClipboard(hOwner)) return;
    EmptyClipboard();
    if (HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, szText.size() + 1)) {
        std::memcpy(GlobalLock(hText), szText.c_str(), szText.size() + 1);
        GlobalUnlock(hText);
        if (!SetClipboardData(CF_TEXT, hText)) GlobalFree(hText);
    }
    CloseClipboard();
}

}  // namespace

frmFingerprint::frmFingerprint(const ProgramState& state, const Platform& platform, std::string szAppPath)
    : state(state),
      platform(platform),
      szAppPath(std::move(szAppPath)),
      runner([this] { PostMessageA(Handle(), kMsgWorkDone, 0, 0); }) {}

frmFingerprint::~frmFingerprint() { Unload(); }

void frmFingerprint::Show(int16_t dRow, int16_t dModIndex) {
    Load(dRow, dModIndex);
    if (IsLoaded()) ShowWindow(Handle(), SW_SHOW);
}

void frmFingerprint::Show(int16_t dRow, int16_t dModIndex, ui::Window& over) {
    Load(dRow, dModIndex);
    if (IsLoaded()) ShowModal(over);
}

void frmFingerprint::Load(int16_t dRow, int16_t dModIndex) {
    if (IsLoaded()) return;
    // The work of a window closed while it hashed ends first: it stops at
    // its next block.
    if (runner.Running()) runner.WorkDone();
    CreateForm({"CorvaneFingerprint", "Fingerprint", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                kClientWidth, kClientHeight});
    if (!IsLoaded()) return;
    job.Prepare(state, dRow, dModIndex);
    lblWhat.SetText(job.What());
    lstLines.AddItem("Reading every file the game would load...");
    for (ui::Button* button : {&btnCopy, &btnSave, &btnCompare}) button->SetEnabled(false);
    SetTimerEnabled(kTmrProgressId, true, kTmrProgressMs);
    runner.Run([this] { job.Run(platform, szAppPath); }, [this] { Hashed(); });
}

void frmFingerprint::CreateControls() {
    lblWhat.Create(*this, "");
    prgProgress.Create(*this);
    lblCode.Create(*this, "Co&de:");
    txtCode.Create(*this);
    SendMessageA(txtCode.Handle(), EM_SETREADONLY, TRUE, 0);
    lblLines.Create(*this, "&Notes and differences:");
    lstLines.Create(*this, true, true);
    btnCopy.Create(*this, "&Copy");
    btnCopy.onClick = [this] { btnCopy_Click(); };
    btnSave.Create(*this, "&Save...");
    btnSave.onClick = [this] { btnSave_Click(); };
    btnCompare.Create(*this, "C&ompare...");
    btnCompare.onClick = [this] { btnCompare_Click(); };
    btnClose.Create(*this, "Close");
    btnClose.onClick = [this] { btnClose_Click(); };
}

void frmFingerprint::LayoutControls() {
    PlaceControls({
        {&lblWhat, {120, 120, 6960, 255}},
        {&prgProgress, {120, 480, 6960, 315}},
        {&lblCode, {120, 990, 840, 255}},
        {&txtCode, {960, 930, 2400, 375}},
        {&lblLines, {120, 1440, 6960, 255}},
        {&lstLines, {120, 1710, 6960, 2430}},
        {&btnCopy, {120, 4305, 1215, 375}},
        {&btnSave, {1440, 4305, 1215, 375}},
        {&btnCompare, {2760, 4305, 1215, 375}},
        {&btnClose, {5865, 4305, 1215, 375}},
    });
    lstLines.FitWidthToLines();
}

LRESULT frmFingerprint::HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam) {
    switch (lMsg) {
    case WM_CLOSE:
        btnClose_Click();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL && lParam == 0) {  // Escape
            btnClose_Click();
            return 0;
        }
        break;
    case kMsgWorkDone:
        runner.WorkDone();
        return 0;
    case WM_DESTROY:
        // Closed while it hashes: the work stops at its next block.
        job.Stop();
        break;
    default:
        break;
    }
    return DefaultHandling(lMsg, wParam, lParam);
}

void frmFingerprint::OnTimer(UINT_PTR lTimerId) {
    if (lTimerId == kTmrProgressId) prgProgress.SetProgress(job.Progress().lDone, job.Progress().lTotal);
}

void frmFingerprint::Hashed() {
    if (!IsLoaded()) return;
    SetTimerEnabled(kTmrProgressId, false, 0);
    prgProgress.SetProgress(job.Progress().lDone, job.Progress().lTotal);
    lstLines.Clear();
    if (!job.Problem().empty()) {
        if (!job.Refused()) platform.problems.Note(job.Problem());
        return Tell(job.Problem());
    }
    const Fingerprint& fingerprint = job.Result();
    txtCode.SetText(fingerprint.szCode);
    lstLines.AddItem("Code of " + std::to_string(fingerprint.manifest.files.size()) + " files the game would load.");
    lstLines.AddItems(fingerprint.szNotes);
    for (ui::Button* button : {&btnCopy, &btnSave, &btnCompare}) button->SetEnabled(true);
    SetFocus(btnCopy.Handle());
}

void frmFingerprint::Tell(const std::string& szText) {
    std::vector<std::string> szLines;
    for (size_t lStart = 0, lEnd = 0; lEnd != std::string::npos; lStart = lEnd + 1) {
        lEnd = szText.find('\n', lStart);
        szLines.push_back(szText.substr(lStart, lEnd == std::string::npos ? lEnd : lEnd - lStart));
    }
    lstLines.AddItems(szLines);
    platform.messageBoxes.Show(szText, kMsgOkOnly | kMsgExclamation);
}

void frmFingerprint::btnCopy_Click() { CopyToClipboard(Handle(), job.Result().szCode); }

void frmFingerprint::btnSave_Click() {
    const std::string szName = job.ManifestName();
    const std::optional<std::string> szPath =
        ui::AskForNewFile(Handle(), {kManifestFilter, "Save Fingerprint", "fingerprint", szName.c_str()});
    if (!szPath) return;
    try {
        SaveManifest(platform.files, *szPath, job.Result().manifest);
        lstLines.AddItem("Saved: " + *szPath);
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("The fingerprint could not be saved: ") + e.what());
        Tell(std::string("The fingerprint could not be saved: ") + e.what());
    }
}

// Another player's manifest: what differs from this one, a line each.
void frmFingerprint::btnCompare_Click() {
    const std::optional<std::string> szPath =
        ui::AskForFile(Handle(), {kManifestFilter, "Compare With Another Player's Fingerprint", "fingerprint"});
    if (!szPath) return;
    try {
        const Manifest theirs = LoadManifest(platform.files, *szPath);
        lstLines.Clear();
        lstLines.AddItem("Compared with " + *szPath + ":");
        lstLines.AddItems(CompareManifests(job.Result().manifest, theirs));
        lstLines.SetTopIndex(0);
    } catch (const std::exception& e) {
        Tell(e.what());
    }
}

void frmFingerprint::btnClose_Click() {
    job.Stop();
    Unload();
}

}  // namespace corvane
