// Whether Windows lets the program change a folder, and a way to ask the
// player for administrator rights when it does not.
#pragma once

#include <string>

namespace corvane {

class AdminRights {
public:
    virtual ~AdminRights() = default;
    // Windows would let this program create and delete items in the folder.
    // Asks without changing anything; when it cannot tell, says yes.
    virtual bool MayChange(const std::string& szFolder) = 0;
    virtual bool IsAdministrator() = 0;
    // Starts this program again, with the same command line, through the
    // system's elevation prompt; false when the player refused or it failed.
    virtual bool RestartAsAdministrator() = 0;
};

}  // namespace corvane
