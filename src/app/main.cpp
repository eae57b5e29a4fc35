// Corvane.exe's entry point: the Windows services, then the program.
#include "platform/win32.h"

#include <commctrl.h>

#include "platform/app_info.h"
#include "platform/win_file_version.h"
#include "platform/win_platform.h"
#include "platform/win_registry.h"
#include "platform/win_wine_host.h"
#include "app/corvane_app.h"
#include "state/app_version.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    const std::string szAppPath = corvane::AppPath();
    corvane::WinPlatform services(szAppPath, CORVANE_APP_TITLE);
    corvane::WinRegistry gameKeys;
    corvane::WinRegistry machine(HKEY_LOCAL_MACHINE, corvane::RegistryRights::kReadOnly);
    corvane::WinRegistry user(HKEY_CURRENT_USER, corvane::RegistryRights::kReadOnly);
    corvane::WinFileVersions versions;
    corvane::WinWineHost wine;
    const corvane::GameSources games{gameKeys, machine, user, services.files, versions, wine};
    corvane::CorvaneApp app(services.Get(), games, szAppPath, corvane::ArgumentText());
    return app.Main();
}
