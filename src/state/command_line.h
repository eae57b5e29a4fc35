// What the program's command line asks for.
#pragma once

#include <string>

namespace corvane {

// "-SILENT" anywhere in the arguments, in any letter case, asks for a silent
// launch of the mod whose name starts at the ninth character: the result is
// that mod's configuration file in the program folder. Empty when the
// arguments do not ask for it.
std::string SilentConfigPath(const std::string& szArguments, const std::string& szAppPath);

}  // namespace corvane
