// Before the swap touches anything: whether the copies fit on the drives
// they go to. A mod that needs more than a drive has free would fill it half
// way through the swap.
#pragma once

#include <optional>
#include <string>

#include "launch/checks/source_check.h"
#include "platform/file_system.h"
#include "state/mod_config.h"

namespace corvane {

// The log line that names the space needed and the space free on the first
// drive the mod would fill, or nothing when it fits. Archives that will be
// linked, on the drive their source lies on, take no space.
std::optional<std::string> SpaceShortfall(const ModConfig& mod, const SourceCheck& check, FileSystem& files);

}  // namespace corvane
