// The file operations of the program's logic on the Windows file system,
// through the ANSI calls, paths passed exactly as built.
#pragma once

#include "platform/file_system.h"

namespace corvane {

class WinFileSystem : public FileSystem {
public:
    std::vector<DirEntry> Dir(const std::string& szPattern, uint32_t lAttr) override;
    std::optional<ItemInfo> Stat(const std::string& szPath) override;
    std::optional<ItemInfo> Look(const std::string& szPath) override;
    std::optional<std::string> Identity(const std::string& szPath) override;
    VolumeInfo Volume(const std::string& szPath) override;
    std::string ResolvedPath(const std::string& szPath) override;
    std::string DocumentsFolder() override;
    SystemFolders KnownSystemFolders() override;
    bool SameBytes(const std::string& szOne, const std::string& szOther) override;
    void SaveFile(const std::string& szPath, const std::string& szContent) override;
    void ClearAttributes(const std::string& szPath) override;
    void Rename(const std::string& szOldPath, const std::string& szNewPath) override;
    void CreateFolder(const std::string& szPath) override;
    void Kill(const std::string& szPath) override;
    std::unique_ptr<InputFile> OpenInput(const std::string& szPath) override;
    std::unique_ptr<OutputFile> CreateOutput(const std::string& szPath) override;
    void Hide(const std::string& szPath) override;
    std::string FromLegacyCodePage(const std::string& szBytes) override;
    // Each listing is a find handle of its own.
    bool ListsFromManyThreads() override { return true; }
};

}  // namespace corvane
