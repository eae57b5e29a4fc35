#include "app/main_window/tool_windows.h"

#include <utility>

namespace corvane {

ToolWindows::ToolWindows(ProgramState& state, const Platform& platform, const std::string& szAppPath,
                         std::function<std::string()> szGameFolder)
    : folderChooser(std::move(szGameFolder)),
      modEditor(state, platform, szAppPath, folderChooser),
      folderCheck(state, platform, szAppPath),
      installer(platform, szAppPath),
      fingerprint(state, platform, szAppPath) {}

void ToolWindows::UnloadAll() {
    folderChooser.Unload();
    modEditor.Unload();
    folderCheck.Unload();
    fingerprint.Unload();
    installer.Unload();
}

}  // namespace corvane
