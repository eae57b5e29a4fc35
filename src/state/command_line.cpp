#include "state/command_line.h"

#include "state/ascii_case.h"

namespace corvane {

namespace {

bool AsksForSilent(const std::string& szArguments) {
    return UpperAscii(szArguments).find("-SILENT") != std::string::npos;
}

// The arguments reach us with their leading blanks removed.
std::string FirstWord(const std::string& szArguments) {
    return szArguments.substr(0, szArguments.find_first_of(" \t"));
}

}  // namespace

Road RoadOf(const std::string& szArguments) {
    if (AsksForSilent(szArguments)) return Road::kSilent;
    const std::string szFirst = UpperAscii(FirstWord(szArguments));
    if (szFirst == "-PLAY") return Road::kPlay;
    if (szFirst == "-CHECK") return Road::kCheck;
    if (szFirst == "-INSTALL") return Road::kInstall;
    if (szFirst == "-FINGERPRINT") return Road::kFingerprint;
    if (szFirst == "-?" || szFirst == "/?") return Road::kHelp;
    return Road::kNormal;
}

std::string SilentConfigPath(const std::string& szArguments, const std::string& szAppPath) {
    if (!AsksForSilent(szArguments)) return {};
    // The name is taken from the ninth character whatever stands before it,
    // exactly as typed: "-SILENT " is eight characters long.
    const std::string szName = szArguments.size() > 8 ? szArguments.substr(8) : std::string();
    return szAppPath + "\\" + szName + ".zcf";
}

std::string InstallArchive(const std::string& szArguments) {
    const size_t lStart = szArguments.find_first_not_of(" \t", FirstWord(szArguments).size());
    std::string szArchive = lStart == std::string::npos ? "" : szArguments.substr(lStart);
    while (!szArchive.empty() && (szArchive.back() == ' ' || szArchive.back() == '\t')) szArchive.pop_back();
    if (szArchive.size() >= 2 && szArchive.front() == '"' && szArchive.back() == '"')
        szArchive = szArchive.substr(1, szArchive.size() - 2);
    return szArchive;
}

std::string CommandLineHelp() {
    return "Corvane.exe -SILENT <mod>\n"
           "plays the mod <mod>.zcf from Corvane's folder with Generals.\n"
           "Example: Corvane.exe -SILENT MyMod\n"
           "\n"
           "Corvane.exe -PLAY <game> [<mod>] [-- <switches>]\n"
           "plays Generals, ZeroHour, GeneralsWB or ZeroHourWB with a mod as the main "
           "window lists it (quoted when it holds blanks; left out or - for none) and "
           "hands the switches to the game.\n"
           "Example: Corvane.exe -PLAY ZeroHour \"My Mod\" -- -win\n"
           "\n"
           "Corvane.exe -CHECK <game>\n"
           "checks that game's folder (Generals, ZeroHour, GeneralsWB or ZeroHourWB) for what it would load "
           "besides its own files.\n"
           "Example: Corvane.exe -CHECK ZeroHour\n"
           "\n"
           "Corvane.exe -INSTALL <archive>\n"
           "installs a mod from its download (.zip, .7z, .rar or a self-extracting .exe) as a folder "
           "mod in Corvane's folder.\n"
           "Example: Corvane.exe -INSTALL \"C:\\Downloads\\My Mod 1.0.7z\"\n"
           "\n"
           "Corvane.exe -FINGERPRINT <game> [<mod>]\n"
           "shows the fingerprint of every file that game would load with the mod (named as -PLAY names them), "
           "to compare with another player's before you play together.\n"
           "Example: Corvane.exe -FINGERPRINT ZeroHour \"My Mod\"";
}

}  // namespace corvane
