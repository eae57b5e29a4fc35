#include "support/memory_disk.h"

#include <algorithm>
#include <cstring>

#include "launch/launch_rules.h"
#include "platform/platform_error.h"

namespace corvane::test {

namespace {

constexpr uint32_t kNotFound = 2, kPathNotFound = 3, kAccessDenied = 5, kExists = 183, kInjected = 1117;

std::string ParentOf(const std::string& szPath) {
    const size_t lSlash = szPath.find_last_of('\\');
    return lSlash == std::string::npos ? std::string() : szPath.substr(0, lSlash);
}

std::string NameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of('\\') + 1); }

bool IsDriveRoot(const std::string& szFolded) { return szFolded.size() == 2 && szFolded[1] == ':'; }

}  // namespace

size_t MemoryInputFile::Read(char* pBuffer, size_t lSize) {
    const size_t lCount = std::min({lSize, szBytes.size() - lPos, lChunk ? lChunk : lSize});
    std::memcpy(pBuffer, szBytes.data() + lPos, lCount);
    lPos += lCount;
    ++lReads;
    return lCount;
}

void MemoryDisk::AddFile(const std::string& szPath, const std::string& szContent, uint32_t lAttr) {
    AddFolder(ParentOf(szPath));
    Put(szPath, {NameOf(szPath), false, lAttr, szContent});
}

void MemoryDisk::AddFolder(const std::string& szPath) {
    if (IsDriveRoot(FoldPath(szPath)) || Find(szPath)) return;
    AddFolder(ParentOf(szPath));
    Put(szPath, {NameOf(szPath), true, 0, ""});
}

std::map<std::string, std::string> MemoryDisk::Tree(const std::string& szRoot) const {
    std::map<std::string, std::string> tree;
    for (const std::string& szKey : Below(szRoot)) {
        const Item& item = items.at(szKey);
        // Rebuilt from the names as stored, so that letter case shows.
        std::string szRel = item.szName;
        for (std::string szUp = ParentOf(szKey); szUp.size() > FoldPath(szRoot).size(); szUp = ParentOf(szUp))
            szRel = items.at(szUp).szName + "\\" + szRel;
        tree[szRel] = item.bFolder ? "<folder>" : item.szContent;
    }
    return tree;
}

void MemoryDisk::Arm(int lFail, int lCrash) {
    lCalls = 0;
    lFailAt = lFail;
    lCrashAt = lCrash;
}

void MemoryDisk::AfterCrash() {
    if (szJournal) szJournal->resize(lJournalFlushed + (szJournal->size() - lJournalFlushed) / 2);
    Arm(-1, -1);
}

void MemoryDisk::Call(const std::string& szWhat, const std::string& szPath) {
    ++lCalls;
    if (lCalls == lCrashAt) throw SimulatedCrash{};
    if (lCalls == lFailAt) Refuse(szWhat, szPath, kInjected);
}

void MemoryDisk::Refuse(const std::string& szWhat, const std::string& szPath, uint32_t lError) {
    throw PlatformError(szWhat, szPath, lError);
}

MemoryDisk::Item* MemoryDisk::Find(const std::string& szPath) {
    const auto it = items.find(FoldPath(szPath));
    return it == items.end() ? nullptr : &it->second;
}

MemoryDisk::Item& MemoryDisk::Need(const std::string& szWhat, const std::string& szPath, bool bFolder) {
    Item* item = Find(szPath);
    if (!item) Refuse(szWhat, szPath, kNotFound);
    if (item->bFolder != bFolder) Refuse(szWhat, szPath, kAccessDenied);
    return *item;
}

void MemoryDisk::NeedParent(const std::string& szWhat, const std::string& szPath) {
    const std::string szParent = ParentOf(szPath);
    if (IsDriveRoot(FoldPath(szParent))) return;
    const Item* parent = Find(szParent);
    if (!parent || !parent->bFolder) Refuse(szWhat, szPath, kPathNotFound);
}

MemoryDisk::Item& MemoryDisk::Put(const std::string& szPath, Item item) {
    return items[FoldPath(szPath)] = std::move(item);
}

std::vector<std::string> MemoryDisk::Below(const std::string& szFolder) const {
    const std::string szPrefix = FoldPath(szFolder) + "\\";
    std::vector<std::string> keys;
    for (auto it = items.lower_bound(szPrefix); it != items.end() && it->first.rfind(szPrefix, 0) == 0; ++it)
        keys.push_back(it->first);
    return keys;
}

// Listing, deleting and writing files by name are the mod scan's and the
// configuration writer's business, tested on a real disk.
std::vector<DirEntry> MemoryDisk::Dir(const std::string& szPattern, uint32_t) { Refuse("Dir", szPattern, kInjected); }

void MemoryDisk::Kill(const std::string& szPath) { Refuse("Kill", szPath, kInjected); }

void MemoryDisk::WriteFile(const std::string& szPath, const std::string&) { Refuse("WriteFile", szPath, kInjected); }

std::optional<ItemInfo> MemoryDisk::Stat(const std::string& szPath) {
    Call("GetFileAttributesExA", szPath);
    const Item* item = Find(szPath);
    if (!item) return std::nullopt;
    return ItemInfo{item->lAttr | (item->bFolder ? kAttrDirectory : 0), item->szContent.size()};
}

void MemoryDisk::ClearAttributes(const std::string& szPath) {
    Call("SetFileAttributesA", szPath);
    Item* item = Find(szPath);
    if (!item) Refuse("SetFileAttributesA", szPath, kNotFound);
    item->lAttr &= ~(kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
}

void MemoryDisk::Rename(const std::string& szOldPath, const std::string& szNewPath) {
    Call("MoveFileA", szOldPath);
    Item* item = Find(szOldPath);
    if (!item) Refuse("MoveFileA", szOldPath, kNotFound);
    if (Find(szNewPath)) Refuse("MoveFileA", szNewPath, kExists);
    NeedParent("MoveFileA", szNewPath);
    const std::string szOldKey = FoldPath(szOldPath), szNewKey = FoldPath(szNewPath);
    for (const std::string& szKey : Below(szOldPath)) {
        items[szNewKey + szKey.substr(szOldKey.size())] = std::move(items[szKey]);
        items.erase(szKey);
    }
    Item moved = std::move(*item);
    items.erase(szOldKey);
    moved.szName = NameOf(szNewPath);
    items[szNewKey] = std::move(moved);
}

void MemoryDisk::CreateFolder(const std::string& szPath) {
    Call("CreateDirectoryA", szPath);
    if (Find(szPath)) Refuse("CreateDirectoryA", szPath, kExists);
    NeedParent("CreateDirectoryA", szPath);
    Put(szPath, {NameOf(szPath), true, 0, ""});
}

std::unique_ptr<InputFile> MemoryDisk::OpenInput(const std::string& szPath) {
    Call("CreateFileA", szPath);
    return std::make_unique<MemoryInputFile>(Need("CreateFileA", szPath, false).szContent);
}

// A copy is made in two steps, so that a crash can leave an empty file behind.
void MemoryDisk::CopyFile(const std::string& szSource, const std::string& szDestination, CopyProgress* progress) {
    Call("CopyFileExA", szSource);
    const Item source = Need("CopyFileExA", szSource, false);
    if (Find(szDestination)) Refuse("CopyFileExA", szDestination, kExists);
    NeedParent("CopyFileExA", szDestination);
    Put(szDestination, {NameOf(szDestination), false, source.lAttr, ""});
    Call("WriteFile", szDestination);
    Find(szDestination)->szContent = source.szContent;
    if (progress) progress->BytesCopied(source.szContent.size());
}

void MemoryDisk::CopyFolder(const std::string& szSource, const std::string& szDestination, CopyProgress* progress) {
    Call("CopyFolder", szSource);
    Need("CopyFolder", szSource, true);
    CopyTree(szSource, szDestination, progress);
}

void MemoryDisk::CopyTree(const std::string& szSource, const std::string& szDestination, CopyProgress* progress) {
    if (Item* there = Find(szDestination); there && !there->bFolder) Refuse("CreateDirectoryA", szDestination, kExists);
    if (!Find(szDestination)) CreateFolder(szDestination);
    const size_t lDepth = std::count(szSource.begin(), szSource.end(), '\\') + 1;
    for (const std::string& szKey : Below(szSource)) {
        if (static_cast<size_t>(std::count(szKey.begin(), szKey.end(), '\\')) != lDepth) continue;
        const Item child = items.at(szKey);
        const std::string szTo = szDestination + "\\" + child.szName;
        if (child.bFolder) {
            CopyTree(szSource + "\\" + child.szName, szTo, progress);
            continue;
        }
        Call("CopyFileExA", szTo);
        if (Item* there = Find(szTo); there && (there->bFolder || (there->lAttr & kAttrReadOnly)))
            Refuse("CopyFileExA", szTo, kAccessDenied);
        Put(szTo, {child.szName, false, child.lAttr, child.szContent});
        if (progress) progress->BytesCopied(child.szContent.size());
    }
}

void MemoryDisk::DeleteFile(const std::string& szPath, bool bForce) {
    Call("DeleteFileA", szPath);
    const Item& item = Need("DeleteFileA", szPath, false);
    if ((item.lAttr & kAttrReadOnly) && !bForce) Refuse("DeleteFileA", szPath, kAccessDenied);
    items.erase(FoldPath(szPath));
}

// One item at a time, deepest first, as a crash may catch it half-way.
void MemoryDisk::DeleteFolder(const std::string& szPath) {
    Call("RemoveDirectoryA", szPath);
    Need("RemoveDirectoryA", szPath, true);
    std::vector<std::string> keys = Below(szPath);
    std::sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& szKey : keys) {
        Call("DeleteFileA", szKey);
        items.erase(szKey);
    }
    items.erase(FoldPath(szPath));
}

uint64_t MemoryDisk::FolderBytes(const std::string& szFolder) {
    Call("FindFirstFileA", szFolder);
    uint64_t lBytes = 0;
    for (const std::string& szKey : Below(szFolder)) lBytes += items.at(szKey).szContent.size();
    return lBytes;
}

std::optional<std::string> MemoryDisk::Read() {
    Call("ReadFile", "journal");
    return szJournal;
}

void MemoryDisk::Append(const std::string& szBytes) {
    Call("WriteFile", "journal");
    szJournal = szJournal.value_or("") + szBytes;
}

void MemoryDisk::Flush() {
    Call("FlushFileBuffers", "journal");
    lJournalFlushed = szJournal ? szJournal->size() : 0;
}

void MemoryDisk::Replace(const std::string& szBytes) {
    Call("MoveFileExA", "journal");
    szJournal = szBytes;
    lJournalFlushed = szBytes.size();
}

void MemoryDisk::Remove() {
    Call("DeleteFileA", "journal");
    szJournal.reset();
    lJournalFlushed = 0;
}

}  // namespace corvane::test
