// What the program's command line asks for.
#pragma once

#include <string>

namespace corvane {

// The ways the program can be started.
enum class Road {
    kNormal,  // the main window
    kSilent,  // -SILENT <mod>: one configuration file with Generals
    kPlay,    // -PLAY <game> [<mod>] [-- <switches>]
    kCheck,   // -CHECK <game>: the check of that game's folder, alone
    kHelp,    // -? or /?: the forms above in a message box
    kInstall, // -INSTALL <archive>: the "Install Mod" window alone
    kFingerprint,  // -FINGERPRINT <game> [<mod>]: the "Fingerprint" window alone
};

// "-SILENT" anywhere, in any letter case, wins over everything else, as it
// always has; -PLAY, -CHECK, -INSTALL, -FINGERPRINT, -? and /? count only as the first word, in any letter
// case. Any other text gives the main window.
Road RoadOf(const std::string& szArguments);

// "-SILENT" anywhere in the arguments, in any letter case, asks for a silent
// launch of the mod whose name starts at the ninth character: the result is
// that mod's configuration file in the program folder. Empty when the
// arguments do not ask for it.
std::string SilentConfigPath(const std::string& szArguments, const std::string& szAppPath);

// The archive -INSTALL names: the rest of the arguments, without the
// quotes around it.
std::string InstallArchive(const std::string& szArguments);

// What -? shows: every form, with an example each.
std::string CommandLineHelp();

}  // namespace corvane
