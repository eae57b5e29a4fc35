#include "editor/editor_rules.h"

#include <array>

#include "modconfig/config_file.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

constexpr size_t kLongestLine = 90;
constexpr const char* kExtension = ".zcf";

// The file system ignores letter case, also of the code page's letters beyond
// ASCII, whose pairs this program does not know: two bytes that both lie
// beyond ASCII are taken as possibly the same letter. Erring this way keeps
// a file that could have gone; the other way would delete the mod just saved.
bool MayNameSameFile(const std::string& szLeft, const std::string& szRight) {
    if (szLeft.size() != szRight.size()) return false;
    for (size_t i = 0; i < szLeft.size(); ++i) {
        const bool bBeyondAscii = (szLeft[i] & 0x80) || (szRight[i] & 0x80);
        if (!bBeyondAscii && LowerAscii(szLeft[i]) != LowerAscii(szRight[i])) return false;
    }
    return true;
}

// Characters no file name holds, and the device names Windows opens instead
// of a file ("CON", "NUL.old"...): such a title would write elsewhere or nowhere.
bool CanNameFile(const std::string& szTitle) {
    for (char c : szTitle) {
        if (static_cast<unsigned char>(c) < 32 || std::string("\\/:*?\"<>|").find(c) != std::string::npos)
            return false;
    }
    const std::string szBase = TrimBlanks(szTitle.substr(0, szTitle.find('.')));
    static const std::array<const char*, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
    for (const char* szDevice : kDevices) {
        if (SameIgnoringAsciiCase(szBase, szDevice)) return false;
    }
    const bool bNumbered = szBase.size() == 4 && szBase[3] >= '1' && szBase[3] <= '9';
    return !(bNumbered && (SameIgnoringAsciiCase(szBase.substr(0, 3), "COM") ||
                           SameIgnoringAsciiCase(szBase.substr(0, 3), "LPT")));
}

// "My.Mod" for szAppPath\My.Mod.zcf; "" for a file elsewhere or of another kind.
std::string NameInFolder(const std::string& szAppPath, const std::string& szFile) {
    const std::string szFolder = szAppPath + "\\";
    const size_t lExt = std::string(kExtension).size();
    if (szFile.size() <= szFolder.size() + lExt || szFile.compare(0, szFolder.size(), szFolder) != 0)
        return "";
    const std::string szName = szFile.substr(szFolder.size());
    if (szName.find('\\') != std::string::npos || !SameIgnoringAsciiCase(szName.substr(szName.size() - lExt), kExtension))
        return "";
    return szName.substr(0, szName.size() - lExt);
}

}  // namespace

std::string DisplayLine(const std::string& szSrc, const std::string& szDst) {
    const size_t lSlash = szSrc.rfind('\\');
    std::string szLine = szDst + (lSlash == std::string::npos ? "\\" + szSrc : szSrc.substr(lSlash));
    if (szLine.size() > kLongestLine) szLine = "..." + szLine.substr(szLine.size() - kLongestLine);
    return szLine;
}

OkPlan PlanOk(const std::string& szAppPath, const std::string& szTitle, const std::string& szOldTitle,
              const std::string& szOldFile) {
    OkPlan plan;
    if (TrimBlanks(szTitle).empty()) {
        plan.bTitleMissing = true;
        return plan;
    }
    const bool bEdit = !TrimBlanks(szOldTitle).empty();
    plan.bAskKeepOldMod = bEdit && szTitle != szOldTitle;
    plan.szSaveName = szTitle;
    if (bEdit && !plan.bAskKeepOldMod) {
        const std::string szOldName = NameInFolder(szAppPath, szOldFile);
        if (!szOldName.empty()) plan.szSaveName = szOldName;
    }
    plan.bCanSave = CanNameFile(plan.szSaveName);
    const std::string szSaved = szAppPath + "\\" + plan.szSaveName + kExtension;
    if (plan.bAskKeepOldMod && !MayNameSameFile(szOldFile, szSaved)) plan.szDeleteOnNo = szOldFile;
    return plan;
}

}  // namespace corvane
