#include "fingerprint/manifest_compare.h"

#include <algorithm>
#include <map>
#include <utility>

namespace corvane {

namespace {

// An archive may name one file twice: each name keeps every size and digest.
using Contents = std::map<std::string, std::vector<std::pair<uint64_t, std::string>>>;

Contents ByName(const Manifest& manifest) {
    Contents contents;
    for (const FileLine& file : manifest.files) contents[file.szName].emplace_back(file.lSize, file.szSha256);
    for (auto& [szName, copies] : contents) std::sort(copies.begin(), copies.end());
    return contents;
}

std::string Describe(const ProgramLine& program) {
    if (program.szSha256.empty()) return "missing";
    if (program.szEdition.empty()) return "an edition not known (SHA-256 " + program.szSha256 + ")";
    return program.szEdition;
}

}  // namespace

std::vector<std::string> CompareManifests(const Manifest& yours, const Manifest& theirs) {
    std::vector<std::string> szLines;
    if (yours.program.szSha256 != theirs.program.szSha256)
        szLines.push_back("Program: yours is " + Describe(yours.program) + ", theirs is " + Describe(theirs.program));
    const Contents mine = ByName(yours), other = ByName(theirs);
    auto one = mine.begin(), two = other.begin();
    while (one != mine.end() || two != other.end()) {
        if (two == other.end() || (one != mine.end() && one->first < two->first)) {
            szLines.push_back("Only yours: " + (one++)->first);
        } else if (one == mine.end() || two->first < one->first) {
            szLines.push_back("Only theirs: " + (two++)->first);
        } else {
            if (one->second != two->second) szLines.push_back("Differs: " + one->first);
            ++one, ++two;
        }
    }
    if (szLines.empty())
        szLines.push_back("Identical: the same program and the same " + std::to_string(yours.files.size()) + " files");
    return szLines;
}

}  // namespace corvane
