// RAR has no directory at its end: an archive cut short between two entries
// reads as a smaller whole one. What tells them apart is the block RAR puts
// last, the end-of-archive block (RAR5's, and RAR4's end marker).
#pragma once

#include <string>

namespace corvane {

// The last bytes of the file (at least the last 32) end with RAR's
// end-of-archive block, its checksum right.
bool EndsWithRarEndBlock(const std::string& szTail, bool bRar5);

}  // namespace corvane
