// The drives and shares that paths lie on: when the absence of a path can
// be believed, the volume a path lies on, and what an item is on its volume
// however its path is spelt.
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace corvane {

// Returns when lError, the failure of szCall on szPath, says that nothing
// is there and the path's drive or share answers: a drive that is gone
// reports its paths as not found. Throws that failure, or the root's,
// otherwise.
void RequireTrueAbsence(unsigned long lError, const std::string& szCall, const std::string& szPath);

// The volume szPath lies on; see FileSystem::Volume.
VolumeInfo VolumeOf(const std::string& szPath);

// The volume's serial number and the item's index on it; see
// FileSystem::Identity.
std::optional<std::string> IdentityOf(const std::string& szPath);

}  // namespace corvane
