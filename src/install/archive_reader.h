// An archive read through libarchive from the platform's file: zip (ZIP64,
// deflate, names in UTF-8, in the Unicode extra field or in the system's OEM
// code page), 7z (LZMA, LZMA2, BCJ, solid), RAR4 and RAR5, and the
// self-extracting programs of those formats. Entries come in the archive's
// order, each one's bytes in blocks; nothing is held whole in memory.
// Whatever libarchive warns of while reading a header or data (a checksum
// that does not match, above all) is damage, as is a RAR that does not end
// with its end-of-archive block.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <archive.h>

#include "install/install_rules.h"
#include "platform/file_system.h"

namespace corvane {

// Why an archive cannot be read on.
class ArchiveProblem : public std::runtime_error {
public:
    enum class Kind {
        kDamaged,    // damaged or cut short
        kEncrypted,  // needs a password
        kInstaller,  // a program, but no self-extracting archive
        kUnknown,    // no archive of a format Corvane reads
        kStopped,    // the player cancelled
    };
    ArchiveProblem(Kind kind, const std::string& szWhat, std::string szEntry = "")
        : std::runtime_error(szWhat), kind(kind), szEntry(std::move(szEntry)) {}
    Kind kind;
    std::string szEntry;  // the entry found damaged, when one is
};

class ArchiveReader {
public:
    // szZipCharset: the code page of zip names that say neither that they
    // are UTF-8 nor carry a Unicode name ("CP437"). bStop, when set, ends
    // the reading with kStopped at the next block.
    ArchiveReader(InputFile& file, const std::string& szZipCharset, const std::atomic<bool>& bStop);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // The next entry's name, kind and announced size; false after the last.
    bool Next(ArchiveItem& item);
    // Up to lSize more bytes of the current entry; 0 at its end.
    size_t Read(char* pBuffer, size_t lSize);
    // The next bytes of the current entry where libarchive holds them,
    // valid until the next call; 0 at its end.
    size_t ReadBlock(const char*& pBlock);
    // Bytes of the archive file read so far, and its size: the progress.
    uint64_t Position() const { return lPos.load(); }
    uint64_t FileSize() const { return lFileSize; }

private:
    static la_ssize_t ReadBlock(archive*, void* pThis, const void** ppBuffer);
    static la_int64_t SeekTo(archive*, void* pThis, la_int64_t lOffset, int lWhence);
    static la_int64_t SkipOver(archive*, void* pThis, la_int64_t lBytes);
    // Throws what went wrong: the file's own failure, the stop, or libarchive's.
    [[noreturn]] void Fail();
    // At the end of a RAR: throws when its end-of-archive block does not
    // follow the last entry.
    void CheckEnd(const std::string& szLast);

    InputFile& file;
    const std::atomic<bool>& bStop;
    archive* pArchive = nullptr;
    std::vector<char> buffer;
    std::atomic<uint64_t> lPos{0};
    uint64_t lFileSize = 0;
    std::exception_ptr failure;  // thrown by the file inside a callback
    int64_t lEntryPos = 0;        // bytes of the current entry handed out
    std::string szEntry;          // the current entry's name
    int64_t lEntrySize = 0;       // and its announced size
};

}  // namespace corvane
