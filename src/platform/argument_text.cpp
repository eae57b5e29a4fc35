#include "platform/argument_text.h"

namespace corvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string ArgumentTextOf(const std::string& szCommandLine) {
    size_t i = 0;
    if (!szCommandLine.empty() && szCommandLine[0] == '"') {
        const size_t lClose = szCommandLine.find('"', 1);
        i = lClose == std::string::npos ? szCommandLine.size() : lClose + 1;
    } else {
        while (i < szCommandLine.size() && !IsBlank(szCommandLine[i])) ++i;
    }
    while (i < szCommandLine.size() && IsBlank(szCommandLine[i])) ++i;
    return szCommandLine.substr(i);
}

}  // namespace corvane
