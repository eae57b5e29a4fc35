#include "gamecheck/folder_check.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "gamecheck/game_files.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

// Hidden and system items too: the game loads them like any other.
constexpr uint32_t kEverything = kAttrDirectory | kAttrHidden | kAttrSystem;
constexpr const char* kAsideEnding = ".aside";
constexpr size_t kHeaderSize = 4;

bool EndsWithFolded(const std::string& szText, const std::string& szEnd) {
    return szText.size() > szEnd.size() && LowerAscii(szText.substr(szText.size() - szEnd.size())) == szEnd;
}

std::string NameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of('\\') + 1); }

// Up to the first four bytes; what cannot be opened tells none.
std::string FirstBytes(FileSystem& files, const std::string& szPath) {
    try {
        const std::unique_ptr<InputFile> file = files.OpenInput(szPath);
        char bytes[kHeaderSize] = {};
        size_t lGot = 0;
        for (size_t lRead = 1; lGot < kHeaderSize && lRead > 0; lGot += lRead) lRead = file->Read(bytes + lGot, kHeaderSize - lGot);
        return std::string(bytes, lGot);
    } catch (const std::exception&) {
        return "";
    }
}

// The archives load in the order of their paths, letter case aside, and
// the first one to hold a file gives it: a stray archive that comes before
// some of the game's own overrides what it shares with them.
std::string LoadOrder(const std::string& szStray, const std::vector<std::string>& szOwn) {
    const std::string szFolded = LowerAscii(szStray);
    const auto lAfter = std::count_if(szOwn.begin(), szOwn.end(),
                                      [&](const std::string& szName) { return LowerAscii(szName) > szFolded; });
    if (lAfter == 0) return "loads after the game's own archives";
    if (static_cast<size_t>(lAfter) == szOwn.size()) return "loads before the game's own archives and overrides them";
    return "loads before " + std::to_string(lAfter) + " of the game's " + std::to_string(szOwn.size()) +
           " archives and overrides them";
}

// One game folder, depth first, each folder's entries in name order.
class Walk {
public:
    Walk(const CheckedFolder& folder, FileSystem& files, const std::set<std::string>& szLeftAlone,
         std::vector<Finding>& findings)
        : folder(folder), files(files), szLeftAlone(szLeftAlone), findings(findings) {}

    void Run() {
        Folder("", false);
        for (size_t i : lStrays) findings[i].szDetail = LoadOrder(findings[i].szRelative, szOwnArchives);
    }

private:
    void Folder(const std::string& szRelative, bool bInLeftover) {
        std::vector<DirEntry> entries = files.Dir(folder.szPath + szRelative + (szRelative.empty() ? "*" : "\\*"), kEverything);
        std::sort(entries.begin(), entries.end(),
                  [](const DirEntry& a, const DirEntry& b) { return LowerAscii(a.szName) < LowerAscii(b.szName); });
        for (const DirEntry& entry : entries) {
            if (entry.szName == "." || entry.szName == "..") continue;
            const std::string szChild = szRelative.empty() ? entry.szName : szRelative + "\\" + entry.szName;
            if (szLeftAlone.count(LowerAscii(folder.szPath + szChild))) continue;
            if (entry.lAttr & kAttrDirectory)
                Subfolder(szChild, bInLeftover);
            else
                File(szChild, bInLeftover);
        }
    }

    // Corvane's own backups are not entered: their insides are what a
    // launch moved aside as a whole. Other tools' folders are entered for
    // the archives in them, which the game loads wherever they lie.
    void Subfolder(const std::string& szRelative, bool bInLeftover) {
        if (const std::optional<std::string> szWhat = LeftoverOf(szRelative, true)) {
            Add(FindingKind::kLeftover, szRelative, *szWhat, true);
            if (EndsWithFolded(szRelative, ".original")) return;
            bInLeftover = true;
        }
        Folder(szRelative, bInLeftover);
    }

    void File(const std::string& szRelative, bool bInLeftover) {
        if (EndsWithFolded(szRelative, kAsideEnding)) return Add(FindingKind::kSetAside, szRelative, "");
        if (std::optional<std::string> szWhat = LeftoverOf(szRelative, false))
            return Add(FindingKind::kLeftover, szRelative, *szWhat);
        if (std::optional<std::string> szWhat = WrapperOf(szRelative)) return Add(FindingKind::kWrapper, szRelative, *szWhat);
        if (EndsWithFolded(szRelative, ".big")) return Archive(szRelative);
        if (!bInLeftover && IsLooseFile(szRelative)) Add(FindingKind::kLooseFile, szRelative, "");
    }

    void Archive(const std::string& szRelative) {
        if (IsOwnArchive(szRelative)) return szOwnArchives.push_back(szRelative);
        if (!IsArchiveHeader(FirstBytes(files, folder.szPath + szRelative)))
            return Add(FindingKind::kLeftover, szRelative, "named like an archive but none: the game skips it");
        lStrays.push_back(findings.size());
        Add(FindingKind::kStrayArchive, szRelative, "");
    }

    void Add(FindingKind kind, const std::string& szRelative, std::string szDetail, bool bFolder = false) {
        Finding finding;
        finding.kind = kind;
        finding.szPath = folder.szPath + szRelative;
        finding.szRelative = szRelative;
        finding.szDetail = std::move(szDetail);
        finding.bInGeneralsFolder = folder.bGeneralsOfZeroHour;
        finding.bFolder = bFolder;
        findings.push_back(std::move(finding));
    }

    const CheckedFolder& folder;
    FileSystem& files;
    const std::set<std::string>& szLeftAlone;
    std::vector<Finding>& findings;
    std::vector<std::string> szOwnArchives;
    std::vector<size_t> lStrays;
};

Finding ProgramFinding(const std::string& szProgram, FileSystem& files) {
    Finding program;
    program.kind = FindingKind::kProgram;
    program.szPath = szProgram;
    program.szRelative = NameOf(szProgram);
    const std::optional<ItemInfo> item = files.Stat(szProgram);
    program.bKnown = false;
    if (!item || item->IsFolder()) return program;
    const std::string szSha256 = files.Sha256(szProgram);
    const std::optional<std::string> szBuild = BuildOf(szSha256);
    program.bKnown = szBuild.has_value();
    program.szDetail = szBuild.value_or("SHA-256 " + szSha256);
    return program;
}

std::vector<std::string> PathsOf(const FolderCheck& check, FindingKind one, FindingKind other) {
    std::vector<std::string> szPaths;
    for (const Finding& finding : check.findings)
        if (finding.kind == one || finding.kind == other) szPaths.push_back(finding.szPath);
    return szPaths;
}

}  // namespace

std::vector<CheckedFolder> FoldersOf(const GameTable& games, int16_t dGame, FileSystem& files) {
    const GameEntry& game = games.at(static_cast<size_t>(dGame));
    std::vector<CheckedFolder> folders{{game.szInstallPath, false}};
    if (dGame != kZeroHour && dGame != kZeroHourWorldBuilder) return folders;
    const std::optional<ItemInfo> carried = files.Stat(game.szInstallPath + "ZH_Generals");
    const std::string& szGenerals = games[kGenerals].szInstallPath;
    if ((!carried || !carried->IsFolder()) && !szGenerals.empty() &&
        LowerAscii(szGenerals) != LowerAscii(game.szInstallPath))
        folders.push_back({szGenerals, true});
    return folders;
}

FolderCheck CheckGameFolders(const std::vector<CheckedFolder>& folders, const std::string& szProgram,
                             FileSystem& files, const std::set<std::string>& szLeftAlone) {
    FolderCheck check;
    check.findings.push_back(ProgramFinding(szProgram, files));
    for (const CheckedFolder& folder : folders) Walk(folder, files, szLeftAlone, check.findings).Run();
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.kind < b.kind; });
    return check;
}

std::vector<std::string> ToSetAside(const FolderCheck& check) {
    return PathsOf(check, FindingKind::kStrayArchive, FindingKind::kLooseFile);
}

std::vector<std::string> ToPutBack(const FolderCheck& check) {
    return PathsOf(check, FindingKind::kSetAside, FindingKind::kSetAside);
}

std::string AsideName(const std::string& szPath) { return szPath + kAsideEnding; }

bool IsAsideName(const std::string& szPath) { return EndsWithFolded(szPath, kAsideEnding); }

std::string NameBeforeAside(const std::string& szAside) {
    return IsAsideName(szAside) ? szAside.substr(0, szAside.size() - std::string(kAsideEnding).size()) : szAside;
}

}  // namespace corvane
