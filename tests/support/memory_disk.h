// A whole disk in memory for the portable logic: files and folders with
// attributes and last-write times, the copies and deletes of the swap and
// the restore, and the launch journal, with the Windows rules the program
// relies on (letter case does not matter, a copy never overwrites a file and
// keeps its source's last write, read-only files refuse a plain delete). A
// linked file is one file with two names: its bytes and attributes are the
// same through either, and a write through one changes both.
// Every call is counted, so a test can make the N-th one fail as a real disk
// does (an error, a write cut short, a drive that goes away), or stop the
// program dead there as a crash does.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/file_system.h"
#include "platform/file_system_object.h"
#include "platform/journal_store.h"

namespace corvane::test {

// A file's bytes handed out in pieces of at most lChunk (0: as asked).
class MemoryInputFile : public InputFile {
public:
    // lZeros: zero bytes that follow szBytes.
    explicit MemoryInputFile(std::string szBytes, size_t lChunk = 0, uint64_t lZeros = 0)
        : szBytes(std::move(szBytes)), lChunk(lChunk), lSize(this->szBytes.size() + lZeros) {}
    size_t Read(char* pBuffer, size_t lSize) override;
    void Rewind() override { lPos = 0; }
    void SeekTo(uint64_t lTo) override { lPos = std::min<uint64_t>(lTo, lSize); }
    uint64_t Size() override { return lSize; }
    int lReads = 0;

private:
    std::string szBytes;
    size_t lChunk;
    uint64_t lSize;
    uint64_t lPos = 0;
};

// Thrown where the program is to die: it is no std::exception, so nothing
// in the program catches it.
struct SimulatedCrash {};

enum class Fault {
    kError,       // the call fails
    kShortWrite,  // a write puts down half of its bytes, then fails; other calls fail
    kDriveGone,   // the drive of the call's path goes away (unplugged, a share
                  // that stops answering) until BringDrivesBack
};

class MemoryDisk : public FileSystem, public FileSystemObject, public JournalStore {
public:
    // Setting up, with every missing parent folder.
    void AddFile(const std::string& szPath, const std::string& szContent, uint32_t lAttr = 0);
    // A file of lSize bytes that begins with szFirstBytes, the rest zeros
    // that cost no memory: a real game folder of gigabytes.
    void AddSizedFile(const std::string& szPath, const std::string& szFirstBytes, uint64_t lSize);
    // A folder that is there gains the attributes given.
    void AddFolder(const std::string& szPath, uint32_t lAttr = 0);
    // Someone else (the game, the player) takes an item away, or writes a
    // file (through whatever name it is given).
    void RemoveItem(const std::string& szPath);
    void WriteItem(const std::string& szPath, const std::string& szContent);
    // Every item under szRoot by its path relative to szRoot: a file's
    // content, or "<folder>" (attributes aside).
    std::map<std::string, std::string> Tree(const std::string& szRoot) const;

    // Call lFailAt fails as told, call lCrashAt throws a SimulatedCrash;
    // counting starts again at 1.
    void FailAt(int lCall, Fault fault = Fault::kError) { Arm(lCall, -1, fault); }
    void CrashAt(int lCall) { Arm(-1, lCall, Fault::kError); }
    // Someone else (another program) acts on the disk just before call lCall.
    void ActAt(int lCall, std::function<void()> action) { lActAt = lCall, act = std::move(action); }
    int Calls() const { return lCalls; }
    // The journal after the crash: what was flushed, and the first half of
    // what was appended after it, torn; data not flushed is lost.
    void AfterCrash();
    void BringDrivesBack() { goneDrives.clear(); }
    // Drives ("c:") whose file system holds no links, and what a drive has free.
    void NoLinksOn(const std::string& szDrive) { noLinkDrives.insert(szDrive); }
    void SetFree(const std::string& szDrive, uint64_t lBytes) { freeBytes[szDrive] = lBytes; }
    // The file was linked to its source, not copied.
    bool IsLinked(const std::string& szPath);
    bool AnyDriveGone() const { return !goneDrives.empty(); }
    // Folders list their items last name first (X.original before X), as
    // FAT and some shares may; last writes read back shifted (a FAT drive
    // across a change of daylight saving time).
    void ListBackwards() { bBackwards = true; }
    void ShiftTimes(int64_t lShift) { lTimeShift = lShift; }

    std::vector<DirEntry> Dir(const std::string& szPattern, uint32_t lAttr) override;
    std::optional<ItemInfo> Stat(const std::string& szPath) override;
    std::optional<ItemInfo> Look(const std::string& szPath) override;
    std::optional<std::string> Identity(const std::string& szPath) override;
    VolumeInfo Volume(const std::string& szPath) override;
    // "." and ".." resolved; the disk has no links of folders.
    std::string ResolvedPath(const std::string& szPath) override;
    std::string DocumentsFolder() override { return "C:\\Users\\Player\\Documents"; }
    SystemFolders KnownSystemFolders() override { return systemFolders; }
    SystemFolders systemFolders{"C:\\Windows", {"C:\\Program Files", "C:\\Program Files (x86)"}, "C:\\ProgramData",
                                "C:\\Users", "C:\\Users\\Player"};
    // Volumes whose serial cannot be read (as Wine's on another Linux file
    // system), and folders whose identity cannot.
    void NoSerialOn(const std::string& szDrive) { noSerialDrives.insert(szDrive); }
    bool SameBytes(const std::string& szOne, const std::string& szOther) override;
    // Not a real SHA-256: a digest of the same length that tells contents
    // apart, enough for the logic that only compares and logs it.
    std::string Sha256(const std::string& szPath) override;
    void SaveFile(const std::string& szPath, const std::string& szContent) override;
    void ClearAttributes(const std::string& szPath) override;
    void Rename(const std::string& szOldPath, const std::string& szNewPath) override;
    void CreateFolder(const std::string& szPath) override;
    void Kill(const std::string& szPath) override;
    std::unique_ptr<InputFile> OpenInput(const std::string& szPath) override;
    // A write cut short puts half of its block down, then fails.
    std::unique_ptr<OutputFile> CreateOutput(const std::string& szPath) override;
    void Hide(const std::string& szPath) override;

    void CopyFile(const std::string& szSource, const std::string& szDestination, CopyGuide* guide = nullptr,
                  std::optional<uint64_t> lSize = std::nullopt) override;
    void CopyFolder(const std::string& szSource, const std::string& szDestination,
                    CopyGuide* guide = nullptr) override;
    void DeleteFile(const std::string& szPath, bool bForce = false) override;
    bool DeleteFolder(const std::string& szPath, DeleteFilter* filter = nullptr) override;
    corvane::FolderBytes FolderBytes(const std::string& szFolder, CopyGuide* guide = nullptr) override;

    std::optional<std::string> Read() override;
    void Append(const std::string& szBytes) override;
    void CutTo(uint64_t lSize) override;
    void Flush() override;
    void Replace(const std::string& szBytes) override;
    void Remove() override;

private:
    friend class MemoryOutputFile;
    // What a file is, whatever its names.
    struct Body {
        uint32_t lAttr = 0;
        std::string szContent;
        uint64_t lWriteTime = 0;
        uint64_t lZeros = 0;  // after szContent, not kept
        uint64_t Size() const { return szContent.size() + lZeros; }
    };
    struct Item {
        std::string szName;  // as given, letter case kept
        bool bFolder = false;
        std::shared_ptr<Body> body;

        Item(std::string szItemName, bool bIsFolder, uint32_t lAttr, std::string szContent, uint64_t lWriteTime)
            : szName(std::move(szItemName)),
              bFolder(bIsFolder),
              body(std::make_shared<Body>(Body{lAttr, std::move(szContent), lWriteTime, 0})) {}
        bool HasOtherNames() const { return !bFolder && body.use_count() > 1; }
    };

    void Arm(int lFail, int lCrash, Fault fault);
    // Counts the call and fails it when it is its turn; true when a call
    // that writes (bWrites) is to put down half of its bytes and then fail.
    bool Call(const std::string& szWhat, const std::string& szPath, bool bWrites = false);
    void NeedDrive(const std::string& szWhat, const std::string& szPath) const;
    // A call that needs the drive of its path.
    void Enter(const std::string& szWhat, const std::string& szPath) {
        Call(szWhat, szPath);
        NeedDrive(szWhat, szPath);
    }
    uint64_t Now() { return lClock += 10000000; }
    [[noreturn]] static void Refuse(const std::string& szWhat, const std::string& szPath, uint32_t lError);
    Item* Find(const std::string& szPath);
    Item& Need(const std::string& szWhat, const std::string& szPath, bool bFolder);
    void NeedParent(const std::string& szWhat, const std::string& szPath);
    Item& Put(const std::string& szPath, Item item);
    std::vector<std::string> Below(const std::string& szFolder) const;  // keys, nearest first
    std::vector<std::string> Children(const std::string& szFolder) const;  // keys
    ItemInfo InfoOf(const Item& item) const;
    void CopyInto(const std::string& szSource, const std::string& szDestination, CopyGuide* guide);
    void WriteCopy(const std::string& szPath, const Item& source, CopyGuide* guide);
    bool DeleteTree(const std::string& szPath, DeleteFilter* filter);
    // Links the destination to the source where the guide and the drive
    // allow it; false (the guide told why) when it is to be copied.
    bool TryLink(const std::string& szSource, const std::string& szDestination, const Item& source, CopyGuide* guide);

    std::map<std::string, Item> items;  // by folded path
    int lCalls = 0, lFailAt = -1, lCrashAt = -1, lActAt = -1;
    std::function<void()> act;
    Fault fault = Fault::kError;
    std::set<std::string> goneDrives;  // "c:"
    std::set<std::string> noLinkDrives;
    std::set<std::string> noSerialDrives;
    std::map<std::string, uint64_t> freeBytes;
    uint64_t lClock = 130000000000000000ull;
    bool bBackwards = false;
    int64_t lTimeShift = 0;
    std::optional<std::string> szJournal;
    size_t lJournalFlushed = 0;
};

}  // namespace corvane::test
