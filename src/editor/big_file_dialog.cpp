#include "editor/big_file_dialog.h"

#include "ui/open_file_dialog.h"

namespace corvane {

std::optional<std::string> AskForBigFile(HWND hOwner) {
    return ui::AskForFile(hOwner, {"BIG Files (*.big)\0*.big\0", nullptr, "BIG", "*.BIG"});
}

}  // namespace corvane
