#include "platform/win_process.h"

#include <vector>

#include "platform/win32.h"

#include <tlhelp32.h>

#include "platform/win_error.h"
#include "platform/win_final_path.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

constexpr DWORD kAskAndWait = PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE;

uint64_t StartTimeOf(HANDLE hProcess) {
    FILETIME ftCreated{}, ftExited{}, ftKernel{}, ftUser{};
    if (!GetProcessTimes(hProcess, &ftCreated, &ftExited, &ftKernel, &ftUser)) return 0;
    return (uint64_t{ftCreated.dwHighDateTime} << 32) | ftCreated.dwLowDateTime;
}

// A process that cannot be asked counts as running: better to wait than to
// pull the game folder from under a game.
bool StillRuns(HANDLE hProcess) { return WaitForSingleObject(hProcess, 0) != WAIT_OBJECT_0; }

std::string Folded(std::string szPath) {
    for (char& c : szPath)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return szPath;
}

// The path as the system spells it (long names, the drive a subst letter
// stands for), as process images are reported; as given when that fails.
std::string SystemSpelling(const std::string& szPath) { return FinalPathOf(szPath).value_or(szPath); }

// "c:\games\gen\" for "C:\Games\Gen" or "C:\Games\Gen\".
std::string FolderPrefix(const std::string& szFolder) {
    std::string szPrefix = Folded(SystemSpelling(szFolder));
    while (!szPrefix.empty() && szPrefix.back() == '\\') szPrefix.pop_back();
    return szPrefix + "\\";
}

std::string ImageOf(HANDLE hProcess) {
    std::vector<char> buffer(32768);
    DWORD lLength = static_cast<DWORD>(buffer.size());
    if (!QueryFullProcessImageNameA(hProcess, 0, buffer.data(), &lLength)) return "";
    return std::string(buffer.data(), lLength);
}

std::string FileNameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of("\\/") + 1); }

ProcessId IdOf(DWORD lId, HANDLE hProcess) { return {lId, StartTimeOf(hProcess), FileNameOf(ImageOf(hProcess))}; }

// The system lists a process of that id whose executable has that file
// name: asked without opening the process, which may belong to another user.
bool ListedAs(DWORD lId, const std::string& szExe) {
    UniqueHandle hSnapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!hSnapshot.Valid()) return true;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = Process32First(hSnapshot.Get(), &entry); bMore; bMore = Process32Next(hSnapshot.Get(), &entry))
        if (entry.th32ProcessID == lId) return szExe.empty() || Folded(FileNameOf(entry.szExeFile)) == Folded(szExe);
    return false;
}

std::string OwnImage() {
    std::vector<char> buffer(32768);
    const DWORD lLength = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return Folded(SystemSpelling(std::string(buffer.data(), lLength)));
}

// A program whose executable lies in the folder runs; this program (some
// players keep it in the game folder) aside. What cannot be listed at all
// counts as running; a process whose image cannot be read is no program
// of the game's that anyone can tell of.
bool RunsFrom(const std::string& szPrefix) {
    UniqueHandle hSnapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!hSnapshot.Valid()) return true;
    static const std::string szOwnImage = OwnImage();
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = Process32First(hSnapshot.Get(), &entry); bMore; bMore = Process32Next(hSnapshot.Get(), &entry)) {
        if (entry.th32ProcessID == 0 || entry.th32ProcessID == GetCurrentProcessId()) continue;
        UniqueHandle hProcess(OpenProcess(kAskAndWait, FALSE, entry.th32ProcessID));
        if (!hProcess.Valid()) continue;
        const std::string szImage = Folded(ImageOf(hProcess.Get()));
        if (szImage.rfind(szPrefix, 0) == 0 && szImage != szOwnImage && StillRuns(hProcess.Get())) return true;
    }
    return false;
}

class WinGameProcess : public GameProcess {
public:
    WinGameProcess(const PROCESS_INFORMATION& info, UniqueHandle hJobOwned, std::string szStartedAs,
                   std::string szFolderPrefix)
        : hProcess(info.hProcess),
          hThread(info.hThread),
          hJob(std::move(hJobOwned)),
          id(IdOf(info.dwProcessId, info.hProcess)),
          szCommandLine(std::move(szStartedAs)),
          szPrefix(std::move(szFolderPrefix)) {}

    ~WinGameProcess() override {
        hThread.Reset();
        hProcess.Reset();
    }

    ProcessId Id() const override { return id; }

    ProcessState Poll() override {
        if (StillRuns(hProcess.Get()) || JobRuns() || RunsFrom(szPrefix)) return {false, kStillActive};
        return {true, ExitCode()};
    }

    std::vector<ProcessId> Members() override {
        std::vector<ProcessId> ids;
        for (DWORD lId : IdsInJob()) {
            UniqueHandle hMember(OpenProcess(kAskAndWait, FALSE, lId));
            if (hMember.Valid() && StillRuns(hMember.Get())) ids.push_back(IdOf(lId, hMember.Get()));
        }
        if (ids.empty() && StillRuns(hProcess.Get())) ids.push_back(id);
        return ids;
    }

private:
    bool JobRuns() {
        if (!hJob.Valid()) return false;
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
        if (!QueryInformationJobObject(hJob.Get(), JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr))
            return true;
        return info.ActiveProcesses > 0;
    }

    std::vector<DWORD> IdsInJob() {
        if (!hJob.Valid()) return {};
        struct {
            JOBOBJECT_BASIC_PROCESS_ID_LIST list;
            ULONG_PTR more[255];
        } ids{};
        if (!QueryInformationJobObject(hJob.Get(), JobObjectBasicProcessIdList, &ids, sizeof(ids), nullptr))
            return {};
        std::vector<DWORD> lstIds;
        for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList && i < 256; ++i)
            lstIds.push_back(static_cast<DWORD>(ids.list.ProcessIdList[i]));
        return lstIds;
    }

    // Asked only once the game has ended, so that a game which ends with
    // the "still active" code 259 is not taken for a running one.
    uint32_t ExitCode() {
        DWORD lCode = 0;
        GetExitCodeProcess(hProcess.Get(), &lCode);
        return lCode;
    }

    UniqueHandle hProcess;
    UniqueHandle hThread;
    // Follows every process the game starts. Closing it ends nothing: the
    // player's match goes on whatever happens to this program.
    UniqueHandle hJob;
    ProcessId id;
    std::string szCommandLine;
    std::string szPrefix;  // the game folder, folded, with its backslash
};

// The game inherits handles as it always has, but this program keeps none
// that can be inherited: its standard handles are the only ones it did not
// open itself.
void KeepHandlesToOurselves() {
    for (const DWORD lStd : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        const HANDLE h = GetStdHandle(lStd);
        if (h && h != INVALID_HANDLE_VALUE) SetHandleInformation(h, HANDLE_FLAG_INHERIT, 0);
    }
}

bool StartIn(HANDLE hJob, const std::string& szProgram, std::vector<char>& szCommandLine, PROCESS_INFORMATION& pi) {
    SIZE_T lSize = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &lSize);
    std::vector<char> buffer(lSize);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer.data());
    if (!InitializeProcThreadAttributeList(attributes, 1, 0, &lSize)) return false;
    HANDLE hJobs[] = {hJob};
    bool bStarted = false;
    if (UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_JOB_LIST, hJobs, sizeof(hJobs), nullptr,
                                  nullptr)) {
        STARTUPINFOEXA si{};
        si.StartupInfo.cb = sizeof(si);
        si.lpAttributeList = attributes;
        bStarted = CreateProcessA(szProgram.c_str(), szCommandLine.data(), nullptr, nullptr, TRUE,
                                  NORMAL_PRIORITY_CLASS | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                                  &si.StartupInfo, &pi);
    }
    DeleteProcThreadAttributeList(attributes);
    return bStarted;
}

void SetKillOnClose(HANDLE hJob, bool bKill) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = bKill ? JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE : 0;
    SetInformationJobObject(hJob, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
}

// Where a process cannot be created inside its job (before Windows 10), it
// is created held, put in the job and let go. Where it cannot be put in a
// job at all (a program already in a job before Windows 8), only the
// started process and the game folder are followed.
void StartHeld(HANDLE hJob, const std::string& szProgram, std::vector<char>& szCommandLine, PROCESS_INFORMATION& pi,
               UniqueHandle& hJobOwned) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    if (!CreateProcessA(szProgram.c_str(), szCommandLine.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED,
                        nullptr, nullptr, &si, &pi))
        ThrowLastError("CreateProcessA", szProgram);
    if (!AssignProcessToJobObject(hJob, pi.hProcess)) hJobOwned.Reset();
    ResumeThread(pi.hThread);
}

}  // namespace

std::unique_ptr<GameProcess> WinProcessStarter::Start(const std::string& szProgram, const std::string& szCommandLine,
                                                      const std::string& szGameFolder) {
    // CreateProcessA may write into the command line, so it gets a copy.
    std::vector<char> szWritable(szCommandLine.begin(), szCommandLine.end());
    szWritable.push_back('\0');
    KeepHandlesToOurselves();
    UniqueHandle hJob(CreateJobObjectA(nullptr, nullptr));
    if (!hJob.Valid()) ThrowLastError("CreateJobObjectA", szCommandLine);
    // Until the game runs, its job ends it should this program die: a
    // program ended half-way through CreateProcess can leave its new process
    // held before its first instruction, a game frozen for ever.
    SetKillOnClose(hJob.Get(), true);
    PROCESS_INFORMATION pi{};
    if (!StartIn(hJob.Get(), szProgram, szWritable, pi)) StartHeld(hJob.Get(), szProgram, szWritable, pi, hJob);
    if (hJob.Valid()) SetKillOnClose(hJob.Get(), false);
    return std::make_unique<WinGameProcess>(pi, std::move(hJob), szCommandLine, FolderPrefix(szGameFolder));
}

bool WinProcessStarter::IsRunning(const ProcessId& id) {
    const UniqueHandle hProcess(OpenProcess(kAskAndWait, FALSE, id.lId));
    if (!hProcess.Valid()) return GetLastError() != ERROR_INVALID_PARAMETER && ListedAs(id.lId, id.szExe);
    const uint64_t lStart = StartTimeOf(hProcess.Get());
    if (lStart != 0 && lStart != id.lStartTime) return false;  // the id went to another process
    return StillRuns(hProcess.Get());
}

bool WinProcessStarter::AnyRunsFrom(const std::string& szFolder) { return RunsFrom(FolderPrefix(szFolder)); }

bool WinProcessStarter::WaitForEnd(const std::vector<ProcessId>& ids, const std::string& szFolder,
                                   const std::atomic<bool>& bStop) {
    const std::string szPrefix = FolderPrefix(szFolder);
    for (;;) {
        bool bRunning = RunsFrom(szPrefix);
        for (const ProcessId& id : ids) bRunning = bRunning || IsRunning(id);
        if (!bRunning) return true;
        for (int i = 0; i < 10; ++i) {
            if (bStop) return false;
            Sleep(50);
        }
    }
}

}  // namespace corvane
