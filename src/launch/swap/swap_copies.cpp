#include "launch/swap/swap_copies.h"

#include "launch/targets/launch_rules.h"

namespace corvane {

void SwapCopies::BytesCopied(uint64_t lBytes) { log.Progress(lDone += lBytes, lTotal); }

bool SwapCopies::MayLink(const std::string& szName) { return IsBigArchive(szName); }

void SwapCopies::FileDone(bool bLinked) { ++(bLinked ? lLinked : lCopied); }

void SwapCopies::LinkRefused(const std::string& szPath, const std::string& szReason) {
    szRefused.push_back("Copied instead of linked: " + szPath + ": " + szReason);
}

std::vector<std::string> SwapCopies::Report() const {
    std::vector<std::string> szLines{"The swap linked " + std::to_string(lLinked) + " files and copied " +
                                     std::to_string(lCopied) + "."};
    szLines.insert(szLines.end(), szRefused.begin(), szRefused.end());
    return szLines;
}

}  // namespace corvane
