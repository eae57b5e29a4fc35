// The copy and delete operations of the swap and the restore, with the
// semantics players' setups have always had: copies never overwrite a file,
// folder copies merge into an existing folder, a plain delete refuses
// read-only files and a folder delete takes everything. Failures are thrown
// as PlatformError.
#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// Told how many more bytes a copy has written, while it runs; called on the
// copying thread, often, so it must be cheap.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    virtual void BytesCopied(uint64_t lBytes) = 0;
};

class FileSystemObject {
public:
    virtual ~FileSystemObject() = default;

    // Copies one file to the destination name; fails when it exists.
    virtual void CopyFile(const std::string& szSource, const std::string& szDestination,
                          CopyProgress* progress = nullptr) = 0;
    // Copies the folder and everything in it to the destination name; into
    // an existing destination, files of the same name are replaced.
    virtual void CopyFolder(const std::string& szSource, const std::string& szDestination,
                            CopyProgress* progress = nullptr) = 0;
    // Deletes one file; fails on a read-only file unless bForce.
    virtual void DeleteFile(const std::string& szPath, bool bForce = false) = 0;
    // Deletes the folder and everything in it, read-only items included.
    virtual void DeleteFolder(const std::string& szPath) = 0;
    // The bytes of every file in the folder and below, hidden ones included:
    // what CopyFolder would copy.
    virtual uint64_t FolderBytes(const std::string& szFolder) = 0;
};

}  // namespace corvane
