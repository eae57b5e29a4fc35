#include "platform/file_system.h"

#include "platform/platform_error.h"

namespace corvane {

namespace {

constexpr uint32_t kFileNotFound = 2;

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

}  // namespace corvane
