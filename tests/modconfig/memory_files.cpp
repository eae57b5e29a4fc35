#include "modconfig/memory_files.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/platform_error.h"

namespace corvane::test {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "*" and "?" as the platform knows them, without regard to letter case.
bool Matches(const char* pName, const char* pWild) {
    if (*pWild == '\0') return *pName == '\0';
    if (*pWild == '*') return Matches(pName, pWild + 1) || (*pName != '\0' && Matches(pName + 1, pWild));
    if (*pName == '\0') return false;
    return (*pWild == '?' || Lower(*pWild) == Lower(*pName)) && Matches(pName + 1, pWild + 1);
}

// "*.*" also matches names without a dot.
bool MatchesPattern(const std::string& szName, const std::string& szWild) {
    return szWild == "*.*" ? true : Matches(szName.c_str(), szWild.c_str());
}

}  // namespace

MemoryInputFile::MemoryInputFile(std::string szBytes, size_t lChunk, int lFailAtRead)
    : szBytes(std::move(szBytes)), lChunk(lChunk), lFailAtRead(lFailAtRead) {}

size_t MemoryInputFile::Read(char* pBuffer, size_t lSize) {
    if (++lReads == lFailAtRead) throw PlatformError("ReadFile", "memory", 23);
    size_t lCount = std::min(lSize, szBytes.size() - lPos);
    if (lChunk != 0) lCount = std::min(lCount, lChunk);
    std::memcpy(pBuffer, szBytes.data() + lPos, lCount);
    lPos += lCount;
    return lCount;
}

size_t RepeatingInputFile::Read(char* pBuffer, size_t lSize) {
    size_t lCount = 0;
    while (lCount < lSize && lPos < szUnit.size() * lTimes) {
        const size_t lOffset = lPos % szUnit.size();
        const size_t lPart = std::min(lSize - lCount, szUnit.size() - lOffset);
        std::memcpy(pBuffer + lCount, szUnit.data() + lOffset, lPart);
        lCount += lPart;
        lPos += lPart;
    }
    return lCount;
}

void MemoryFileSystem::AddFile(const std::string& szPath, const std::string& szBytes, uint32_t lAttr) {
    entries[szPath] = {lAttr, szBytes};
}

void MemoryFileSystem::AddFolder(const std::string& szPath, uint32_t lAttr) {
    entries[szPath] = {lAttr | kAttrDirectory, ""};
}

MemoryFileSystem::Entry& MemoryFileSystem::Find(const std::string& szOp, const std::string& szPath) {
    auto it = entries.find(szPath);
    if (it == entries.end() || szPath == szFailOn) throw PlatformError(szOp, szPath, 2);
    return it->second;
}

std::vector<std::string> MemoryFileSystem::Dir(const std::string& szPattern, uint32_t lAttr) {
    if (szPattern == szFailOn) throw PlatformError("FindFirstFileA", szPattern, 5);
    const size_t lSlash = szPattern.rfind('\\');
    const std::string szFolder = szPattern.substr(0, lSlash);
    const std::string szWild = szPattern.substr(lSlash + 1);
    std::vector<std::string> lstNames;
    if (lAttr == kAttrDirectory && entries.count(szFolder)) lstNames = {".", ".."};
    for (const auto& [szPath, entry] : entries) {
        const size_t lEnd = szPath.rfind('\\');
        if (lEnd == std::string::npos || szPath.substr(0, lEnd) != szFolder) continue;
        const std::string szName = szPath.substr(lEnd + 1);
        if (entry.lAttr & (kAttrHidden | kAttrSystem)) continue;
        if ((entry.lAttr & kAttrDirectory) && !(lAttr & kAttrDirectory)) continue;
        if (MatchesPattern(szName, szWild)) lstNames.push_back(szName);
    }
    std::reverse(lstNames.begin(), lstNames.end());
    return lstNames;
}

uint32_t MemoryFileSystem::GetAttr(const std::string& szPath) {
    const size_t lSlash = szPath.rfind('\\');
    const std::string szName = szPath.substr(lSlash + 1);
    if (szName == "." || szName == "..") return kAttrDirectory;
    return Find("GetFileAttributesA", szPath).lAttr;
}

void MemoryFileSystem::Unused() { throw std::logic_error("not used by the mod files"); }

void MemoryFileSystem::Kill(const std::string& szPath) {
    if (Find("DeleteFileA", szPath).lAttr & kAttrReadOnly) throw PlatformError("DeleteFileA", szPath, 5);
    entries.erase(szPath);
}

std::unique_ptr<InputFile> MemoryFileSystem::OpenInput(const std::string& szPath) {
    const Entry& entry = Find("CreateFileA", szPath);
    if (entry.lAttr & kAttrDirectory) throw PlatformError("CreateFileA", szPath, 5);
    return std::make_unique<MemoryInputFile>(entry.szBytes, lChunk, lFailAtRead);
}

void MemoryFileSystem::WriteFile(const std::string& szPath, const std::string& szContent) {
    auto it = entries.find(szPath);
    if (szPath == szFailOn || (it != entries.end() && (it->second.lAttr & (kAttrReadOnly | kAttrDirectory))))
        throw PlatformError("CreateFileA", szPath, 5);
    entries[szPath] = {kAttrArchive, szContent};
}

}  // namespace corvane::test
