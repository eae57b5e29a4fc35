#include "support/memory_disk.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "launch/targets/launch_rules.h"
#include "platform/platform_error.h"
#include "support/memory_disk_codes.h"

namespace corvane::test {

using namespace memory_disk;

class MemoryOutputFile : public OutputFile {
public:
    MemoryOutputFile(MemoryDisk& disk, std::string szPath, std::shared_ptr<MemoryDisk::Body> body)
        : disk(disk), szPath(std::move(szPath)), body(std::move(body)) {}
    void Write(const char* pData, size_t lSize) override {
        const bool bShort = disk.Call("WriteFile", szPath, true);
        body->szContent.append(pData, bShort ? lSize / 2 : lSize);
        if (bShort) MemoryDisk::Refuse("WriteFile", szPath, kInjected);
        disk.NeedDrive("WriteFile", szPath);
        body->lWriteTime = disk.Now();
    }
    void Close() override { disk.Call("CloseHandle", szPath); }

private:
    MemoryDisk& disk;
    std::string szPath;
    std::shared_ptr<MemoryDisk::Body> body;
};

size_t MemoryInputFile::Read(char* pBuffer, size_t lWanted) {
    const size_t lCount = static_cast<size_t>(std::min<uint64_t>({lWanted, lSize - lPos, lChunk ? lChunk : lWanted}));
    const size_t lKept = lPos < szBytes.size() ? std::min(lCount, szBytes.size() - static_cast<size_t>(lPos)) : 0;
    std::memcpy(pBuffer, szBytes.data() + std::min<uint64_t>(lPos, szBytes.size()), lKept);
    std::memset(pBuffer + lKept, 0, lCount - lKept);
    lPos += lCount;
    ++lReads;
    return lCount;
}

void MemoryDisk::AddFile(const std::string& szPath, const std::string& szContent, uint32_t lAttr) {
    AddFolder(ParentOf(szPath));
    Put(szPath, Item(NameOf(szPath), false, lAttr, szContent, Now()));
}

void MemoryDisk::AddSizedFile(const std::string& szPath, const std::string& szFirstBytes, uint64_t lSize) {
    AddFile(szPath, szFirstBytes.substr(0, static_cast<size_t>(std::min<uint64_t>(lSize, szFirstBytes.size()))));
    Body& body = *Find(szPath)->body;
    body.lZeros = lSize - body.szContent.size();
}

void MemoryDisk::AddFolder(const std::string& szPath, uint32_t lAttr) {
    if (IsDriveRoot(FoldPath(szPath))) return;
    if (Item* item = Find(szPath)) {
        item->body->lAttr |= lAttr;
        return;
    }
    AddFolder(ParentOf(szPath));
    Put(szPath, Item(NameOf(szPath), true, lAttr, "", Now()));
}

void MemoryDisk::RemoveItem(const std::string& szPath) {
    for (const std::string& szKey : Below(szPath)) items.erase(szKey);
    items.erase(FoldPath(szPath));
}

// As a program writes a file in place: through a linked name, the other
// names see it too.
void MemoryDisk::WriteItem(const std::string& szPath, const std::string& szContent) {
    Item* item = Find(szPath);
    if (!item) return AddFile(szPath, szContent);
    item->body->szContent = szContent;
    item->body->lZeros = 0;
    item->body->lWriteTime = Now();
}

std::map<std::string, std::string> MemoryDisk::Tree(const std::string& szRoot) const {
    std::map<std::string, std::string> tree;
    for (const std::string& szKey : Below(szRoot)) {
        const Item& item = items.at(szKey);
        // Rebuilt from the names as stored, so that letter case shows.
        std::string szRel = item.szName;
        for (std::string szUp = ParentOf(szKey); szUp.size() > FoldPath(szRoot).size(); szUp = ParentOf(szUp))
            szRel = items.at(szUp).szName + "\\" + szRel;
        tree[szRel] = item.bFolder ? "<folder>" : item.body->szContent;
    }
    return tree;
}

void MemoryDisk::Arm(int lFail, int lCrash, Fault armed) {
    lCalls = 0;
    lFailAt = lFail;
    lCrashAt = lCrash;
    fault = armed;
}

void MemoryDisk::AfterCrash() {
    if (szJournal) szJournal->resize(lJournalFlushed + (szJournal->size() - lJournalFlushed) / 2);
    Arm(-1, -1, Fault::kError);
}

bool MemoryDisk::Call(const std::string& szWhat, const std::string& szPath, bool bWrites) {
    if (++lCalls == lActAt) std::exchange(act, nullptr)();
    if (lCalls == lCrashAt) throw SimulatedCrash{};
    if (lCalls != lFailAt) return false;
    if (fault == Fault::kShortWrite && bWrites) return true;
    if (fault != Fault::kDriveGone) Refuse(szWhat, szPath, kInjected);
    if (szPath.size() > 1 && szPath[1] == ':') goneDrives.insert(DriveOf(szPath));
    return false;
}

void MemoryDisk::NeedDrive(const std::string& szWhat, const std::string& szPath) const {
    if (goneDrives.count(DriveOf(szPath))) Refuse(szWhat, szPath, kNotReady);
}

void MemoryDisk::Refuse(const std::string& szWhat, const std::string& szPath, uint32_t lError) {
    throw PlatformError(szWhat, szPath, lError);
}

MemoryDisk::Item* MemoryDisk::Find(const std::string& szPath) {
    const auto it = items.find(FoldPath(szPath));
    return it == items.end() ? nullptr : &it->second;
}

MemoryDisk::Item& MemoryDisk::Need(const std::string& szWhat, const std::string& szPath, bool bFolder) {
    NeedDrive(szWhat, szPath);
    Item* item = Find(szPath);
    if (!item) Refuse(szWhat, szPath, kNotFound);
    if (item->bFolder != bFolder) Refuse(szWhat, szPath, kAccessDenied);
    return *item;
}

void MemoryDisk::NeedParent(const std::string& szWhat, const std::string& szPath) {
    NeedDrive(szWhat, szPath);
    const std::string szParent = ParentOf(szPath);
    if (IsDriveRoot(FoldPath(szParent))) return;
    const Item* parent = Find(szParent);
    if (!parent || !parent->bFolder) Refuse(szWhat, szPath, kPathNotFound);
}

MemoryDisk::Item& MemoryDisk::Put(const std::string& szPath, Item item) {
    return items.insert_or_assign(FoldPath(szPath), std::move(item)).first->second;
}

std::vector<std::string> MemoryDisk::Below(const std::string& szFolder) const {
    const std::string szPrefix = FoldPath(szFolder) + "\\";
    std::vector<std::string> keys;
    for (auto it = items.lower_bound(szPrefix); it != items.end() && it->first.rfind(szPrefix, 0) == 0; ++it)
        keys.push_back(it->first);
    return keys;
}

std::vector<std::string> MemoryDisk::Children(const std::string& szFolder) const {
    std::vector<std::string> keys;
    const size_t lDepth = Depth(FoldPath(szFolder)) + 1;
    for (std::string& szKey : Below(szFolder))
        if (Depth(szKey) == lDepth) keys.push_back(std::move(szKey));
    if (bBackwards) std::reverse(keys.begin(), keys.end());
    return keys;
}

ItemInfo MemoryDisk::InfoOf(const Item& item) const {
    return {item.body->lAttr | (item.bFolder ? kAttrDirectory : 0), item.body->Size(),
            item.body->lWriteTime + lTimeShift};
}

// Only "<folder>\*" listings, which the undo asks for; the mod scan and the
// configuration writer list by pattern on a real disk.
std::vector<DirEntry> MemoryDisk::Dir(const std::string& szPattern, uint32_t lAttr) {
    Call("FindFirstFileW", szPattern);
    const std::string szFolder = ParentOf(szPattern);
    if (NameOf(szPattern) != "*") Refuse("Dir", szPattern, kInjected);
    NeedDrive("FindFirstFileW", szFolder);
    std::vector<DirEntry> entries;
    for (const std::string& szKey : Children(szFolder)) {
        const Item& item = items.at(szKey);
        const uint32_t lItemAttr = item.body->lAttr | (item.bFolder ? kAttrDirectory : 0);
        if ((lItemAttr & (kAttrHidden | kAttrSystem | kAttrDirectory) & ~lAttr) == 0)
            entries.push_back({item.szName, lItemAttr, InfoOf(item).lSize, InfoOf(item).lWriteTime});
    }
    return entries;
}

void MemoryDisk::Kill(const std::string& szPath) { Refuse("Kill", szPath, kInjected); }

// Written beside its place, then put there in one step: a failure or a
// crash at either call leaves the old file.
void MemoryDisk::SaveFile(const std::string& szPath, const std::string& szContent) {
    Enter("WriteFile", szPath + ".new");
    NeedParent("WriteFile", szPath);
    Enter("MoveFileExA", szPath);
    Item* item = Find(szPath);
    if (item && (item->bFolder || (item->body->lAttr & kAttrReadOnly))) Refuse("MoveFileExA", szPath, kAccessDenied);
    if (item) RemoveItem(szPath);
    Put(szPath, Item(NameOf(szPath), false, 0, szContent, Now()));
}

// As Windows answers for a drive that is not there: nothing at that path.
std::optional<ItemInfo> MemoryDisk::Stat(const std::string& szPath) {
    return goneDrives.count(DriveOf(szPath)) ? (Call("GetFileAttributesExA", szPath), std::nullopt) : Look(szPath);
}

std::optional<ItemInfo> MemoryDisk::Look(const std::string& szPath) {
    Enter("GetFileAttributesExA", szPath);
    const Item* item = Find(szPath);
    if (!item) return std::nullopt;
    return InfoOf(*item);
}

std::optional<std::string> MemoryDisk::Identity(const std::string& szPath) {
    Enter("GetFileInformationByHandle", szPath);
    std::string szKey = FoldPath(szPath);
    while (szKey.size() > 3 && szKey.back() == '\\') szKey.pop_back();
    if (!IsDriveRoot(szKey.substr(0, 2)) || (szKey.size() > 3 && !Find(szKey))) return std::nullopt;
    if (noSerialDrives.count(DriveOf(szPath))) return "";
    return "id:" + szKey;
}

VolumeInfo MemoryDisk::Volume(const std::string& szPath) {
    Enter("GetVolumeInformationA", szPath);
    const std::string szDrive = DriveOf(szPath);
    const auto free = freeBytes.find(szDrive);
    const bool bSerial = !noSerialDrives.count(szDrive);
    return {szDrive + "\\", bSerial ? szDrive : szDrive + "\\", !noLinkDrives.count(szDrive),
            free == freeBytes.end() ? uint64_t{1} << 40 : free->second, bSerial};
}

std::string MemoryDisk::ResolvedPath(const std::string& szPath) { return FullPathOf(szPath).value_or(szPath); }

bool MemoryDisk::IsLinked(const std::string& szPath) {
    const Item* item = Find(szPath);
    return item && item->HasOtherNames();
}

bool MemoryDisk::SameBytes(const std::string& szOne, const std::string& szOther) {
    Call("ReadFile", szOne);
    const Body &one = *Need("ReadFile", szOne, false).body, &other = *Need("ReadFile", szOther, false).body;
    return one.szContent == other.szContent && one.lZeros == other.lZeros;
}

std::string MemoryDisk::Sha256(const std::string& szPath) {
    Call("ReadFile", szPath);
    const Body& body = *Need("ReadFile", szPath, false).body;
    std::string szHex;
    for (uint64_t lSeed = 0; szHex.size() < 64; ++lSeed) {
        uint64_t lHash = (14695981039346656037ull ^ lSeed) + body.lZeros;  // FNV-1a
        for (unsigned char c : body.szContent) lHash = (lHash ^ c) * 1099511628211ull;
        for (int i = 60; i >= 0; i -= 4) szHex += "0123456789abcdef"[(lHash >> i) & 15];
    }
    return szHex;
}

void MemoryDisk::ClearAttributes(const std::string& szPath) {
    Enter("SetFileAttributesA", szPath);
    Item* item = Find(szPath);
    if (!item) Refuse("SetFileAttributesA", szPath, kNotFound);
    if (item->HasOtherNames()) return;
    item->body->lAttr &= ~(kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
}

void MemoryDisk::Rename(const std::string& szOldPath, const std::string& szNewPath) {
    Enter("MoveFileA", szOldPath);
    Item* item = Find(szOldPath);
    if (!item) Refuse("MoveFileA", szOldPath, kNotFound);
    if (Find(szNewPath)) Refuse("MoveFileA", szNewPath, kExists);
    NeedParent("MoveFileA", szNewPath);
    const std::string szOldKey = FoldPath(szOldPath), szNewKey = FoldPath(szNewPath);
    for (const std::string& szKey : Below(szOldPath)) {
        items.insert_or_assign(szNewKey + szKey.substr(szOldKey.size()), std::move(items.at(szKey)));
        items.erase(szKey);
    }
    Item moved = std::move(*item);
    items.erase(szOldKey);
    moved.szName = NameOf(szNewPath);
    items.insert_or_assign(szNewKey, std::move(moved));
}

void MemoryDisk::CreateFolder(const std::string& szPath) {
    Enter("CreateDirectoryA", szPath);
    if (Find(szPath)) Refuse("CreateDirectoryA", szPath, kExists);
    NeedParent("CreateDirectoryA", szPath);
    Put(szPath, Item(NameOf(szPath), true, 0, "", Now()));
}

std::unique_ptr<InputFile> MemoryDisk::OpenInput(const std::string& szPath) {
    Call("CreateFileA", szPath);
    const Body& body = *Need("CreateFileA", szPath, false).body;
    return std::make_unique<MemoryInputFile>(body.szContent, 0, body.lZeros);
}

std::unique_ptr<OutputFile> MemoryDisk::CreateOutput(const std::string& szPath) {
    Enter("CreateFileA", szPath);
    if (Find(szPath)) Refuse("CreateFileA", szPath, kExists);
    NeedParent("CreateFileA", szPath);
    return std::make_unique<MemoryOutputFile>(*this, szPath, Put(szPath, Item(NameOf(szPath), false, 0, "", Now())).body);
}

void MemoryDisk::Hide(const std::string& szPath) {
    Enter("SetFileAttributesA", szPath);
    Item* item = Find(szPath);
    if (!item) Refuse("SetFileAttributesA", szPath, kNotFound);
    item->body->lAttr |= kAttrHidden;
}

}  // namespace corvane::test
