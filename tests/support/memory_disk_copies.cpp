// The disk in memory as the file-system object: copies of files and
// folders, links where the drive allows them, and deletes.
#include "support/memory_disk.h"

#include <algorithm>
#include <utility>

#include "platform/platform_error.h"
#include "support/memory_disk_codes.h"

namespace corvane::test {

using namespace memory_disk;

bool MemoryDisk::TryLink(const std::string& szSource, const std::string& szDestination, const Item& source,
                         CopyGuide* guide) {
    if (!guide || (source.body->lAttr & kOwnAttributes) || !guide->MayLink(NameOf(szSource))) return false;
    try {
        Enter("CreateHardLinkA", szDestination);
        if (Find(szDestination)) Refuse("CreateHardLinkA", szDestination, kExists);
        NeedParent("CreateHardLinkA", szDestination);
        if (DriveOf(szSource) != DriveOf(szDestination)) Refuse("CreateHardLinkA", szDestination, kNotSameDevice);
        if (noLinkDrives.count(DriveOf(szDestination))) Refuse("CreateHardLinkA", szDestination, kInvalidFunction);
    } catch (const PlatformError& error) {
        guide->LinkRefused(szDestination, error.what());
        return false;
    }
    Item link = source;
    link.szName = NameOf(szDestination);
    Put(szDestination, std::move(link));
    guide->BytesCopied(source.body->szContent.size());
    guide->FileDone(true);
    return true;
}

// A copy is made in two steps, so that a crash can leave an empty file
// behind, and a write cut short half a file; it takes its source's last
// write at its end, as CopyFile does. A file already there (a folder copy
// replacing its namesake) is written in place: through all of its names.
void MemoryDisk::WriteCopy(const std::string& szPath, const Item& source, CopyGuide* guide) {
    Item* there = Find(szPath);
    Body& body = there ? *there->body : *Put(szPath, Item(NameOf(szPath), false, source.body->lAttr, "", Now())).body;
    body.szContent.clear();
    if (Call("WriteFile", szPath, true)) {
        body.szContent = source.body->szContent.substr(0, source.body->szContent.size() / 2);
        Refuse("WriteFile", szPath, kInjected);
    }
    NeedDrive("WriteFile", szPath);
    body.szContent = source.body->szContent;
    body.lZeros = source.body->lZeros;
    body.lWriteTime = source.body->lWriteTime;
    body.lAttr = source.body->lAttr;
    if (guide) guide->BytesCopied(source.body->szContent.size());
    if (guide) guide->FileDone(false);
}

void MemoryDisk::CopyFile(const std::string& szSource, const std::string& szDestination, CopyGuide* guide,
                          std::optional<uint64_t>) {
    Call("CopyFileExA", szSource);
    const Item source = Need("CopyFileExA", szSource, false);
    if (TryLink(szSource, szDestination, source, guide)) return;
    NeedDrive("CopyFileExA", szDestination);
    if (Find(szDestination)) Refuse("CopyFileExA", szDestination, kExists);
    NeedParent("CopyFileExA", szDestination);
    WriteCopy(szDestination, source, guide);
}

// The whole source is listed, and the guide told, before anything is written.
void MemoryDisk::CopyFolder(const std::string& szSource, const std::string& szDestination, CopyGuide* guide) {
    Call("CopyFolder", szSource);
    Need("CopyFolder", szSource, true);
    const std::string szFrom = FoldPath(szSource);
    std::vector<PlacedItem> tree;
    for (const std::string& szKey : Below(szSource)) {
        std::string szRel;
        for (std::string szUp = szKey; szUp.size() > szFrom.size(); szUp = ParentOf(szUp))
            szRel = "\\" + items.at(szUp).szName + szRel;
        const Item& item = items.at(szKey);
        tree.push_back({szDestination + szRel, {item.body->lAttr | (item.bFolder ? kAttrDirectory : 0),
                                                item.bFolder ? 0 : item.body->szContent.size(), item.body->lWriteTime}});
    }
    if (guide) guide->WillPlace(tree);
    if (Item* there = Find(szDestination); there && !there->bFolder) Refuse("CreateDirectoryA", szDestination, kExists);
    if (!Find(szDestination)) CreateFolder(szDestination);
    for (const PlacedItem& item : tree) {
        if (!item.source.IsFolder())
            CopyInto(szSource + item.szPath.substr(szDestination.size()), item.szPath, guide);
        else if (!Find(item.szPath))
            CreateFolder(item.szPath);
    }
}

void MemoryDisk::CopyInto(const std::string& szSource, const std::string& szTo, CopyGuide* guide) {
    const Item child = *Find(szSource);
    if (!Find(szTo) && TryLink(szSource, szTo, child, guide)) return;
    Enter("CopyFileExA", szTo);
    if (Item* there = Find(szTo); there && (there->bFolder || (there->body->lAttr & kAttrReadOnly)))
        Refuse("CopyFileExA", szTo, kAccessDenied);
    if (Item* there = Find(szTo); there && there->HasOtherNames()) {
        items.erase(FoldPath(szTo));
        if (TryLink(szSource, szTo, child, guide)) return;
    } else if (there && guide && !(child.body->lAttr & kOwnAttributes) && guide->MayLink(child.szName)) {
        guide->LinkRefused(szTo, "a file of that name is replaced in place");
    }
    WriteCopy(szTo, child, guide);
}

void MemoryDisk::DeleteFile(const std::string& szPath, bool bForce) {
    Call("DeleteFileA", szPath);
    const Item& item = Need("DeleteFileA", szPath, false);
    if ((item.body->lAttr & kAttrReadOnly) && !bForce) Refuse("DeleteFileA", szPath, kAccessDenied);
    items.erase(FoldPath(szPath));
}

bool MemoryDisk::DeleteFolder(const std::string& szPath, DeleteFilter* filter) {
    Call("RemoveDirectoryA", szPath);
    Need("RemoveDirectoryA", szPath, true);
    return DeleteTree(szPath, filter);
}

// One item at a time, deepest first, as a crash may catch it half-way.
bool MemoryDisk::DeleteTree(const std::string& szPath, DeleteFilter* filter) {
    bool bEmptied = true;
    for (const std::string& szKey : Children(szPath)) {
        const Item& item = items.at(szKey);
        const std::string szChild = szPath + "\\" + item.szName;
        if (filter && filter->Keep(szChild, InfoOf(item))) {
            bEmptied = false;
        } else if (item.bFolder) {
            bEmptied = DeleteTree(szChild, filter) && bEmptied;
        } else {
            Enter("DeleteFileA", szChild);
            items.erase(szKey);
        }
    }
    if (!bEmptied) return false;
    Enter("RemoveDirectoryA", szPath);
    items.erase(FoldPath(szPath));
    return true;
}

FolderBytes MemoryDisk::FolderBytes(const std::string& szFolder, CopyGuide* guide) {
    Enter("FindFirstFileW", szFolder);
    corvane::FolderBytes bytes;
    for (const std::string& szKey : Below(szFolder)) {
        const Item& item = items.at(szKey);
        if (item.bFolder) continue;
        bytes.lAll += item.body->szContent.size();
        if (guide && !(item.body->lAttr & kOwnAttributes) && guide->MayLink(item.szName))
            bytes.lLinkable += item.body->szContent.size();
    }
    return bytes;
}

std::optional<std::string> MemoryDisk::Read() {
    Call("ReadFile", "journal");
    return szJournal;
}

// A write cut short puts half of its bytes down before it fails.
void MemoryDisk::Append(const std::string& szBytes) {
    if (Call("WriteFile", "journal", true)) {
        szJournal = szJournal.value_or("") + szBytes.substr(0, szBytes.size() / 2);
        Refuse("WriteFile", "journal", kInjected);
    }
    szJournal = szJournal.value_or("") + szBytes;
}

void MemoryDisk::CutTo(uint64_t lSize) {
    Call("SetEndOfFile", "journal");
    szJournal = szJournal.value_or("").substr(0, lSize);
    lJournalFlushed = std::min<size_t>(lJournalFlushed, lSize);
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
