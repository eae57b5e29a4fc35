// The hashes of the files a fingerprint read before, by their path, size
// and last write, kept in a file beside the program, so that a second
// fingerprint of files that did not change costs little more than
// listing them.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "fingerprint/file_hashes.h"
#include "platform/file_system.h"
#include "platform/problem_log.h"

namespace corvane {

// Its name beside Corvane.exe.
inline constexpr const char* kHashCacheName = "Corvane.hashes";

// Records of files a fingerprint does not meet again are kept: the files
// of another mod the player plays now and then are not read again either.
class HashCache {
public:
    HashCache(FileSystem& files, ProblemLog& problems, std::string szPath)
        : files(files), problems(problems), szPath(std::move(szPath)) {}

    // Reads the file. One that cannot be read or is damaged is noted in
    // the problem log and left for Save to write anew: every file is
    // hashed again.
    void Load();
    // What the file at szSource held when it had that size and last write.
    const FileHashes* Find(const std::string& szSource, uint64_t lSize, uint64_t lWriteTime) const;
    void Keep(const std::string& szSource, uint64_t lSize, uint64_t lWriteTime, FileHashes hashes);
    // Writes the file whole or not at all, when it holds anything new. A
    // failure is noted, not thrown: the fingerprint stands without its cache.
    void Save();

private:
    struct Record {
        uint64_t lSize = 0;
        uint64_t lWriteTime = 0;
        FileHashes hashes;
    };

    std::string Text() const;
    bool Parse(const std::string& szText);

    FileSystem& files;
    ProblemLog& problems;
    std::string szPath;
    std::map<std::string, Record> records;  // by the source's canonical name
    bool bChanged = false;  // since it was loaded or saved
};

}  // namespace corvane
