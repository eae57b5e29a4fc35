#include "support/test_files.h"

#include <sstream>
#include <stdexcept>
#include <vector>

#include "platform/win32.h"
#include "platform/win_find.h"

namespace corvane::test {

namespace {

std::string ParentOf(const std::string& szPath) {
    const size_t lSlash = szPath.find_last_of('\\');
    return lSlash == std::string::npos ? std::string() : szPath.substr(0, lSlash);
}

void Snapshot(const std::string& szRoot, const std::string& szRelative, TreeSnapshot& tree) {
    ForEachEntry(szRelative.empty() ? szRoot : szRoot + "\\" + szRelative, [&](const std::string& szName, uint32_t lAttr) {
        const std::string szChild = szRelative.empty() ? szName : szRelative + "\\" + szName;
        const bool bFolder = lAttr & FILE_ATTRIBUTE_DIRECTORY;
        tree[szChild] = bFolder ? "<folder>" : ReadBytes(szRoot + "\\" + szChild);
        if (bFolder) Snapshot(szRoot, szChild, tree);
    });
}

}  // namespace

void WriteBytes(const std::string& szPath, const std::string& szBytes) {
    const std::string szParent = ParentOf(szPath);
    if (!szParent.empty()) MakeFolders(szParent);
    HANDLE h = CreateFileA(szPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + szPath);
    DWORD lWritten = 0;
    const BOOL bOk = szBytes.empty() ||
                     WriteFile(h, szBytes.data(), static_cast<DWORD>(szBytes.size()), &lWritten, nullptr);
    CloseHandle(h);
    if (!bOk || lWritten != szBytes.size()) throw std::runtime_error("cannot write " + szPath);
}

// Shares delete too: a file just renamed into place (the stand-in game's
// report) is still open for the rename for a moment after it appears.
std::string ReadBytes(const std::string& szPath) {
    HANDLE h = CreateFileA(szPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot read " + szPath + " (error " + std::to_string(GetLastError()) + ")");
    std::string szBytes;
    std::vector<char> buffer(1 << 16);
    DWORD lRead = 0;
    while (ReadFile(h, buffer.data(), static_cast<DWORD>(buffer.size()), &lRead, nullptr) && lRead > 0)
        szBytes.append(buffer.data(), lRead);
    CloseHandle(h);
    return szBytes;
}

void MakeFolders(const std::string& szPath) {
    if (szPath.empty() || Present(szPath)) return;
    const std::string szParent = ParentOf(szPath);
    if (!szParent.empty() && szParent.back() != ':') MakeFolders(szParent);
    if (!CreateDirectoryA(szPath.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot create " + szPath);
}

void SetAttributes(const std::string& szPath, uint32_t lAttributes) {
    if (!SetFileAttributesA(szPath.c_str(), lAttributes ? lAttributes : FILE_ATTRIBUTE_NORMAL))
        throw std::runtime_error("cannot set the attributes of " + szPath);
}

uint32_t Attributes(const std::string& szPath) { return GetFileAttributesA(szPath.c_str()); }

uint32_t LinkCount(const std::string& szPath) {
    HANDLE hFile = CreateFileA(szPath.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL bRead = GetFileInformationByHandle(hFile, &info);
    CloseHandle(hFile);
    return bRead ? info.nNumberOfLinks : 0;
}

bool Present(const std::string& szPath) { return Attributes(szPath) != INVALID_FILE_ATTRIBUTES; }

void ForEachEntry(const std::string& szFolder, const std::function<void(const std::string&, uint32_t)>& visit) {
    for (const FoundEntry& entry : FindEntries(szFolder + "\\*"))
        if (entry.szName != "." && entry.szName != "..") visit(entry.szName, entry.lAttributes);
}

TreeSnapshot SnapshotTree(const std::string& szRoot) {
    TreeSnapshot tree;
    Snapshot(szRoot, "", tree);
    return tree;
}

std::string Describe(const TreeSnapshot& tree) {
    std::ostringstream out;
    for (const auto& [szPath, szContent] : tree) {
        out << "  " << szPath;
        if (szContent == "<folder>")
            out << "\\\n";
        else
            out << " (" << szContent.size() << " bytes)\n";
    }
    return out.str();
}

ScopedEnvironment::ScopedEnvironment(std::string szVariable, const std::string& szValue)
    : szName(std::move(szVariable)) {
    char szBuffer[32768];
    const DWORD lLength = GetEnvironmentVariableA(szName.c_str(), szBuffer, sizeof(szBuffer));
    bHadValue = lLength > 0 && lLength < sizeof(szBuffer);
    if (bHadValue) szOldValue.assign(szBuffer, lLength);
    SetEnvironmentVariableA(szName.c_str(), szValue.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableA(szName.c_str(), bHadValue ? szOldValue.c_str() : nullptr);
}

}  // namespace corvane::test
