#include "app/main_window/main_menus.h"

#include "ui/popup_menu.h"

namespace corvane {

namespace {

constexpr UINT kMnuCreateShortcut = 1;
constexpr UINT kMnuCheckFolder = 2;
constexpr UINT kMnuInstallMod = 3;
constexpr UINT kMnuFingerprint = 4;

}  // namespace

bool TrackGameMenu(HWND hOwner, POINT ptScreen) {
    ui::PopupMenu mnuGame;
    mnuGame.AddItem(kMnuCheckFolder, "Check Game Folder...");
    return mnuGame.Track(hOwner, ptScreen) == kMnuCheckFolder;
}

ModCommand TrackModMenu(HWND hOwner, POINT ptScreen, bool bGameSelected, bool bLaunchWorking) {
    ui::PopupMenu mnuMod;
    mnuMod.AddItem(kMnuCreateShortcut,
                   bGameSelected ? "Create Desktop Shortcut" : "Create Desktop Shortcut (no game selected)",
                   bGameSelected);
    mnuMod.AddItem(kMnuInstallMod, "Install Mod from Download...", !bLaunchWorking);
    mnuMod.AddItem(kMnuFingerprint, "Fingerprint...", bGameSelected && !bLaunchWorking);
    switch (mnuMod.Track(hOwner, ptScreen)) {
    case kMnuCreateShortcut:
        return ModCommand::kCreateShortcut;
    case kMnuInstallMod:
        return ModCommand::kInstallMod;
    case kMnuFingerprint:
        return ModCommand::kFingerprint;
    default:
        return ModCommand::kNone;
    }
}

}  // namespace corvane
