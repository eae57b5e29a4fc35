#include "platform/win_process.h"

#include <vector>

#include "platform/win32.h"
#include "platform/win_error.h"
#include "platform/win_handles.h"

namespace corvane {

namespace {

constexpr DWORD kAskAndWait = PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE;

uint64_t StartTimeOf(HANDLE hProcess) {
    FILETIME ftCreated{}, ftExited{}, ftKernel{}, ftUser{};
    if (!GetProcessTimes(hProcess, &ftCreated, &ftExited, &ftKernel, &ftUser)) return 0;
    return (uint64_t{ftCreated.dwHighDateTime} << 32) | ftCreated.dwLowDateTime;
}

bool StillRuns(HANDLE hProcess) { return WaitForSingleObject(hProcess, 0) == WAIT_TIMEOUT; }

// The process of that id, if it is still the one that started at that time.
UniqueHandle OpenSame(const ProcessId& id) {
    UniqueHandle hProcess(OpenProcess(kAskAndWait, FALSE, id.lId));
    if (hProcess.Valid() && StartTimeOf(hProcess.Get()) != id.lStartTime) hProcess.Reset();
    return hProcess;
}

class WinGameProcess : public GameProcess {
public:
    WinGameProcess(const PROCESS_INFORMATION& info, UniqueHandle hJobOwned, std::string szStartedAs)
        : hProcess(info.hProcess),
          hThread(info.hThread),
          hJob(std::move(hJobOwned)),
          id{info.dwProcessId, StartTimeOf(info.hProcess)},
          szCommandLine(std::move(szStartedAs)) {}

    ~WinGameProcess() override {
        hThread.Reset();
        hProcess.Reset();
    }

    ProcessId Id() const override { return id; }

    ProcessState Poll() override {
        if (StillRuns(hProcess.Get()) || (hJob.Valid() && ActiveInJob() > 0)) return {false, kStillActive};
        return {true, ExitCode()};
    }

    std::vector<ProcessId> Members() override {
        std::vector<ProcessId> ids;
        for (DWORD lId : IdsInJob()) {
            UniqueHandle hMember(OpenProcess(kAskAndWait, FALSE, lId));
            if (hMember.Valid() && StillRuns(hMember.Get())) ids.push_back({lId, StartTimeOf(hMember.Get())});
        }
        if (ids.empty() && StillRuns(hProcess.Get())) ids.push_back(id);
        return ids;
    }

private:
    DWORD ActiveInJob() {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
        if (!QueryInformationJobObject(hJob.Get(), JobObjectBasicAccountingInformation, &info, sizeof(info),
                                       nullptr))
            ThrowLastError("QueryInformationJobObject", szCommandLine);
        return info.ActiveProcesses;
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
        if (!GetExitCodeProcess(hProcess.Get(), &lCode)) ThrowLastError("GetExitCodeProcess", szCommandLine);
        return lCode;
    }

    UniqueHandle hProcess;
    UniqueHandle hThread;
    // Follows every process the game starts. Closing it ends nothing: the
    // player's match goes on whatever happens to this program.
    UniqueHandle hJob;
    ProcessId id;
    std::string szCommandLine;
};

// A job of its own for the game, when Windows allows it (before Windows 8 a
// program already in a job cannot put another one in a job); without it
// only the started process is followed. The game is put in it as soon as
// it exists, long before it can have started anything of its own. It is
// not started held until then: a program that dies in between would leave
// a held game behind, which nothing ever ends.
UniqueHandle JobFor(HANDLE hProcess) {
    UniqueHandle hJob(CreateJobObjectA(nullptr, nullptr));
    if (hJob.Valid() && !AssignProcessToJobObject(hJob.Get(), hProcess)) hJob.Reset();
    return hJob;
}

}  // namespace

std::unique_ptr<GameProcess> WinProcessStarter::Start(const std::string& szCommandLine) {
    // CreateProcessA may write into the command line, so it gets a copy.
    std::vector<char> szWritable(szCommandLine.begin(), szCommandLine.end());
    szWritable.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, szWritable.data(), nullptr, nullptr, TRUE,
                        NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si, &pi))
        ThrowLastError("CreateProcessA", szCommandLine);
    return std::make_unique<WinGameProcess>(pi, JobFor(pi.hProcess), szCommandLine);
}

bool WinProcessStarter::IsRunning(const ProcessId& id) {
    const UniqueHandle hProcess = OpenSame(id);
    return hProcess.Valid() && StillRuns(hProcess.Get());
}

void WinProcessStarter::WaitForEnd(const std::vector<ProcessId>& ids) {
    for (const ProcessId& id : ids) {
        const UniqueHandle hProcess = OpenSame(id);
        if (hProcess.Valid()) WaitForSingleObject(hProcess.Get(), INFINITE);
    }
}

}  // namespace corvane
