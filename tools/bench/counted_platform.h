// The launch's file services with a tally in front: how often each call was
// made and how long it took, to tell where a launch's time goes beyond the
// plain program's. Each forwards to the real service.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "launch/progress/launch_log.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/journal_store.h"

namespace corvane::bench {

struct Tally {
    struct Entry {
        uint64_t lCalls = 0;
        double dfSeconds = 0;
    };
    std::map<std::string, Entry> calls;

    double Seconds() const;
    void Print(double dfWall) const;
};

class CountedFiles : public FileSystem {
public:
    CountedFiles(FileSystem& real, Tally& tally) : real(real), tally(tally) {}
    std::vector<DirEntry> Dir(const std::string& szPattern, uint32_t lAttr) override;
    std::optional<ItemInfo> Stat(const std::string& szPath) override;
    std::optional<ItemInfo> Look(const std::string& szPath) override;
    std::optional<std::string> Identity(const std::string& szPath) override;
    VolumeInfo Volume(const std::string& szPath) override;
    std::string ResolvedPath(const std::string& szPath) override;
    std::string DocumentsFolder() override;
    SystemFolders KnownSystemFolders() override;
    bool SameBytes(const std::string& szOne, const std::string& szOther) override;
    std::string Sha256(const std::string& szPath) override;
    void ClearAttributes(const std::string& szPath) override;
    void Rename(const std::string& szOldPath, const std::string& szNewPath) override;
    void CreateFolder(const std::string& szPath) override;
    void Kill(const std::string& szPath) override;
    std::unique_ptr<InputFile> OpenInput(const std::string& szPath) override;
    void SaveFile(const std::string& szPath, const std::string& szContent) override;
    std::unique_ptr<OutputFile> CreateOutput(const std::string& szPath) override;
    void Hide(const std::string& szPath) override;

private:
    FileSystem& real;
    Tally& tally;
};

class CountedFso : public FileSystemObject {
public:
    CountedFso(FileSystemObject& real, Tally& tally) : real(real), tally(tally) {}
    void CopyFile(const std::string& szSource, const std::string& szDestination, CopyGuide* guide,
                  std::optional<uint64_t> lSize) override;
    void CopyFolder(const std::string& szSource, const std::string& szDestination, CopyGuide* guide) override;
    void DeleteFile(const std::string& szPath, bool bForce) override;
    bool DeleteFolder(const std::string& szPath, DeleteFilter* filter = nullptr) override;
    corvane::FolderBytes FolderBytes(const std::string& szFolder, CopyGuide* guide) override;

private:
    FileSystemObject& real;
    Tally& tally;
};

class CountedJournal : public JournalStore {
public:
    CountedJournal(JournalStore& real, Tally& tally) : real(real), tally(tally) {}
    std::optional<std::string> Read() override;
    void Append(const std::string& szBytes) override;
    void CutTo(uint64_t lSize) override;
    void Flush() override;
    void Replace(const std::string& szBytes) override;
    void Remove() override;

private:
    JournalStore& real;
    Tally& tally;
};

// Lines counted and dropped.
class CountedLog : public LaunchLog {
public:
    void Line(const std::string&) override { ++lLines; }
    void Progress(uint64_t, uint64_t) override { ++lProgress; }
    uint64_t lLines = 0, lProgress = 0;
};

}  // namespace corvane::bench
