// One fingerprint as its window takes it: what is fingerprinted, copied
// from the program's state when the window opens (the work reads it on a
// thread of its own), the work, and what became of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fingerprint/take_fingerprint.h"
#include "platform/platform.h"
#include "state/program_state.h"

namespace corvane {

class FingerprintJob {
public:
    // GameTable row dGame with ModList entry dMod; an entry outside the
    // list means no mod. What a fingerprint before left is cleared.
    void Prepare(const ProgramState& state, int16_t dGame, int16_t dMod);
    // The work, on the worker thread. A failure becomes Problem(); a stop
    // ends it with none.
    void Run(const Platform& platform, const std::string& szAppPath);
    // Asks the work to stop at its next block.
    void Stop() { progress.bStop = true; }

    // "Zero Hour with Contra", "Generals without a mod".
    std::string What() const;
    // The name a saved manifest is offered under: the game's key, the mod's
    // title and the code, "ZeroHour Contra 1a2b3c4d.fingerprint".
    std::string ManifestName() const;

    const HashProgress& Progress() const { return progress; }
    const Fingerprint& Result() const { return fingerprint; }
    // What the player is told; "" when the fingerprint was taken or stopped.
    const std::string& Problem() const { return szProblem; }
    // The problem is a refusal, which the window already explains; a
    // failure goes to Corvane.log too.
    bool Refused() const { return bRefused; }

private:
    GameTable games;
    int16_t dGame = 0;
    std::vector<ModConfig> mods;
    int16_t dMod = -1;
    HashProgress progress;
    Fingerprint fingerprint;
    std::string szProblem;
    bool bRefused = false;
};

}  // namespace corvane
