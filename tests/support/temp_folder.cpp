#include "support/temp_folder.h"

#include <atomic>
#include <stdexcept>

#include "platform/win32.h"
#include "support/test_files.h"

namespace corvane::test {

std::string UniqueScratchName(const std::string& szPrefix) {
    static std::atomic<unsigned> lCounter{0};
    return szPrefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) +
           "-" + std::to_string(lCounter++);
}

TempFolder::TempFolder() {
    char szTemp[MAX_PATH + 1] = {};
    const DWORD lLength = GetTempPathA(MAX_PATH, szTemp);
    if (lLength == 0 || lLength > MAX_PATH) throw std::runtime_error("GetTempPathA failed");
    std::string szBase(szTemp, lLength);
    if (!szBase.empty() && szBase.back() == '\\') szBase.pop_back();
    szPath = szBase + "\\" + UniqueScratchName("corvane-test-");
    if (!CreateDirectoryA(szPath.c_str(), nullptr))
        throw std::runtime_error("cannot create the scratch folder " + szPath);
}

TempFolder::~TempFolder() { RemoveTree(szPath); }

void RemoveTree(const std::string& szPath) {
    const DWORD lAttr = GetFileAttributesA(szPath.c_str());
    if (lAttr == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(szPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(lAttr & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(szPath.c_str());
        return;
    }
    ForEachEntry(szPath, [&](const std::string& szName, uint32_t) { RemoveTree(szPath + "\\" + szName); });
    RemoveDirectoryA(szPath.c_str());
}

}  // namespace corvane::test
