// What the program's command line asks for.
#pragma once

#include <string>

namespace corvane {

// The program's arguments as typed: the command line without the program's
// own name (quoted or not), leading blanks removed, everything else kept.
std::string ArgumentTextOf(const std::string& szCommandLine);

// "-SILENT" anywhere in the arguments, in any letter case, asks for a silent
// launch of the mod whose name starts at the ninth character: the result is
// that mod's configuration file in the program folder. Empty when the
// arguments do not ask for it.
std::string SilentConfigPath(const std::string& szArguments, const std::string& szAppPath);

}  // namespace corvane
