// Folder rights and elevation through the Windows security calls and the
// shell's "runas".
#pragma once

#include "platform/admin_rights.h"

namespace corvane {

class WinAdminRights : public AdminRights {
public:
    bool MayChange(const std::string& szFolder) override;
    bool IsAdministrator() override;
    bool RestartAsAdministrator() override;
};

}  // namespace corvane
