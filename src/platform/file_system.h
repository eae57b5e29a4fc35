// Files and folders as the program's logic sees them. Paths are text in the
// program's code page (UTF-8 where Windows grants it, else the system's ANSI
// code page), passed to the operating system exactly as built: nothing is
// quoted, normalised or trimmed here. Every failure is thrown as
// PlatformError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// Attribute bits as the file system reports them.
inline constexpr uint32_t kAttrReadOnly = 1;
inline constexpr uint32_t kAttrHidden = 2;
inline constexpr uint32_t kAttrSystem = 4;
inline constexpr uint32_t kAttrDirectory = 16;
inline constexpr uint32_t kAttrArchive = 32;

// An open file read from its first byte; its bytes are handed over unchanged.
class InputFile {
public:
    virtual ~InputFile() = default;
    // Reads up to lSize bytes; 0 only at the end of the file.
    virtual size_t Read(char* pBuffer, size_t lSize) = 0;
    // Reads again from the first byte.
    virtual void Rewind() = 0;
    // Reads on from that byte.
    virtual void SeekTo(uint64_t lPos) = 0;
    // The file's length in bytes.
    virtual uint64_t Size() = 0;
};

// A new file written from its first byte on, block by block.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual void Write(const char* pData, size_t lSize) = 0;
    // Closes the file; one dropped unclosed keeps what was written.
    virtual void Close() = 0;
};

// One entry of a folder listing, with what the listing reports of it.
struct DirEntry {
    std::string szName;  // without folder
    uint32_t lAttr = 0;
    uint64_t lSize = 0;       // bytes of a file
    uint64_t lWriteTime = 0;  // last write, in 100 ns steps since 1601
};

// What the file system holds at a path, whatever its attributes.
struct ItemInfo {
    uint32_t lAttr = 0;
    uint64_t lSize = 0;       // bytes of a file; 0 for a folder
    uint64_t lWriteTime = 0;  // last write, in 100 ns steps since 1601 (a copy keeps its source's)

    bool IsFolder() const { return (lAttr & kAttrDirectory) != 0; }
    // Hidden and system items are the game's and the system's own business:
    // the program treats them as not there.
    bool IsVisible() const { return (lAttr & (kAttrHidden | kAttrSystem)) == 0; }
};

// The drive or share a path lies on.
struct VolumeInfo {
    std::string szRoot;  // its root folder (C:\ or \\server\share\ with the backslash)
    std::string szId;    // the same for every path on the volume, whatever its letter
    bool bLinks = false;  // files on it can be linked
    uint64_t lFree = 0;   // bytes this program may still write on it
    // szId is the volume's serial number. Where the volume cannot tell one
    // (under Wine: another Linux file system reached through Z:, a drive
    // mapped while Wine runs), it is the root's path instead.
    bool bSerial = true;
};

// The folders Windows keeps for itself, its programs and its users, as it
// names them; "" (or none) where it names none.
struct SystemFolders {
    std::string szWindows;
    std::vector<std::string> szProgramFiles;  // the 64-bit and the 32-bit one
    std::string szProgramData;
    std::string szUsers;    // every user's profile folder lies in it
    std::string szProfile;  // this user's
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The entries that match a wildcard pattern such as "C:\Mods\*.zcf", in
    // the order the file system lists them; letter case does not matter.
    // lAttr 0 lists ordinary files, read-only and archive ones included, and
    // leaves out hidden files, system files and folders. lAttr 16 lists the
    // same files and the folders that are neither hidden nor system, "." and
    // ".." included; adding 2 and 4 lists hidden and system entries too. A
    // folder that does not exist lists nothing.
    virtual std::vector<DirEntry> Dir(const std::string& szPattern, uint32_t lAttr) = 0;

    // The item at the path, hidden and system ones included; nothing when no
    // item is there, also when its drive or network path is not there.
    // Failures other than "not there" are thrown.
    virtual std::optional<ItemInfo> Stat(const std::string& szPath) = 0;
    // The item at the path for certain: nothing only when the path's drive
    // or share answers and holds no such item. A path whose state cannot be
    // read (a drive that is not ready or gone, a network path that does not
    // answer, access denied) is thrown, never taken for an absent item.
    virtual std::optional<ItemInfo> Look(const std::string& szPath) = 0;
    // What the path names whatever it is spelt like: letter case, short
    // names, a trailing backslash, a subst or mapped drive letter all give
    // the same text. Nothing when no item is there; unreadable paths throw;
    // "" where the volume tells no serial number (Wine's folders on another
    // Linux file system), whose file ids another volume may share.
    virtual std::optional<std::string> Identity(const std::string& szPath) = 0;
    // The volume the item at the path, or the nearest folder above it that
    // exists, lies on.
    virtual VolumeInfo Volume(const std::string& szPath) = 0;
    // The path made whole and plain: relative to the current folder where it
    // is not a full path, "." and ".." resolved, and the part of it that
    // exists followed through links, junctions and subst or mapped drive
    // letters to where it truly lies; the rest joined on as written.
    virtual std::string ResolvedPath(const std::string& szPath) = 0;
    // The player's Documents folder, where the games keep their own data.
    virtual std::string DocumentsFolder() = 0;
    virtual SystemFolders KnownSystemFolders() = 0;
    // The two files hold the same bytes.
    virtual bool SameBytes(const std::string& szOne, const std::string& szOther) = 0;
    // The file's SHA-256 in lower-case hexadecimal: what tells a download or
    // a game's program apart from every other. Read through OpenInput in
    // blocks, so a file of gigabytes costs no more memory than a small one.
    virtual std::string Sha256(const std::string& szPath);

    // Clears read-only, hidden, system and archive on one file or folder. A
    // file with more than one name is left as it is: its attributes are its
    // other names' too, and one of those is a mod's own archive.
    virtual void ClearAttributes(const std::string& szPath) = 0;
    // Gives a file or folder a new name in place; fails when the new name is taken.
    virtual void Rename(const std::string& szOldPath, const std::string& szNewPath) = 0;
    // Creates one folder whose parent exists.
    virtual void CreateFolder(const std::string& szPath) = 0;
    // Deletes one file; a read-only file is refused.
    virtual void Kill(const std::string& szPath) = 0;

    // Opens an existing file for reading.
    virtual std::unique_ptr<InputFile> OpenInput(const std::string& szPath) = 0;
    // Creates a new, empty file to be written in blocks, in a folder that
    // exists; fails when the name is taken.
    virtual std::unique_ptr<OutputFile> CreateOutput(const std::string& szPath) = 0;
    // Gives a file or folder the hidden attribute.
    virtual void Hide(const std::string& szPath) = 0;
    // Writes szContent under a name of its own beside szPath, flushes it to
    // the disk and puts it in place of szPath in one step: a crash or a full
    // disk leaves the old file or the new one, never half of either. A
    // read-only file at szPath is refused.
    virtual void SaveFile(const std::string& szPath, const std::string& szContent) = 0;

    // Text that older programs wrote in the system's legacy ANSI code page,
    // as the program's own text: converted where the program runs in UTF-8,
    // unchanged where its code page is that legacy one.
    virtual std::string FromLegacyCodePage(const std::string& szBytes) { return szBytes; }

    // Dir may be called from several threads at once.
    virtual bool ListsFromManyThreads() { return false; }

    // The entry's attribute bits, all of them; a missing entry is a failure.
    uint32_t GetAttr(const std::string& szPath);
    // A file or folder of that path exists and is neither hidden nor system.
    bool Exists(const std::string& szPath);
    // A file (not a folder) of that path exists and is neither hidden nor system.
    bool FileExists(const std::string& szPath);
};

}  // namespace corvane
