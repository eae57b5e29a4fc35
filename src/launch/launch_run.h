// One launch as the launcher keeps it between its steps: on the window's
// thread and on the runner's, which take turns with it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launch/checks/mod_check.h"
#include "launch/journal/launch_journal.h"
#include "launch/recovery/recovery.h"
#include "launch/swap/swap_copies.h"
#include "launch/targets/launch_rules.h"
#include "platform/process.h"
#include "state/game_table.h"
#include "state/mod_config.h"

namespace corvane {

enum class Outcome {
    kGameStarted,
    kMissingSources,
    kFailed,
    kNeedsAdministrator,
    kAskOutside,
    kAskStrays,
    kEnded,
    kStopped
};

// Everything one launch works with, copied when it starts: the mod list may
// be rebuilt while the game runs, and the restore must undo exactly what the
// swap did. The runner's work and the window's thread take turns with it.
struct LaunchRun {
    GameEntry game;
    int16_t dGame = -1;
    int16_t dMod = -1;
    std::optional<ModConfig> mod;
    std::string szCommandLine;
    std::optional<UnfinishedLaunch> pending;  // undone first
    std::vector<std::string> szLockNames;     // the folders this launch writes
    std::unique_ptr<LaunchJournal> journal;   // from the swap on
    std::vector<std::string> szCreated;
    std::unique_ptr<SwapCopies> copies;       // from the check on
    ModCheck check;                           // what stops the launch or asks the player
    std::vector<std::string> szSetAside;      // archives the player wants set aside while playing
    std::vector<std::optional<Target>> targets;  // of the swap
    std::vector<ProcessId> noted;  // processes of the game in the journal
    bool bSwapFailed = false;      // a swap that failed half-way is still in the game folder
    bool bUndoneAtClose = false;   // ...and its undo was tried when the window was closed
    Outcome outcome = Outcome::kEnded;
    std::unique_ptr<GameProcess> process;
};

}  // namespace corvane
