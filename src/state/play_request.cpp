#include "state/play_request.h"

#include <algorithm>
#include <vector>

#include "state/ascii_case.h"

namespace corvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(const std::string& szText, size_t lPos) {
    while (lPos < szText.size() && IsBlank(szText[lPos])) ++lPos;
    return lPos;
}

struct Word {
    std::string szText;
    bool bQuoted = false;  // "--" and "-" in quotes are a title, not a sign
};

// The word at lPos or after it, lPos then behind it; none at the end.
std::optional<Word> NextWord(const std::string& szText, size_t& lPos) {
    lPos = SkipBlanks(szText, lPos);
    if (lPos >= szText.size()) return std::nullopt;
    Word word;
    bool bInQuotes = false;
    for (; lPos < szText.size() && (bInQuotes || !IsBlank(szText[lPos])); ++lPos) {
        if (szText[lPos] == '"') {
            bInQuotes = !bInQuotes;
            word.bQuoted = true;
        } else {
            word.szText += szText[lPos];
        }
    }
    return word;
}

bool IsSign(const Word& word, const char* szSign) { return !word.bQuoted && word.szText == szSign; }

std::string Joined(const std::vector<std::string>& szItems, const std::string& szBetween) {
    std::string szJoined;
    for (const std::string& szItem : szItems) szJoined += (szJoined.empty() ? "" : szBetween) + szItem;
    return szJoined;
}

std::string ListOrNone(const std::vector<std::string>& szItems) {
    return szItems.empty() ? "none" : Joined(szItems, ", ");
}

int16_t GameRowOf(const std::string& szKey) {
    for (size_t lRow = 0; lRow < kGameKeys.size(); ++lRow) {
        if (SameIgnoringAsciiCase(kGameKeys[lRow], szKey)) return static_cast<int16_t>(lRow);
    }
    return -1;
}

std::string InstalledGames(const GameTable& games) {
    std::vector<std::string> szKeys;
    for (size_t lRow = 0; lRow < games.size(); ++lRow) {
        if (games[lRow].IsInstalled()) szKeys.emplace_back(kGameKeys[lRow]);
    }
    return "Games installed: " + ListOrNone(szKeys) + ".";
}

size_t ListedMods(const ProgramState& state) {
    return std::min(static_cast<size_t>(std::max<int16_t>(state.dModCount, 0)), state.ModList.size());
}

std::string ModsFound(const ProgramState& state) {
    std::vector<std::string> szTitles;
    for (size_t i = 0; i < ListedMods(state); ++i) szTitles.push_back(state.ModList[i].szTitle);
    return "Mods found: " + ListOrNone(szTitles) + ".";
}

int16_t FindMod(const ProgramState& state, const std::string& szTitle) {
    for (bool bExact : {true, false}) {
        for (size_t i = 0; i < ListedMods(state); ++i) {
            const std::string& szListed = state.ModList[i].szTitle;
            if (bExact ? szListed == szTitle : SameIgnoringAsciiCase(szListed, szTitle)) return static_cast<int16_t>(i);
        }
    }
    return -1;
}

std::string GameProblem(const PlayRequest& request, const GameTable& games, int16_t dGame,
                        const std::string& szSwitch = "-PLAY") {
    if (request.szGame.empty()) return "No game was named after " + szSwitch + ".\n" + InstalledGames(games);
    if (dGame < 0) return "There is no game \"" + request.szGame + "\".\n" + InstalledGames(games);
    if (!games[dGame].IsInstalled()) return std::string(kGameKeys[dGame]) + " is not installed.\n" + InstalledGames(games);
    return "";
}

}  // namespace

PlayRequest ParsePlayRequest(const std::string& szArguments) {
    PlayRequest request;
    size_t lPos = 0;
    NextWord(szArguments, lPos);  // -PLAY itself
    std::vector<Word> words;
    while (const std::optional<Word> word = NextWord(szArguments, lPos)) {
        if (IsSign(*word, "--")) {
            const size_t lSwitches = SkipBlanks(szArguments, lPos);
            if (lSwitches < szArguments.size()) request.szArgs = ' ' + szArguments.substr(lSwitches);
            break;
        }
        words.push_back(*word);
    }
    if (!words.empty()) request.szGame = words.front().szText;
    if (words.size() == 2 && IsSign(words[1], "-")) return request;
    std::vector<std::string> szTitleWords;
    for (size_t i = 1; i < words.size(); ++i) szTitleWords.push_back(words[i].szText);
    if (!szTitleWords.empty()) request.szMod = Joined(szTitleWords, " ");
    return request;
}

PlayChoice ChoosePlay(const PlayRequest& request, const ProgramState& state, const std::string& szAppPath,
                      const std::string& szSwitch) {
    PlayChoice choice;
    choice.dGame = GameRowOf(request.szGame);
    choice.szArgs = request.szArgs;
    std::vector<std::string> szProblems;
    if (std::string szGame = GameProblem(request, state.GameTable, choice.dGame, szSwitch); !szGame.empty())
        szProblems.push_back(szGame);
    if (request.szMod) {
        choice.dMod = FindMod(state, *request.szMod);
        if (choice.dMod < 0)
            szProblems.push_back("There is no mod \"" + *request.szMod + "\" in " + szAppPath + ".\n" + ModsFound(state));
    }
    choice.szProblem = Joined(szProblems, "\n\n");
    return choice;
}

PlayChoice ChooseCheck(const std::string& szArguments, const GameTable& games) {
    const PlayRequest request = ParsePlayRequest(szArguments);
    PlayChoice choice;
    choice.dGame = GameRowOf(request.szGame);
    choice.szProblem = GameProblem(request, games, choice.dGame, "-CHECK");
    return choice;
}

std::string PlayArguments(int16_t dGame, const std::string& szModTitle, const std::string& szArgs) {
    std::string szArguments = "-PLAY " + std::string(kGameKeys.at(static_cast<size_t>(dGame))) + " \"" + szModTitle + "\"";
    const std::string szSwitches = szArgs.substr(SkipBlanks(szArgs, 0));
    if (!szSwitches.empty()) szArguments += " -- " + szSwitches;
    return szArguments;
}

}  // namespace corvane
