#include "state/command_line.h"

#include <algorithm>
#include <cctype>

namespace corvane {

namespace {

std::string UpperCase(std::string szText) {
    std::transform(szText.begin(), szText.end(), szText.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return szText;
}

}  // namespace

std::string SilentConfigPath(const std::string& szArguments, const std::string& szAppPath) {
    if (UpperCase(szArguments).find("-SILENT") == std::string::npos) return {};
    // The name is taken from the ninth character whatever stands before it,
    // exactly as typed: "-SILENT " is eight characters long.
    const std::string szName = szArguments.size() > 8 ? szArguments.substr(8) : std::string();
    return szAppPath + "\\" + szName + ".zcf";
}

}  // namespace corvane
