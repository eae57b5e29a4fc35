#include "fingerprint/fingerprint_job.h"

#include <exception>

#include "state/play_request.h"

namespace corvane {

void FingerprintJob::Prepare(const ProgramState& state, int16_t dRow, int16_t dModIndex) {
    games = state.GameTable;
    dGame = dRow;
    mods = state.ModList;
    dMod = dModIndex >= 0 && static_cast<size_t>(dModIndex) < mods.size() ? dModIndex : -1;
    progress.lDone = 0;
    progress.lTotal = 0;
    progress.bStop = false;
    szProblem.clear();
    bRefused = false;
}

void FingerprintJob::Run(const Platform& platform, const std::string& szAppPath) {
    try {
        const FingerprintRequest request{games, dGame, dMod < 0 ? nullptr : &mods[static_cast<size_t>(dMod)], mods,
                                         szAppPath};
        fingerprint = TakeFingerprint(platform, request, progress);
    } catch (const HashingStopped&) {
    } catch (const FingerprintRefused& e) {
        bRefused = true;
        szProblem = e.what();
    } catch (const std::exception& e) {
        szProblem = std::string("The fingerprint could not be taken: ") + e.what();
    }
}

std::string FingerprintJob::What() const {
    const std::string szGame = kGameNames.at(static_cast<size_t>(dGame));
    return dMod < 0 ? szGame + " without a mod" : szGame + " with " + mods[static_cast<size_t>(dMod)].szTitle;
}

std::string FingerprintJob::ManifestName() const {
    std::string szName = kGameKeys.at(static_cast<size_t>(dGame));
    if (dMod >= 0) szName += " " + mods[static_cast<size_t>(dMod)].szTitle;
    return szName + " " + fingerprint.szCode + ".fingerprint";
}

}  // namespace corvane
