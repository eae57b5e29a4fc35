// Any bytes as a mod's download, installed whole from the survey to the
// rename on the disk in memory: no crash, no hang, and what the player is
// promised holds whatever the archive claims. Nothing is written outside
// the new mod's folder and the staging folder, a refusal leaves nothing,
// no file gets more bytes than the archive announced for it, and the
// staging folder is gone at the end.
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "install/mod_install.h"
#include "support/fake_platform.h"
#include "support/memory_disk.h"

namespace {

constexpr const char* kApp = "C:\\Corvane";
constexpr const char* kDownload = "C:\\Downloads\\mod.zip";

void Expect(bool bHolds) {
    if (!bHolds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize) {
    static const bool bLocale = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;
    (void)bLocale;
    corvane::test::MemoryDisk disk;
    corvane::test::RecordingProblems log;
    corvane::test::FakeLocks locks;
    const std::string szDownload(reinterpret_cast<const char*>(pData), lSize);
    disk.AddFile(kDownload, szDownload);
    disk.AddFile(std::string(kApp) + "\\Corvane.exe", "MZ");
    const auto before = disk.Tree("C:");
    corvane::ModInstaller installer(disk, disk, locks, log, kApp, "CP437");
    corvane::InstallProgress progress;
    bool bInstalled = false;
    std::map<std::string, uint64_t> announced;  // by path in the mod's folder
    try {
        const corvane::ArchiveSurvey survey = installer.Survey(kDownload, progress);
        const std::string& szRoot = survey.root.szFolders.back();
        for (const auto& entry : corvane::ListInstall(survey.items, szRoot).entries) {
            announced[entry.szTarget] = survey.items[entry.lItem].lSize;
            for (size_t lSlash = entry.szTarget.find('\\'); lSlash != std::string::npos;
                 lSlash = entry.szTarget.find('\\', lSlash + 1))
                announced.emplace(entry.szTarget.substr(0, lSlash), 0);  // a folder above it
        }
        installer.Install(survey, szRoot, "Mod", progress);
        bInstalled = true;
    } catch (const corvane::InstallRefused&) {
    }
    auto after = disk.Tree("C:");
    if (bInstalled) {
        for (const auto& [szPath, szContent] : disk.Tree(std::string(kApp) + "\\Mod")) {
            Expect(announced.count(szPath) == 1);
            Expect(szContent == "<folder>" || szContent.size() <= announced.at(szPath));
            after.erase("Corvane\\Mod\\" + szPath);
        }
        Expect(after.erase("Corvane\\Mod") == 1);
    }
    Expect(after == before);
    return 0;
}
