// The undo of a launch whose game drive went away while the game ran (an
// unplugged disk, a share that stopped answering), on the disk in memory:
// nothing can be put back, so everything is named and kept in the journal.
// Its cost is to grow with the mod, not with its square, so the same launch
// is timed with two mod sizes.
#pragma once

#include <cstdint>

#include "samples.h"

namespace corvane::bench {

struct DriveGoneTimes {
    double dfRestore = 0;   // seconds: the restore after the game ended
    double dfRecovery = 0;  // seconds: the next start's, the drive still gone
};

// One launch of a mod of lFiles files (half of them in one folder entry, half
// as file entries, half of which replace the game's own files), the game's
// drive gone while it runs, the restore and the next start timed. The drive
// then comes back and one more start must give the game folder back as it
// was: throws std::runtime_error when it does not.
DriveGoneTimes TimeUndoDriveGone(int32_t lFiles);

struct UndoScaling {
    int32_t lSmall = 8000, lLarge = 16000;
    Samples restoreSmall, restoreLarge, recoverySmall, recoveryLarge;
};

// Each size lRounds times, the two sizes taking turns.
UndoScaling MeasureUndoScaling(int lRounds);

}  // namespace corvane::bench
