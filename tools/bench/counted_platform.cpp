#include "counted_platform.h"

#include <cstdio>

#include "stopwatch.h"

namespace corvane::bench {

namespace {

template <typename Call>
auto Counted(Tally& tally, const char* szName, Call call) {
    struct Stop {
        Tally::Entry& entry;
        double dfStart = Now();
        ~Stop() {
            ++entry.lCalls;
            entry.dfSeconds += Now() - dfStart;
        }
    } stop{tally.calls[szName]};
    return call();
}

}  // namespace

double Tally::Seconds() const {
    double dfSum = 0;
    for (const auto& [szName, entry] : calls) dfSum += entry.dfSeconds;
    return dfSum;
}

void Tally::Print(double dfWall) const {
    for (const auto& [szName, entry] : calls)
        std::printf("      %-22s %7llu calls %8.3f s  %7.1f us each\n", szName.c_str(),
                    static_cast<unsigned long long>(entry.lCalls), entry.dfSeconds,
                    entry.lCalls ? entry.dfSeconds / static_cast<double>(entry.lCalls) * 1e6 : 0.0);
    std::printf("      %-22s %22.3f s  (the launch's own work between the calls)\n", "outside these calls",
                dfWall - Seconds());
}

std::vector<DirEntry> CountedFiles::Dir(const std::string& szPattern, uint32_t lAttr) {
    return Counted(tally, "Dir", [&] { return real.Dir(szPattern, lAttr); });
}
std::optional<ItemInfo> CountedFiles::Stat(const std::string& szPath) {
    return Counted(tally, "Stat", [&] { return real.Stat(szPath); });
}
std::optional<ItemInfo> CountedFiles::Look(const std::string& szPath) {
    return Counted(tally, "Look", [&] { return real.Look(szPath); });
}
std::optional<std::string> CountedFiles::Identity(const std::string& szPath) {
    return Counted(tally, "Identity", [&] { return real.Identity(szPath); });
}
VolumeInfo CountedFiles::Volume(const std::string& szPath) {
    return Counted(tally, "Volume", [&] { return real.Volume(szPath); });
}
std::string CountedFiles::ResolvedPath(const std::string& szPath) {
    return Counted(tally, "ResolvedPath", [&] { return real.ResolvedPath(szPath); });
}

std::string CountedFiles::DocumentsFolder() { return real.DocumentsFolder(); }
SystemFolders CountedFiles::KnownSystemFolders() { return real.KnownSystemFolders(); }

bool CountedFiles::SameBytes(const std::string& szOne, const std::string& szOther) {
    return Counted(tally, "SameBytes", [&] { return real.SameBytes(szOne, szOther); });
}
std::string CountedFiles::Sha256(const std::string& szPath) {
    return Counted(tally, "Sha256", [&] { return real.Sha256(szPath); });
}
void CountedFiles::ClearAttributes(const std::string& szPath) {
    Counted(tally, "ClearAttributes", [&] { real.ClearAttributes(szPath); });
}
void CountedFiles::Rename(const std::string& szOldPath, const std::string& szNewPath) {
    Counted(tally, "Rename", [&] { real.Rename(szOldPath, szNewPath); });
}
void CountedFiles::CreateFolder(const std::string& szPath) {
    Counted(tally, "CreateFolder", [&] { real.CreateFolder(szPath); });
}
void CountedFiles::Kill(const std::string& szPath) {
    Counted(tally, "Kill", [&] { real.Kill(szPath); });
}
std::unique_ptr<InputFile> CountedFiles::OpenInput(const std::string& szPath) {
    return Counted(tally, "OpenInput", [&] { return real.OpenInput(szPath); });
}
void CountedFiles::SaveFile(const std::string& szPath, const std::string& szContent) {
    Counted(tally, "SaveFile", [&] { real.SaveFile(szPath, szContent); });
}
std::unique_ptr<OutputFile> CountedFiles::CreateOutput(const std::string& szPath) {
    return Counted(tally, "CreateOutput", [&] { return real.CreateOutput(szPath); });
}
void CountedFiles::Hide(const std::string& szPath) {
    Counted(tally, "Hide", [&] { real.Hide(szPath); });
}

void CountedFso::CopyFile(const std::string& szSource, const std::string& szDestination, CopyGuide* guide,
                          std::optional<uint64_t> lSize) {
    Counted(tally, "CopyFile", [&] { real.CopyFile(szSource, szDestination, guide, lSize); });
}
void CountedFso::CopyFolder(const std::string& szSource, const std::string& szDestination, CopyGuide* guide) {
    Counted(tally, "CopyFolder", [&] { real.CopyFolder(szSource, szDestination, guide); });
}
void CountedFso::DeleteFile(const std::string& szPath, bool bForce) {
    Counted(tally, "DeleteFile", [&] { real.DeleteFile(szPath, bForce); });
}
bool CountedFso::DeleteFolder(const std::string& szPath, DeleteFilter* filter) {
    return Counted(tally, "DeleteFolder", [&] { return real.DeleteFolder(szPath, filter); });
}
FolderBytes CountedFso::FolderBytes(const std::string& szFolder, CopyGuide* guide) {
    return Counted(tally, "FolderBytes", [&] { return real.FolderBytes(szFolder, guide); });
}

std::optional<std::string> CountedJournal::Read() {
    return Counted(tally, "journal Read", [&] { return real.Read(); });
}
void CountedJournal::Append(const std::string& szBytes) {
    Counted(tally, "journal Append", [&] { real.Append(szBytes); });
}
void CountedJournal::CutTo(uint64_t lSize) {
    Counted(tally, "journal CutTo", [&] { real.CutTo(lSize); });
}
void CountedJournal::Flush() {
    Counted(tally, "journal Flush", [&] { real.Flush(); });
}
void CountedJournal::Replace(const std::string& szBytes) {
    Counted(tally, "journal Replace", [&] { real.Replace(szBytes); });
}
void CountedJournal::Remove() {
    Counted(tally, "journal Remove", [&] { real.Remove(); });
}

}  // namespace corvane::bench
