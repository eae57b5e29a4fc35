// The program's arguments as Windows hands them over, in one text.
#pragma once

#include <string>

namespace corvane {

// The program's arguments as typed: the command line without the program's
// own name (quoted or not), leading blanks removed, everything else kept.
std::string ArgumentTextOf(const std::string& szCommandLine);

}  // namespace corvane
