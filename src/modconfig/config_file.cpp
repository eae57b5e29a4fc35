#include "modconfig/config_file.h"

#include <exception>
#include <memory>
#include <optional>
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

// Well-formed UTF-8: no overlong form, no surrogate, nothing beyond U+10FFFF.
bool IsUtf8(const std::string& szBytes) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(szBytes[k]); };
    for (size_t i = 0; i < szBytes.size();) {
        const unsigned char c = at(i);
        if (c < 0x80) {
            ++i;
            continue;
        }
        const size_t lTail = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (lTail == 0 || i + lTail >= szBytes.size()) return false;
        // The second byte's range shuts out the overlong forms, the
        // surrogates and what lies beyond U+10FFFF.
        const unsigned char lLow = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
        const unsigned char lHigh = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
        if (at(i + 1) < lLow || at(i + 1) > lHigh) return false;
        for (size_t k = 2; k <= lTail; ++k)
            if (at(i + k) < 0x80 || at(i + k) > 0xBF) return false;
        i += lTail + 1;
    }
    return true;
}

// Corvane writes its files in UTF-8; a line that is not UTF-8 was written
// by an older tool in the system's legacy ANSI code page. Decided line by
// line, so a file of both kinds, edited by hand, reads whole.
std::string ProgramText(FileSystem& files, const std::string& szLine) {
    return IsUtf8(szLine) ? szLine : files.FromLegacyCodePage(szLine);
}

// What the default Generals folder stands for. Steam's Zero Hour carries the
// Generals files in its folder ZH_Generals: without a Generals of its own,
// that is where they are.
std::string GeneralsFolderForMods(FileSystem& files, const GameTable& games) {
    const std::string& szGenerals = games[kGenerals].szInstallPath;
    if (!szGenerals.empty() || !games[kZeroHour].IsInstalled()) return szGenerals;
    const std::string szCarried = games[kZeroHour].szInstallPath + "ZH_Generals";
    try {
        const std::optional<ItemInfo> item = files.Stat(szCarried);
        if (item && item->IsFolder()) return szCarried + "\\";
    } catch (const std::exception&) {
    }
    return szGenerals;
}

// Each search goes on from the line after the previous match, so a Source
// line without a later Destination line pairs with nothing.
void ReadPairs(FileSystem& files, LineReader& reader, const GameTable& games, ModConfig& udtCfg) {
    const std::string szGeneralsFolder = GeneralsFolderForMods(files, games);
    std::string szLine;
    while (FindLine(reader, "Source=", false, false, szLine)) {
        const std::string szSource = ValueOf(ProgramText(files, szLine));
        if (!FindLine(reader, "Destination=", false, false, szLine)) return;
        std::string szDest = ValueOf(ProgramText(files, szLine));
        ReplaceAll(szDest, kDefaultGeneralsFolder, szGeneralsFolder);
        ReplaceAll(szDest, kDefaultZeroHourFolder, games[kZeroHour].szInstallPath);
        udtCfg.AddEntry(szSource, szDest);
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
        ReadLocation(ProgramText(files, szLine), udtCfg);
        if (!ReadTitle(szPath, udtCfg)) return false;
        bResult = true;
        udtCfg.szConfigFile = szPath;
        ReadPairs(files, reader, games, udtCfg);
    } catch (const std::exception&) {
        // A failure half-way keeps what was read and the result so far.
    }
    return bResult;
}

}  // namespace corvane
