#include "install/entry_names.h"

#include <algorithm>
#include <array>
#include <vector>

#include "install/name_case.h"

namespace corvane {

namespace {

// Windows opens these devices whatever extension follows and whatever
// blanks stand before it ("nul .txt"); the superscript digits count as
// digits for COM and LPT.
bool IsDeviceName(const std::string& szName) {
    std::string szBase = FoldName(szName.substr(0, szName.find('.')));
    while (!szBase.empty() && szBase.back() == ' ') szBase.pop_back();
    static const std::array<const char*, 6> kDevices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    if (std::find(kDevices.begin(), kDevices.end(), szBase) != kDevices.end()) return true;
    if (szBase.rfind("COM", 0) != 0 && szBase.rfind("LPT", 0) != 0) return false;
    const std::string szDigit = szBase.substr(3);
    return (szDigit.size() == 1 && szDigit[0] >= '1' && szDigit[0] <= '9') || szDigit == "\xC2\xB9" ||
           szDigit == "\xC2\xB2" || szDigit == "\xC2\xB3";
}

}  // namespace

std::string NameProblem(const std::string& szName) {
    if (szName.empty()) return "has an empty name";
    for (char c : szName) {
        if (static_cast<unsigned char>(c) < 32 || std::string("\\/:*?\"<>|").find(c) != std::string::npos)
            return "holds a character Windows does not allow in names (\\ / : * ? \" < > |)";
    }
    if (szName.back() == '.' || szName.back() == ' ') return "ends with a dot or a blank";
    if (IsDeviceName(szName)) return "is a device name Windows reserves (CON, NUL, COM1...)";
    if (Utf16Length(szName) > kMaxNameUnits) return "has a name longer than Windows allows (255 characters)";
    return "";
}

std::string EntryProblem(const std::string& szName, std::string& szPath) {
    // Measured first, so that nothing below costs more than the name's length.
    if (szName.size() > 3 * kMaxPathUnits && Utf16Length(szName) > kMaxPathUnits)
        return "is a path longer than Windows allows";
    std::string szSlashed = szName;
    std::replace(szSlashed.begin(), szSlashed.end(), '\\', '/');
    if (!szSlashed.empty() && szSlashed[0] == '/') return "is an absolute path";
    if (szSlashed.size() >= 2 && szSlashed[1] == ':') return "names a drive";
    std::vector<std::string> parts;
    for (size_t lStart = 0; lStart <= szSlashed.size();) {
        const size_t lEnd = std::min(szSlashed.find('/', lStart), szSlashed.size());
        std::string szPart = szSlashed.substr(lStart, lEnd - lStart);
        lStart = lEnd + 1;
        if (szPart.empty() || szPart == ".") continue;
        if (szPart == "..") {
            if (parts.empty()) return "climbs above the archive's top";
            parts.pop_back();
            continue;
        }
        if (szPart.find(':') != std::string::npos) return "names a stream (:)";
        if (std::string szProblem = NameProblem(szPart); !szProblem.empty()) return szProblem;
        parts.push_back(std::move(szPart));
    }
    szPath.clear();
    for (const std::string& szPart : parts) szPath += (szPath.empty() ? "" : "\\") + szPart;
    if (Utf16Length(szPath) > kMaxPathUnits) return "is a path longer than Windows allows";
    return "";
}

}  // namespace corvane
