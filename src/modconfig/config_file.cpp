#include "modconfig/config_file.h"

#include <exception>
#include <memory>
#include <utility>

namespace corvane {

namespace {

constexpr const char* kLineEnd = "\r\n";

// Everything after the first "=" of the line; the key may stand anywhere.
std::string ValueOf(const std::string& szLine) {
    const size_t lEqual = szLine.find('=');
    return lEqual == std::string::npos ? "" : szLine.substr(lEqual + 1);
}

std::string AfterLast(const std::string& szText, char cSeparator) {
    const size_t lAt = szText.rfind(cSeparator);
    return lAt == std::string::npos ? szText : szText.substr(lAt + 1);
}

void ReplaceAll(std::string& szText, const std::string& szFind, const std::string& szBy) {
    for (size_t lAt = szText.find(szFind); lAt != std::string::npos;
         lAt = szText.find(szFind, lAt + szBy.size()))
        szText.replace(lAt, szFind.size(), szBy);
}

std::string BuildContent(const std::string& szLocation, const std::vector<std::string>& lstSrc,
                         const std::vector<std::string>& lstDest) {
    std::string szContent = "Location=" + szLocation + kLineEnd;
    for (size_t i = 0; i < lstSrc.size(); ++i) {
        // The editor keeps both lists the same length; a missing destination
        // is written empty rather than leaving the pair out.
        const std::string szDest = i < lstDest.size() ? lstDest[i] : "";
        szContent += std::string("[Folder]") + kLineEnd;
        szContent += "Source=" + lstSrc[i] + kLineEnd;
        szContent += "Destination=" + szDest + kLineEnd;
    }
    return szContent;
}

// Location line: the BIG file's folder and name. A value of one character
// cannot name a file and is kept as the folder alone.
void ReadLocation(const std::string& szLine, ModConfig& udtCfg) {
    const std::string szValue = ValueOf(szLine);
    if (szValue.size() <= 1) {
        udtCfg.szLocation = szValue;
        return;
    }
    const size_t lSlash = szValue.rfind('\\');
    udtCfg.szLocation = lSlash == std::string::npos ? "" : szValue.substr(0, lSlash + 1);
    udtCfg.szModFile = szLine.find('\\') != std::string::npos ? AfterLast(szLine, '\\')
                                                              : AfterLast(szLine, '=');
}

// "My.Mod.zcf" is the mod "My". A name without any dot has no title, and
// the file is no mod.
bool ReadTitle(const std::string& szPath, ModConfig& udtCfg) {
    const std::string szName = AfterLast(szPath, '\\');
    const size_t lDot = szName.find('.');
    if (lDot == std::string::npos) return false;
    udtCfg.szTitle = szName.substr(0, lDot);
    return true;
}

std::string LocalDestination(std::string szDest, const GameTable& games) {
    ReplaceAll(szDest, kDefaultGeneralsFolder, games[kGenerals].szInstallPath);
    ReplaceAll(szDest, kDefaultZeroHourFolder, games[kZeroHour].szInstallPath);
    return szDest;
}

// Each search goes on from the line after the previous match, so a Source
// line without a later Destination line pairs with nothing.
void ReadPairs(LineReader& reader, const GameTable& games, ModConfig& udtCfg) {
    std::string szLine;
    while (FindLine(reader, "Source=", false, false, szLine)) {
        const std::string szSource = ValueOf(szLine);
        if (!FindLine(reader, "Destination=", false, false, szLine)) return;
        udtCfg.AddEntry(szSource, LocalDestination(ValueOf(szLine), games));
    }
}

}  // namespace

std::string TrimBlanks(const std::string& szText) {
    const size_t lFirst = szText.find_first_not_of(' ');
    if (lFirst == std::string::npos) return "";
    return szText.substr(lFirst, szText.find_last_not_of(' ') - lFirst + 1);
}

bool SaveModConfig(FileSystem& files, MessageBoxes& messageBoxes, const std::string& szAppPath,
                   const std::string& szTitle, const std::string& szLocation,
                   const std::vector<std::string>& lstSrc, const std::vector<std::string>& lstDest) {
    if (TrimBlanks(szTitle).empty()) {
        messageBoxes.Show("The name of the mod is missing!", kMsgOkOnly);
        return false;
    }
    const std::string szPath = szAppPath + "\\" + szTitle + ".zcf";
    try {
        // The new file takes the old one's place in one step: a disk that
        // fails half-way never costs the player the mod they had.
        files.SaveFile(szPath, BuildContent(szLocation, lstSrc, lstDest));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool FindLine(LineReader& file, const std::string& szFind, bool bRewind, bool bExact, std::string& szLine) {
    try {
        if (bRewind) file.Rewind();
        while (!file.AtEnd()) {
            std::string szRead = file.ReadLine();
            const bool bMatch = bExact ? szRead == szFind : szRead.find(szFind) != std::string::npos;
            if (bMatch) {
                szLine = std::move(szRead);
                return true;
            }
        }
    } catch (const std::exception&) {
    }
    szLine.clear();
    return false;
}

bool LoadModConfig(FileSystem& files, const GameTable& games, const std::string& szPath, ModConfig& udtCfg) {
    udtCfg.Clear();
    bool bResult = false;
    try {
        const std::unique_ptr<InputFile> file = files.OpenInput(szPath);
        LineReader reader(*file);
        std::string szLine;
        // Without a Location line the search has read the whole file, so no
        // pair can follow.
        if (!FindLine(reader, "Location=", false, false, szLine)) return false;
        ReadLocation(szLine, udtCfg);
        if (!ReadTitle(szPath, udtCfg)) return false;
        bResult = true;
        udtCfg.szConfigFile = szPath;
        ReadPairs(reader, games, udtCfg);
    } catch (const std::exception&) {
        // A failure half-way keeps what was read and the result so far.
    }
    return bResult;
}

}  // namespace corvane
