#include "launch/launch_rules.h"

#include <stdexcept>

namespace corvane {

std::string TargetPath(bool bFolderMod, const std::string& szSrc, const std::string& szDst,
                       const std::string& szInstallPath) {
    if (bFolderMod) return szInstallPath + szDst;
    const size_t lSlash = szSrc.find_last_of('\\');
    if (lSlash == std::string::npos)
        throw std::invalid_argument("the source \"" + szSrc + "\" names no folder to take its name from");
    return szDst + szSrc.substr(lSlash);
}

std::string TargetOf(const ModConfig& mod, int16_t i, const GameEntry& game) {
    const SwapEntry entry = mod.Entry(i);
    return TargetPath(mod.bFolderMod, entry.szSrc, entry.szDst, game.szInstallPath);
}

bool IsFilePath(const std::string& szPath) {
    const size_t lDot = szPath.find('.');
    return lDot != std::string::npos && lDot > 0;
}

std::string BackupName(const std::string& szTarget) { return szTarget + ".original"; }

std::vector<std::string> ParentFoldersOf(const std::string& szTarget) {
    std::vector<std::string> szFolders;
    for (size_t lPos = 3; lPos < szTarget.size(); ++lPos) {
        if (szTarget[lPos] == '\\') szFolders.push_back(szTarget.substr(0, lPos));
    }
    return szFolders;
}

std::string CommandLineFor(const GameEntry& game, const std::string& szArgs) {
    return game.szInstallPath + game.szExe + szArgs;
}

std::string WithModSwitch(const std::string& szCommandLine, const std::string& szModFile) {
    if (szModFile.size() > 1) return szCommandLine + " -mod " + szModFile;
    return szCommandLine;
}

}  // namespace corvane
