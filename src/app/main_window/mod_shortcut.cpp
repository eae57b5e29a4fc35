#include "app/main_window/mod_shortcut.h"

#include <exception>

#include "app/main_window/main_texts.h"
#include "app/main_window/try_step.h"
#include "platform/app_info.h"
#include "state/play_request.h"

namespace corvane {

void MakeModShortcut(const Platform& platform, const std::string& szAppPath, const std::string& szModTitle,
                     int16_t dGame, const std::string& szSwitches) {
    try {
        const std::string szName = ShortcutName(szModTitle, dGame);
        const std::string szPath = platform.shortcuts.DesktopFolder() + "\\" + szName + ".lnk";
        if (platform.files.Stat(szPath) &&
            platform.messageBoxes.Show("There is a shortcut \"" + szName + "\" on the desktop already. Replace it?",
                                       kMsgYesNo | kMsgQuestion) != kAnswerYes)
            return;
        const std::string szProgram = ProgramFile();
        platform.shortcuts.Save(szPath, {szProgram, PlayArguments(dGame, szModTitle, szSwitches), szAppPath, szProgram});
    } catch (const std::exception& e) {
        platform.problems.Note(std::string("The desktop shortcut could not be made: ") + e.what());
        TryStep([&] { platform.messageBoxes.Show("The desktop shortcut could not be made.", kMsgOkOnly | kMsgCritical); });
    }
}

}  // namespace corvane
