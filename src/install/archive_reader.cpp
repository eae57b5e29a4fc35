#include "install/archive_reader.h"

#include <archive.h>
#include <archive_entry.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <utility>

#include "install/name_case.h"
#include "install/rar_end.h"

static_assert(ARCHIVE_VERSION_NUMBER >= 3006002, "libarchive 3.6.2 or later reads RAR5 and ZIP64 as tested");

namespace corvane {

namespace {

constexpr size_t kBlockSize = 1 << 20;

bool Mentions(const std::string& szText, const char* szWord) { return szText.find(szWord) != std::string::npos; }

// A name libarchive holds in wide characters as UTF-8: on Windows its
// UTF-8 form goes through the C library's locale, which holds ASCII only.
std::string Utf8Of(const wchar_t* szWide) {
    std::string szOut;
    for (; *szWide; ++szWide) {
        char32_t c = static_cast<char32_t>(*szWide);
        if (sizeof(wchar_t) == 2 && c >= 0xD800 && c < 0xDC00 && szWide[1] >= 0xDC00 && szWide[1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(*++szWide) - 0xDC00);
        AppendUtf8(szOut, c);
    }
    return szOut;
}

}  // namespace

ArchiveReader::ArchiveReader(InputFile& file, const std::string& szZipCharset, const std::atomic<bool>& bStop)
    : file(file), bStop(bStop), buffer(kBlockSize) {
    lFileSize = file.Size();
    std::string szHead(6, '\0');
    szHead.resize(file.Read(szHead.data(), szHead.size()));
    file.Rewind();
    pArchive = archive_read_new();
    if (!pArchive) throw std::bad_alloc();
    // A zip is read by its central directory, which lies at its end: one
    // cut short is damaged, not read as far as it goes.
    archive_read_support_format_zip_seekable(pArchive);
    archive_read_support_format_7zip(pArchive);
    archive_read_support_format_rar(pArchive);
    archive_read_support_format_rar5(pArchive);
    if (!szZipCharset.empty()) archive_read_set_format_option(pArchive, "zip", "hdrcharset", szZipCharset.c_str());
    archive_read_set_callback_data(pArchive, this);
    archive_read_set_read_callback(pArchive, ReadBlock);
    archive_read_set_seek_callback(pArchive, SeekTo);
    archive_read_set_skip_callback(pArchive, SkipOver);
    if (archive_read_open1(pArchive) == ARCHIVE_OK) return;
    try {
        // Opening only finds the format: what fails here, but for the file
        // and the stop, is a zip, 7z or RAR whose end is missing, or a file
        // of no format libarchive reads. A program without an archive inside
        // is an installer, which only the player may start.
        if (failure || bStop) Fail();
        const char* szError = archive_error_string(pArchive) ? archive_error_string(pArchive) : "";
        for (const char* szSignature : {"PK\x03\x04", "7z\xBC\xAF\x27\x1C", "Rar!"}) {
            if (szHead.rfind(szSignature, 0) == 0) throw ArchiveProblem(ArchiveProblem::Kind::kDamaged, szError);
        }
        const bool bProgram = szHead.rfind("MZ", 0) == 0;
        throw ArchiveProblem(bProgram ? ArchiveProblem::Kind::kInstaller : ArchiveProblem::Kind::kUnknown, szError);
    } catch (...) {
        archive_read_free(pArchive);
        throw;
    }
}

ArchiveReader::~ArchiveReader() { archive_read_free(pArchive); }

bool ArchiveReader::Next(ArchiveItem& item) {
    archive_entry* entry = nullptr;
    // A header that cannot be read belongs to no entry yet.
    const std::string szLast = std::exchange(szEntry, "");
    const int lResult = archive_read_next_header(pArchive, &entry);
    if (lResult == ARCHIVE_EOF) {
        CheckEnd(szLast);
        return false;
    }
    if (lResult < ARCHIVE_WARN) Fail();
    if (archive_entry_is_encrypted(entry)) throw ArchiveProblem(ArchiveProblem::Kind::kEncrypted, "");
    const wchar_t* szWide = archive_entry_pathname_w(entry);
    const char* szUtf8 = archive_entry_pathname_utf8(entry);
    item = ArchiveItem{};
    lEntryPos = 0;
    item.szName = szWide ? Utf8Of(szWide) : szUtf8 ? szUtf8 : "";
    item.lSize = archive_entry_size_is_set(entry) ? static_cast<uint64_t>(archive_entry_size(entry)) : 0;
    szEntry = item.szName;
    lEntrySize = static_cast<int64_t>(item.lSize);
    if (lResult == ARCHIVE_WARN) Fail();
    switch (archive_entry_filetype(entry)) {
    case AE_IFREG:
        item.kind = archive_entry_hardlink(entry) ? EntryKind::kLink : EntryKind::kFile;
        break;
    case AE_IFDIR:
        item.kind = EntryKind::kFolder;
        break;
    case AE_IFLNK:
        item.kind = EntryKind::kLink;
        break;
    default:
        item.kind = archive_entry_hardlink(entry) ? EntryKind::kLink : EntryKind::kOther;
    }
    return true;
}

size_t ArchiveReader::ReadBlock(const char*& pBlock) {
    const void* pData = nullptr;
    size_t lSize = 0;
    la_int64_t lOffset = 0;
    // RAR5 hands out empty blocks while it fills its window.
    int lResult = ARCHIVE_OK;
    do {
        lResult = archive_read_data_block(pArchive, &pData, &lSize, &lOffset);
    } while (lResult == ARCHIVE_OK && lSize == 0);
    // Fewer bytes than announced is the first damage to tell: libarchive
    // may only warn of it, or not at all.
    const int64_t lReached = lEntryPos + (lResult == ARCHIVE_WARN ? static_cast<int64_t>(lSize) : 0);
    if ((lResult == ARCHIVE_EOF || lResult == ARCHIVE_WARN) && lReached < lEntrySize)
        throw ArchiveProblem(ArchiveProblem::Kind::kDamaged, "it ends early", szEntry);
    if (lResult == ARCHIVE_EOF) return 0;
    if (lResult != ARCHIVE_OK) Fail();
    // Zip, 7z and RAR entries come whole, in order: a block elsewhere is a
    // damaged archive.
    if (lOffset != lEntryPos) throw ArchiveProblem(ArchiveProblem::Kind::kDamaged, "a block out of order", szEntry);
    lEntryPos = lOffset + static_cast<int64_t>(lSize);
    pBlock = static_cast<const char*>(pData);
    return lSize;
}

size_t ArchiveReader::Read(char* pBuffer, size_t lSize) {
    const la_ssize_t lRead = archive_read_data(pArchive, pBuffer, lSize);
    if (lRead < 0) Fail();
    return static_cast<size_t>(lRead);
}

void ArchiveReader::Fail() {
    if (failure) std::rethrow_exception(failure);
    if (bStop) throw ArchiveProblem(ArchiveProblem::Kind::kStopped, "");
    std::string szError = archive_error_string(pArchive) ? archive_error_string(pArchive) : "";
    while (!szError.empty() && std::isspace(static_cast<unsigned char>(szError.back()))) szError.pop_back();
    if (archive_read_has_encrypted_entries(pArchive) > 0 || Mentions(szError, "ncrypt") ||
        Mentions(szError, "assphrase") || Mentions(szError, "assword"))
        throw ArchiveProblem(ArchiveProblem::Kind::kEncrypted, szError);
    throw ArchiveProblem(ArchiveProblem::Kind::kDamaged, szError, szEntry);
}

void ArchiveReader::CheckEnd(const std::string& szLast) {
    const int lFormat = archive_format(pArchive) & ARCHIVE_FORMAT_BASE_MASK;
    if (lFormat != ARCHIVE_FORMAT_RAR && lFormat != ARCHIVE_FORMAT_RAR_V5) return;
    std::string szTail(static_cast<size_t>(std::min<uint64_t>(lFileSize, 64)), '\0');
    file.SeekTo(lFileSize - szTail.size());
    for (size_t lGot = 0, lRead = 1; lGot < szTail.size() && lRead > 0; lGot += lRead)
        lRead = file.Read(szTail.data() + lGot, szTail.size() - lGot);
    if (!EndsWithRarEndBlock(szTail, lFormat == ARCHIVE_FORMAT_RAR_V5))
        throw ArchiveProblem(ArchiveProblem::Kind::kDamaged,
                             szLast.empty() ? "it ends without its end-of-archive block"
                                            : "the archive stops after it, without its end-of-archive block",
                             szLast);
}

// The callbacks run inside libarchive's C code, which no exception may
// cross: a failure is kept and thrown once libarchive has returned.
la_ssize_t ArchiveReader::ReadBlock(archive* pArchive, void* pThis, const void** ppBuffer) {
    ArchiveReader& reader = *static_cast<ArchiveReader*>(pThis);
    if (reader.bStop) {
        archive_set_error(pArchive, ECANCELED, "stopped");
        return -1;
    }
    try {
        const size_t lRead = reader.file.Read(reader.buffer.data(), reader.buffer.size());
        reader.lPos += lRead;
        *ppBuffer = reader.buffer.data();
        return static_cast<la_ssize_t>(lRead);
    } catch (...) {
        reader.failure = std::current_exception();
        archive_set_error(pArchive, EIO, "read failed");
        return -1;
    }
}

la_int64_t ArchiveReader::SeekTo(archive* pArchive, void* pThis, la_int64_t lOffset, int lWhence) {
    ArchiveReader& reader = *static_cast<ArchiveReader*>(pThis);
    const int64_t lBase = lWhence == SEEK_SET ? 0 : lWhence == SEEK_CUR ? static_cast<int64_t>(reader.lPos.load())
                                                                       : static_cast<int64_t>(reader.lFileSize);
    const int64_t lTo = std::min<int64_t>(std::max<int64_t>(lBase + lOffset, 0), static_cast<int64_t>(reader.lFileSize));
    try {
        reader.file.SeekTo(static_cast<uint64_t>(lTo));
        reader.lPos = static_cast<uint64_t>(lTo);
        return lTo;
    } catch (...) {
        reader.failure = std::current_exception();
        archive_set_error(pArchive, EIO, "seek failed");
        return ARCHIVE_FATAL;
    }
}

la_int64_t ArchiveReader::SkipOver(archive* pArchive, void* pThis, la_int64_t lBytes) {
    const int64_t lFrom = static_cast<int64_t>(static_cast<ArchiveReader*>(pThis)->lPos.load());
    const la_int64_t lTo = SeekTo(pArchive, pThis, lBytes, SEEK_CUR);
    return lTo < 0 ? 0 : lTo - lFrom;
}

}  // namespace corvane
