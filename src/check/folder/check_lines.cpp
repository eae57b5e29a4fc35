#include "check/folder/check_lines.h"

#include <algorithm>
#include <array>
#include <map>

namespace corvane {

namespace {

// More loose files than this in one folder are counted, not named.
constexpr size_t kLooseNamedPerFolder = 3;

// In the order of FindingKind.
constexpr std::array kKindNames = {"Program",       "Stray archive", "Loose file",    "Add-on",  "Replaced archive",
                                   "Empty archive", "Leftover",      "Known problem", "Wrapper", "Set aside"};
static_assert(kKindNames.size() == static_cast<size_t>(FindingKind::kSetAside) + 1);

const char* KindName(FindingKind kind) { return kKindNames.at(static_cast<size_t>(kind)); }

std::string Where(const Finding& finding) {
    return finding.szRelative + (finding.bFolder ? "\\" : "") + (finding.bInGeneralsFolder ? " in the Generals folder" : "");
}

std::string ProgramLine(const Finding& program) {
    const std::string szStart = "Program: " + program.szRelative + " is ";
    if (program.bKnown) return szStart + program.szDetail;
    if (program.szDetail.empty()) return szStart + "not there";
    return szStart + "not a known build (" + program.szDetail + ")";
}

std::string Line(const Finding& finding) {
    if (finding.kind == FindingKind::kProgram) return ProgramLine(finding);
    std::string szLine = std::string(KindName(finding.kind)) + ": " + Where(finding);
    if (finding.kind == FindingKind::kSetAside) szLine += " (Put Back gives it its name back)";
    return finding.szDetail.empty() ? szLine : szLine + " (" + finding.szDetail + ")";
}

std::string FolderOf(const Finding& finding) {
    const size_t lSlash = finding.szRelative.find_last_of('\\');
    return (lSlash == std::string::npos ? "" : finding.szRelative.substr(0, lSlash)) +
           (finding.bInGeneralsFolder ? "|generals" : "");
}

// Loose files come by the thousand where a mod was unpacked into the game
// folder: a folder with many of them is one line.
void AddLooseLines(const std::vector<const Finding*>& loose, std::vector<std::string>& szLines) {
    std::map<std::string, size_t> lInFolder;
    for (const Finding* finding : loose) ++lInFolder[FolderOf(*finding)];
    std::map<std::string, bool> bCounted;
    for (const Finding* finding : loose) {
        const std::string szFolder = FolderOf(*finding);
        const size_t lCount = lInFolder[szFolder];
        if (lCount <= kLooseNamedPerFolder) {
            szLines.push_back(Line(*finding));
        } else if (!bCounted[szFolder]) {
            bCounted[szFolder] = true;
            Finding folder = *finding;
            folder.szRelative = finding->szRelative.substr(0, finding->szRelative.find_last_of('\\'));
            folder.bFolder = true;
            szLines.push_back(Line(folder) + " (" + std::to_string(lCount) + " files)");
        }
    }
}

}  // namespace

std::vector<std::string> FindingLines(const FolderCheck& check, FindingKind kind) {
    std::vector<std::string> szLines;
    std::vector<const Finding*> loose;
    for (const Finding& finding : check.findings) {
        if (finding.kind != kind) continue;
        if (kind == FindingKind::kLooseFile)
            loose.push_back(&finding);
        else
            szLines.push_back(Line(finding));
    }
    AddLooseLines(loose, szLines);
    return szLines;
}

std::vector<std::string> FindingLines(const FolderCheck& check) {
    const bool bClean = std::all_of(check.findings.begin(), check.findings.end(), [](const Finding& finding) {
        return finding.kind == FindingKind::kProgram && finding.bKnown;
    });
    if (bClean) {
        std::string szLine = "Clean: nothing but the game's own files";  // and a program of a known build
        for (const Finding& program : check.findings) szLine += "; " + program.szRelative + " is " + program.szDetail;
        return {szLine};
    }
    std::vector<std::string> szLines;
    for (size_t lKind = 0; lKind < kKindNames.size(); ++lKind) {
        const FindingKind kind = static_cast<FindingKind>(lKind);
        const std::vector<std::string> szOfKind = FindingLines(check, kind);
        szLines.insert(szLines.end(), szOfKind.begin(), szOfKind.end());
    }
    return szLines;
}

}  // namespace corvane
