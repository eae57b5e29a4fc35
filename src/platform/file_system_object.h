// The copy and delete operations of the swap and the restore, with the
// semantics players' setups have always had: copies never overwrite a file,
// folder copies merge into an existing folder, a plain delete refuses
// read-only files and a folder delete takes everything. Nothing here writes
// through a file's second name: a file with more than one name that a folder
// copy would replace, or a delete would have to change the attributes of,
// loses this name alone, and its other names keep bytes and attributes. A
// file the caller
// allows may be linked instead of copied where the volume lets it: the
// result reads the same, costs no time and takes no space. Failures are
// thrown as PlatformError; a link that is refused is no failure.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace corvane {

// An item a folder copy is about to put in place: where it goes, and its
// source as the copy found it (a copy keeps its source's size and last
// write; a link is its source).
struct PlacedItem {
    std::string szPath;
    ItemInfo source;
};

// What a copy asks of its caller and tells it, file by file, while it runs;
// called on the copying thread, often, so it must be cheap.
class CopyGuide {
public:
    virtual ~CopyGuide() = default;
    // So many more bytes are in place (a linked file's all at once).
    virtual void BytesCopied(uint64_t lBytes) = 0;
    // A file of this name (without folder) may be linked to its source
    // instead of copied: only for files that nothing ever writes to.
    virtual bool MayLink(const std::string& szName) {
        (void)szName;
        return false;
    }
    // One more file is in place, linked or copied.
    virtual void FileDone(bool bLinked) { (void)bLinked; }
    // A file that might have been linked was copied, and why.
    virtual void LinkRefused(const std::string& szPath, const std::string& szReason) {
        (void)szPath;
        (void)szReason;
    }
    // A folder copy lists all of its source before it writes anything:
    // every file and folder it is about to put in place, once per copy.
    virtual void WillPlace(const std::vector<PlacedItem>& items) { (void)items; }
};

// What a folder delete leaves in place, asked of each item inside the
// folder before it is deleted or, a folder, entered.
class DeleteFilter {
public:
    virtual ~DeleteFilter() = default;
    // True: the item stays as it is; a folder is then not entered.
    virtual bool Keep(const std::string& szPath, const ItemInfo& item) = 0;
};

// What a folder copy would write: all its files' bytes, and those of the
// files the guide would have linked.
struct FolderBytes {
    uint64_t lAll = 0;
    uint64_t lLinkable = 0;
};

class FileSystemObject {
public:
    virtual ~FileSystemObject() = default;

    // Copies one file to the destination name; fails when it exists. lSize:
    // the source's size where the caller knows it, so that the bytes the
    // guide is told need not be asked of the disk again.
    virtual void CopyFile(const std::string& szSource, const std::string& szDestination, CopyGuide* guide = nullptr,
                          std::optional<uint64_t> lSize = std::nullopt) = 0;
    // Copies the folder and everything in it to the destination name; into
    // an existing destination, files of the same name are replaced.
    virtual void CopyFolder(const std::string& szSource, const std::string& szDestination,
                            CopyGuide* guide = nullptr) = 0;
    // Deletes one file; fails on a read-only file unless bForce.
    virtual void DeleteFile(const std::string& szPath, bool bForce = false) = 0;
    // Deletes the folder and everything in it, read-only items included.
    // With a filter, what it keeps stays, and so does every folder that
    // holds some of it. True when the folder itself went.
    virtual bool DeleteFolder(const std::string& szPath, DeleteFilter* filter = nullptr) = 0;
    // The bytes of every file in the folder and below, hidden ones included:
    // what CopyFolder would copy, and how much of it it may link.
    virtual corvane::FolderBytes FolderBytes(const std::string& szFolder, CopyGuide* guide = nullptr) = 0;
};

}  // namespace corvane
