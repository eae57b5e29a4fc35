#include "startup/command_line.h"

#include <algorithm>
#include <cctype>

namespace corvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string UpperCase(std::string szText) {
    std::transform(szText.begin(), szText.end(), szText.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return szText;
}

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

std::string SilentConfigPath(const std::string& szArguments, const std::string& szAppPath) {
    if (UpperCase(szArguments).find("-SILENT") == std::string::npos) return {};
    // The name is taken from the ninth character whatever stands before it,
    // exactly as typed: "-SILENT " is eight characters long.
    const std::string szName = szArguments.size() > 8 ? szArguments.substr(8) : std::string();
    return szAppPath + "\\" + szName + ".zcf";
}

}  // namespace corvane
