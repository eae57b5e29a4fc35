// In-memory stand-ins for files: an input file that can hand out its bytes in
// small pieces or fail on a chosen read, and a file system that behaves as
// the real one does for the operations the mod files use.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace corvane::test {

class MemoryInputFile : public InputFile {
public:
    // lChunk limits the bytes one read gives (0: no limit); the read number
    // lFailAtRead (counted from 1) throws PlatformError.
    explicit MemoryInputFile(std::string szBytes, size_t lChunk = 0, int lFailAtRead = 0);
    size_t Read(char* pBuffer, size_t lSize) override;
    void Rewind() override { lPos = 0; }
    int Reads() const { return lReads; }

private:
    std::string szBytes;
    size_t lChunk;
    int lFailAtRead;
    size_t lPos = 0;
    int lReads = 0;
};

// szUnit repeated lTimes, without holding the whole file in memory.
class RepeatingInputFile : public InputFile {
public:
    RepeatingInputFile(std::string szUnit, size_t lTimes) : szUnit(std::move(szUnit)), lTimes(lTimes) {}
    size_t Read(char* pBuffer, size_t lSize) override;
    void Rewind() override { lPos = 0; }

private:
    std::string szUnit;
    size_t lTimes;
    size_t lPos = 0;
};

// Paths are kept exactly as given; a path not in the map does not exist.
// Dir lists in reverse name order so that callers cannot rely on it.
class MemoryFileSystem : public FileSystem {
public:
    struct Entry {
        uint32_t lAttr = kAttrArchive;
        std::string szBytes;
    };
    std::map<std::string, Entry> entries;
    std::string szFailOn;  // GetAttr and Dir of this path or pattern throw
    int lFailAtRead = 0;   // handed to every file opened
    size_t lChunk = 0;

    void AddFile(const std::string& szPath, const std::string& szBytes, uint32_t lAttr = kAttrArchive);
    void AddFolder(const std::string& szPath, uint32_t lAttr = kAttrDirectory);

    std::vector<std::string> Dir(const std::string& szPattern, uint32_t lAttr) override;
    uint32_t GetAttr(const std::string& szPath) override;
    // Not needed by the mod files.
    bool Exists(const std::string&) override { Unused(); }
    bool FileExists(const std::string&) override { Unused(); }
    void ClearAttributes(const std::string&) override { Unused(); }
    void Rename(const std::string&, const std::string&) override { Unused(); }
    void CreateFolder(const std::string&) override { Unused(); }
    void Kill(const std::string& szPath) override;
    std::unique_ptr<InputFile> OpenInput(const std::string& szPath) override;
    void WriteFile(const std::string& szPath, const std::string& szContent) override;

private:
    [[noreturn]] static void Unused();
    Entry& Find(const std::string& szOp, const std::string& szPath);
};

// Records every message instead of showing it.
class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        std::string szPrompt;
        uint32_t lStyle;
    };
    std::vector<Shown> shown;
    int Show(const std::string& szPrompt, uint32_t lStyle) override {
        shown.push_back({szPrompt, lStyle});
        return kAnswerOk;
    }
};

}  // namespace corvane::test
