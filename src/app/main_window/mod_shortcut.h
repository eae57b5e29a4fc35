// A desktop shortcut that plays a mod: this Corvane.exe with the game, the
// mod and the switches ticked when it was made, started in Corvane's folder
// and shown with its icon.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace corvane {

// Asks before it replaces a shortcut of the same name. A failure is noted
// in Corvane.log and told in a message box.
void MakeModShortcut(const Platform& platform, const std::string& szAppPath, const std::string& szModTitle,
                     int16_t dGame, const std::string& szSwitches);

}  // namespace corvane
