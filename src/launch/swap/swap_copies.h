// How the swap copies a mod's files: its BIG archives, which the game only
// ever reads, are linked into the game folder where the drive allows it
// (no time, no space); every other file is copied, since a game or a tool
// may write into it and a link would carry that write back into the mod.
// Counts what was linked and copied, and why a link was refused, for
// Corvane.log, and moves the progress bar.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "launch/progress/launch_log.h"
#include "platform/file_system_object.h"

namespace corvane {

class SwapCopies : public CopyGuide {
public:
    explicit SwapCopies(LaunchLog& log) : log(log) {}

    // The bytes the swap puts in place, linked or copied: the progress bar's end.
    void Expect(uint64_t lBytes) { lTotal = lBytes; }

    void BytesCopied(uint64_t lBytes) override;
    bool MayLink(const std::string& szName) override;
    void FileDone(bool bLinked) override;
    void LinkRefused(const std::string& szPath, const std::string& szReason) override;

    // For Corvane.log: how many files were linked and copied, then each
    // link that was refused.
    std::vector<std::string> Report() const;

private:
    LaunchLog& log;
    uint64_t lTotal = 0;
    uint64_t lDone = 0;
    uint64_t lLinked = 0, lCopied = 0;
    std::vector<std::string> szRefused;
};

}  // namespace corvane
