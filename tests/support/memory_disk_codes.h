// What both halves of the disk in memory share: the Windows error codes it
// answers with, and how it reads a path.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "launch/targets/launch_rules.h"
#include "platform/file_system.h"

namespace corvane::test::memory_disk {

inline constexpr uint32_t kInvalidFunction = 1, kNotFound = 2, kPathNotFound = 3, kAccessDenied = 5,
                          kNotSameDevice = 17, kNotReady = 21, kExists = 183, kInjected = 1117;
inline constexpr uint32_t kOwnAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem;

inline std::string NameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of('\\') + 1); }

inline bool IsDriveRoot(const std::string& szFolded) { return szFolded.size() == 2 && szFolded[1] == ':'; }

inline std::string DriveOf(const std::string& szPath) { return FoldPath(szPath.substr(0, 2)); }

inline size_t Depth(const std::string& szPath) { return std::count(szPath.begin(), szPath.end(), '\\'); }

}  // namespace corvane::test::memory_disk
