#include "platform/file_system.h"

#include <vector>

#include "platform/platform_error.h"
#include "platform/sha256.h"

namespace corvane {

namespace {

constexpr uint32_t kFileNotFound = 2;
constexpr size_t kHashBlock = 1 << 20;

}  // namespace

uint32_t FileSystem::GetAttr(const std::string& szPath) {
    const std::optional<ItemInfo> item = Stat(szPath);
    if (!item) throw PlatformError("GetFileAttributesA", szPath, kFileNotFound, "The system cannot find the file specified");
    return item->lAttr;
}

bool FileSystem::Exists(const std::string& szPath) {
    const std::optional<ItemInfo> item = Stat(szPath);
    return item && item->IsVisible();
}

bool FileSystem::FileExists(const std::string& szPath) {
    const std::optional<ItemInfo> item = Stat(szPath);
    return item && item->IsVisible() && !item->IsFolder();
}

std::string FileSystem::Sha256(const std::string& szPath) {
    const std::unique_ptr<InputFile> file = OpenInput(szPath);
    std::vector<char> block(kHashBlock);
    Sha256Hasher hasher;
    for (size_t lRead; (lRead = file->Read(block.data(), block.size())) > 0;) hasher.Add(block.data(), lRead);
    return hasher.FinishHex();
}

}  // namespace corvane
