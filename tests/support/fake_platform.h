// The platform in memory, for the portable logic: a MemoryDisk for the
// files and the journal, a game that runs until the test ends it, locks
// held by name, folder rights as the test sets them, and recordings of the
// message boxes and the problems noted.
#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/platform_error.h"
#include "support/memory_disk.h"
#include "support/recording_message_boxes.h"

namespace corvane::test {

class FakeProcesses : public ProcessStarter {
public:
    std::vector<std::string> started;  // command lines
    bool bRunning = false;             // the game started last
    bool bRefuse = false;              // as an executable that cannot start

    std::unique_ptr<GameProcess> Start(const std::string& szProgram, const std::string& szCommandLine,
                                       const std::string&) override {
        if (bRefuse) throw PlatformError("CreateProcessA", szProgram, 2);
        started.push_back(szCommandLine);
        bRunning = true;
        return std::make_unique<Game>(*this, ProcessId{static_cast<uint32_t>(started.size()), 7, "Generals.exe"});
    }
    bool IsRunning(const ProcessId& id) override { return bRunning && id.lId == started.size(); }
    bool AnyRunsFrom(const std::string&) override { return false; }
    // The game ends while the program waits for it.
    bool WaitForEnd(const std::vector<ProcessId>&, const std::string&, const std::atomic<bool>&) override {
        bRunning = false;
        return true;
    }

private:
    struct Game : GameProcess {
        Game(FakeProcesses& owner, ProcessId id) : owner(owner), id(id) {}
        ProcessId Id() const override { return id; }
        ProcessState Poll() override { return {!owner.bRunning, owner.bRunning ? kStillActive : 0}; }
        std::vector<ProcessId> Members() override { return owner.bRunning ? std::vector{id} : std::vector<ProcessId>{}; }
        FakeProcesses& owner;
        ProcessId id;
    };
};

class FakeLocks : public LaunchLocks {
public:
    std::set<std::string> held;  // by any program
    std::unique_ptr<HeldLock> TryHold(const std::string& szName) override {
        if (!held.insert(szName).second) return nullptr;
        return std::make_unique<Held>(*this, szName);
    }
    std::unique_ptr<HeldLock> TryHoldFile(const std::string& szPath) override { return TryHold("file " + szPath); }

private:
    struct Held : HeldLock {
        Held(FakeLocks& owner, std::string szName) : owner(owner), szName(std::move(szName)) {}
        ~Held() override { owner.held.erase(szName); }
        FakeLocks& owner;
        std::string szName;
    };
};

struct FakeRights : AdminRights {
    bool bAdministrator = false;
    std::set<std::string> szRefused;  // folders, letter case as given
    int lRestarts = 0;
    bool MayChange(const std::string& szFolder) override { return !szRefused.count(szFolder); }
    bool IsAdministrator() override { return bAdministrator; }
    bool RestartAsAdministrator() override { return ++lRestarts > 0; }
};

struct RecordingProblems : ProblemLog {
    std::vector<std::string> noted;
    std::mutex mutex;
    void Note(const std::string& szWhat) override {
        const std::lock_guard<std::mutex> guard(mutex);
        noted.push_back(szWhat);
    }
};

struct SilentShell : SoundPlayer, Browser {
    void Play(const std::string&) override {}
    void Open(const std::string&) override {}
};

// Shortcuts noted, not written, on a desktop folder the test names.
struct RecordingShortcuts : DesktopShortcuts {
    std::string szDesktop = "C:\\Users\\Player\\Desktop";
    std::vector<std::pair<std::string, ShortcutLink>> saved;
    std::string DesktopFolder() override { return szDesktop; }
    void Save(const std::string& szPath, const ShortcutLink& link) override { saved.emplace_back(szPath, link); }
};

struct FakePlatform {
    MemoryDisk disk;
    FakeProcesses processes;
    RecordingMessageBoxes boxes;
    FakeLocks locks;
    FakeRights rights;
    RecordingProblems problems;
    SilentShell shell;
    RecordingShortcuts shortcuts;
    Platform Get() {
        return Platform{disk, disk, processes, boxes, shell, shell, disk, locks, rights, problems, shortcuts};
    }
};

}  // namespace corvane::test
