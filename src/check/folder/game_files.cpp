#include "check/folder/game_files.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

#include "state/ascii_case.h"

namespace corvane {

namespace {

constexpr std::array kGeneralsArchives = {"Audio", "gensec", "INI", "maps", "Music", "Patch", "shaders",
                                          "Speech", "Terrain", "Textures", "W3D", "Window"};
constexpr std::array kZeroHourArchives = {"AudioZH", "GensecZH", "INIZH", "MapsZH",     "MusicZH",   "PatchZH",
                                          "ShadersZH", "SpeechZH", "TerrainZH", "TexturesZH", "W3DZH", "WindowZH"};
// Every language the games shipped in has these archives of its own, under
// both games' names: Audio<L>.big, <L>.big, Speech<L>.big, W3D<L>.big and
// their ZH forms.
constexpr std::array kLanguages = {"Brazilian", "Chinese", "English", "French", "German",
                                   "German2",   "Italian", "Korean",  "Polish",  "Spanish"};
constexpr std::array kLanguageForms = {"Audio", "", "Speech", "W3D"};
// The Custom Mission menu of Steam's and the EA App's editions, in both games.
constexpr std::array kReleaseArchives = {"PatchData", "PatchINI", "PatchWindow"};
// Languages the community translated the games into, besides the games' own.
constexpr std::array kTranslations = {"Arabic", "Bulgarian", "Czech",   "Dutch",     "Finnish", "Greek",
                                      "Hungarian", "Portuguese", "Romanian", "Russian", "Serbian", "Slovak",
                                      "Swedish", "Turkish",   "Ukrainian", "Vietnamese"};

constexpr std::array kLooseKinds = {".ini", ".w3d", ".dds", ".tga", ".scb", ".wnd", ".csf", ".str", ".map"};
constexpr std::array kLooseRoots = {"data\\", "art\\", "window\\", "maps\\"};
constexpr std::array kOwnLooseFolders = {"data\\scripts\\", "data\\movies\\", "data\\cursors\\", "data\\waterplane\\"};

struct Known {
    const char* szName;  // in lower case
    const char* szWhat;
};

constexpr const char* kGenLauncher = "left by GenLauncher";
constexpr const char* kContra = "left by Contra's launcher";

// Matched by the end of the name, anywhere in the folder.
constexpr std::array<Known, 6> kLeftoverEndings = {{{".gib", "an archive GenLauncher switched off"},
                                                   {".glr", kGenLauncher},
                                                   {".gof", kGenLauncher},
                                                   {".gltc", kGenLauncher},
                                                   {".ctr", kContra},
                                                   {".big.bak", "a copy of an archive"}}};
constexpr const char* kOutdatedIni = "data\\ini\\inizh.big";
// Matched by the whole path.
constexpr std::array<Known, 5> kLeftoverFiles = {
    {{"generals.exe.ghbak", "GenHub's copy of the game's program"},
     {"generals_zh.exe", ""},
     {"generals.ctr", kContra},
     {"langdata1.dat", ""},
     {kOutdatedIni, "a second, outdated INIZH.big that EA's Zero Hour editions left, which the game loads"}}};
constexpr std::array<Known, 4> kLeftoverFolders = {{{"glm", "GenLauncher's mods"},
                                                   {"genlaunchermodifications", "GenLauncher's mods"},
                                                   {".genlauncherfolder", kGenLauncher},
                                                   {"data\\scripts1", kContra}}};
// Matched by what follows the digits, "!" and "_" an add-on's name begins with.
constexpr std::array<Known, 5> kAddOnArchives = {{{"hotkeys", "hotkeys"},
                                                  {"controlbarpro", "Control Bar Pro, a new control bar"},
                                                  {"decals", "decals"},
                                                  {"expandedlanlobbymenu", "a bigger LAN lobby"},
                                                  {"patch104p", "the community patch"}}};
constexpr std::array<Known, 3> kAddOnFiles = {{{"d3d8.dll", "GenTool, expected online"},
                                               {"d3d8.cfg", "GenTool's settings"},
                                               {"gentoolupdater.exe", "GenTool's updater"}}};
constexpr std::array<Known, 1> kKnownProblems = {{{"dbghelp.dll", "crashes the game at start with recent AMD drivers"}}};
constexpr std::array<Known, 5> kWrappers = {{{"d3d8x.dll", "a graphics wrapper"},
                                             {"d3d9.dll", "a graphics wrapper"},
                                             {"d3d10core.dll", "a graphics wrapper"},
                                             {"d3d11.dll", "a graphics wrapper"},
                                             {"dinput8.dll", "an input wrapper"}}};
constexpr std::array<Known, 6> kBuilds = {
    {{"1c96366ff6a99f40863f6bbcfa8bf7622e8df1f80a474201e0e95e37c6416255", "Generals (Steam)"},
     {"69a39881179112a566cef69573b20065cc868516c49af0761f809ec57da0bdbc", "Generals 1.08 (EA App)"},
     {"f37a4929f8d697104e99c2bcf46f8d833122c943afcd87fd077df641d344495b", "Zero Hour 1.04"},
     {"7b075b9f0baa9df81651c0c9dd7d8c445454ae1b2452b928f4a1d9332e9ccece", "Zero Hour 1.04 (Steam)"},
     {"253feba0a5503cb4d49fd07463b17d3cc84731e583f9625cb90fcd8b5cac0221", "Zero Hour 1.04 (EA App)"},
     {"ff6f78211a014100d8ef6b08bc2f8edd3d55e99e872dfdb5371776fc5a5d02ce", "the Steam and EA App launcher"}}};

constexpr const char* kOurBackup = ".original";

const std::set<std::string>& OwnArchiveNames() {
    static const std::set<std::string> names = [] {
        std::set<std::string> all;
        for (const char* szName : kGeneralsArchives) all.insert(LowerAscii(std::string(szName)));
        for (const char* szName : kZeroHourArchives) all.insert(LowerAscii(std::string(szName)));
        for (const char* szName : kReleaseArchives) all.insert(LowerAscii(std::string(szName)));
        for (const char* szLanguage : kLanguages)
            for (const char* szForm : kLanguageForms)
                for (const char* szGame : {"", "ZH"})
                    all.insert(LowerAscii(std::string(szForm) + szLanguage + szGame));
        return all;
    }();
    return names;
}

// Views, not strings: a folder of 20,000 files asks them of every name.
bool EndsWith(std::string_view szText, std::string_view szEnd) {
    return szText.size() >= szEnd.size() && szText.compare(szText.size() - szEnd.size(), szEnd.size(), szEnd) == 0;
}

bool StartsWith(std::string_view szText, std::string_view szStart) { return szText.substr(0, szStart.size()) == szStart; }

template <size_t N>
std::optional<std::string> Find(const std::array<Known, N>& table, const std::string& szFolded, bool bEnding) {
    for (const Known& known : table)
        if (bEnding ? EndsWith(szFolded, known.szName) : szFolded == known.szName) return known.szWhat;
    return std::nullopt;
}

// A community translation's language, without the game's "ZH" ending.
std::optional<std::string> TranslationOf(const std::string& szStem) {
    const std::string szLanguage = EndsWith(szStem, "zh") ? szStem.substr(0, szStem.size() - 2) : szStem;
    const auto named = [&](const char* szName) { return LowerAscii(std::string(szName)) == szLanguage; };
    if (const auto* it = std::find_if(kLanguages.begin(), kLanguages.end(), named); it != kLanguages.end()) return *it;
    if (const auto* it = std::find_if(kTranslations.begin(), kTranslations.end(), named); it != kTranslations.end())
        return *it;
    return std::nullopt;
}

}  // namespace

bool IsOwnArchive(const std::string& szFolded) {
    const size_t lStart = StartsWith(szFolded, "zh_generals\\") ? 12 : 0;
    if (szFolded.find('\\', lStart) != std::string::npos || !EndsWith(szFolded, ".big")) return false;
    return OwnArchiveNames().count(szFolded.substr(lStart, szFolded.size() - 4 - lStart)) > 0;
}

std::optional<std::string> AddOnArchiveOf(const std::string& szFolded) {
    if (!EndsWith(szFolded, ".big")) return std::nullopt;
    const std::string szName = szFolded.substr(szFolded.find_last_of('\\') + 1);
    const size_t lStem = szName.find_first_not_of("0123456789!_");
    const std::string szStem = szName.substr(lStem, szName.size() - 4 - lStem);
    for (const Known& known : kAddOnArchives)
        if (StartsWith(szStem, known.szName)) return known.szWhat;
    const std::optional<std::string> szLanguage = lStem > 0 ? TranslationOf(szStem) : std::nullopt;
    if (szLanguage) return *szLanguage + ": the player's language, a community translation";
    return std::nullopt;
}

std::optional<std::string> AddOnFileOf(const std::string& szFolded) { return Find(kAddOnFiles, szFolded, false); }

std::optional<std::string> KnownProblemOf(const std::string& szFolded) { return Find(kKnownProblems, szFolded, false); }

bool IsArchiveHeader(const std::string& szFirstBytes) { return szFirstBytes == "BIGF" || szFirstBytes == "BIG4"; }

bool IsLooseFile(const std::string& szFolded) {
    const auto under = [&](const char* szFolder) { return StartsWith(szFolded, szFolder); };
    const auto ofKind = [&](const char* szKind) { return EndsWith(szFolded, szKind); };
    return std::any_of(kLooseRoots.begin(), kLooseRoots.end(), under) &&
           std::none_of(kOwnLooseFolders.begin(), kOwnLooseFolders.end(), under) &&
           std::any_of(kLooseKinds.begin(), kLooseKinds.end(), ofKind);
}

std::optional<std::string> LeftoverOf(const std::string& szFolded, bool bFolder) {
    if (EndsWith(szFolded, kOurBackup)) return "Corvane's backup from a launch that did not finish";
    if (bFolder) return Find(kLeftoverFolders, szFolded, false);
    if (std::optional<std::string> szWhat = Find(kLeftoverFiles, szFolded, false)) return szWhat;
    return Find(kLeftoverEndings, szFolded, true);
}

bool IsLoadedLeftover(const std::string& szFolded) { return szFolded == kOutdatedIni; }

std::optional<std::string> WrapperOf(const std::string& szFolded) { return Find(kWrappers, szFolded, false); }

std::optional<std::string> BuildOf(const std::string& szSha256) { return Find(kBuilds, LowerAscii(szSha256), false); }

}  // namespace corvane
