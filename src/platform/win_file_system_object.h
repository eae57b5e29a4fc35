// The copies and deletes of the swap and the restore on the Windows file
// system.
#pragma once

#include "platform/file_system_object.h"

namespace corvane {

class WinFileSystemObject : public FileSystemObject {
public:
    void CopyFile(const std::string& szSource, const std::string& szDestination, CopyGuide* guide = nullptr,
                  std::optional<uint64_t> lSize = std::nullopt) override;
    void CopyFolder(const std::string& szSource, const std::string& szDestination,
                    CopyGuide* guide = nullptr) override;
    void DeleteFile(const std::string& szPath, bool bForce = false) override;
    bool DeleteFolder(const std::string& szPath, DeleteFilter* filter = nullptr) override;
    corvane::FolderBytes FolderBytes(const std::string& szFolder, CopyGuide* guide = nullptr) override;
};

}  // namespace corvane
