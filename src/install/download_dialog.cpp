#include "install/download_dialog.h"

#include "ui/open_file_dialog.h"

namespace corvane {

std::optional<std::string> AskForDownload(HWND hOwner) {
    return ui::AskForFile(hOwner, {"Mod downloads (*.zip;*.7z;*.rar;*.exe)\0*.zip;*.7z;*.rar;*.exe\0",
                                   "Install Mod from Download"});
}

}  // namespace corvane
