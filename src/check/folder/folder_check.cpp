#include "check/folder/folder_check.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <exception>
#include <memory>
#include <utility>

#include "check/folder/big_header.h"
#include "check/folder/game_files.h"
#include "state/ascii_case.h"

namespace corvane {

namespace {

// Hidden and system items too: the game loads them like any other.
constexpr uint32_t kEverything = kAttrDirectory | kAttrHidden | kAttrSystem;
constexpr const char* kAsideEnding = ".aside";
constexpr const char* kBackupEnding = ".bak";

bool EndsWith(const std::string& szFolded, const std::string& szEnd) {
    return szFolded.size() > szEnd.size() && szFolded.compare(szFolded.size() - szEnd.size(), szEnd.size(), szEnd) == 0;
}

bool EndsWithFolded(const std::string& szText, const std::string& szEnd) {
    return szText.size() > szEnd.size() && LowerAscii(szText.substr(szText.size() - szEnd.size())) == szEnd;
}

// Up to an archive header's bytes; what cannot be opened tells none.
std::string FirstBytes(FileSystem& files, const std::string& szPath) {
    try {
        const std::unique_ptr<InputFile> file = files.OpenInput(szPath);
        char bytes[kBigHeaderSize] = {};
        size_t lGot = 0;
        for (size_t lRead = 1; lGot < kBigHeaderSize && lRead > 0; lGot += lRead)
            lRead = file->Read(bytes + lGot, kBigHeaderSize - lGot);
        return std::string(bytes, lGot);
    } catch (const std::exception&) {
        return "";
    }
}

// The archives load in the order of their paths, letter case aside, and
// the first one to hold a file gives it: a stray archive that comes before
// some of the game's own overrides what it shares with them.
std::string LoadOrder(const std::string& szFolded, const std::vector<std::string>& szOwn) {
    const auto lAfter =
        std::count_if(szOwn.begin(), szOwn.end(), [&](const std::string& szName) { return szName > szFolded; });
    if (lAfter == 0) return "loads after the game's own archives";
    if (static_cast<size_t>(lAfter) == szOwn.size()) return "loads before the game's own archives and overrides them";
    return "loads before " + std::to_string(lAfter) + " of the game's " + std::to_string(szOwn.size()) +
           " archives and overrides them";
}

constexpr size_t kKinds = static_cast<size_t>(FindingKind::kSetAside) + 1;
using Findings = std::array<std::vector<Finding>, kKinds>;  // by kind

// One game folder, depth first, each folder's entries in name order. A
// folder of 20,000 files makes as few strings as it can: the path below the
// game folder, as it is and folded, is one buffer each that grows by a name
// on the way down, and only what is found keeps a copy.
class Walk {
public:
    Walk(const CheckedFolder& folder, size_t lFolder, FileSystem& files, const std::set<std::string>& szLeftAlone,
         Findings& findings)
        : folder(folder), lFolder(lFolder), files(files), szLeftAlone(szLeftAlone), findings(findings) {}

    void Run() {
        Folder(false);
        std::vector<Finding>& strays = findings[static_cast<size_t>(FindingKind::kStrayArchive)];
        for (size_t k = 0; k < szStrays.size(); ++k)
            strays[lFirstStray + k].szDetail = LoadOrder(szStrays[k], szOwnArchives);
    }

private:
    // The folder szRelative names.
    void Folder(bool bInLeftover) {
        std::vector<std::pair<std::string, DirEntry>> entries;
        for (DirEntry& entry : files.Dir(folder.szPath + szRelative + (szRelative.empty() ? "*" : "\\*"), kEverything))
            if (entry.szName != "." && entry.szName != "..") entries.emplace_back(LowerAscii(entry.szName), std::move(entry));
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        const size_t lRelative = szRelative.size(), lFolded = szFolded.size();
        for (const auto& [szFoldedName, entry] : entries) {
            if (lRelative) szRelative += '\\', szFolded += '\\';
            szRelative += entry.szName;
            szFolded += szFoldedName;
            if (!IsLeftAlone()) (entry.lAttr & kAttrDirectory) ? Subfolder(bInLeftover) : File(bInLeftover);
            szRelative.resize(lRelative);
            szFolded.resize(lFolded);
        }
    }

    bool IsLeftAlone() const {
        if (szLeftAlone.empty() && folder.szOtherGames.empty()) return false;
        const std::string szPath = LowerAscii(folder.szPath) + szFolded;
        return szLeftAlone.count(szPath) || folder.szOtherGames.count(szPath);
    }

    // Corvane's own backups are not entered: their insides are what a
    // launch moved aside as a whole. Other tools' folders are entered for
    // the archives in them, which the game loads wherever they lie.
    void Subfolder(bool bInLeftover) {
        if (const std::optional<std::string> szWhat = LeftoverOf(szFolded, true)) {
            if (!folder.bGeneralsOfZeroHour) Add(FindingKind::kLeftover, *szWhat, true);
            if (EndsWith(szFolded, ".original")) return;
            bInLeftover = true;
        }
        Folder(bInLeftover);
    }

    // Zero Hour loads only the archives of the Generals folder it plays from.
    void File(bool bInLeftover) {
        if (EndsWith(szFolded, kAsideEnding)) return Add(FindingKind::kSetAside, "");
        if (EndsWith(szFolded, ".big.bak") && NameReplacedArchive()) return;
        if (folder.bGeneralsOfZeroHour && !EndsWith(szFolded, ".big")) return;
        if (std::optional<std::string> szWhat = LeftoverOf(szFolded, false)) {
            Add(FindingKind::kLeftover, *szWhat);
            if (IsLoadedLeftover(szFolded)) Offer(FindingKind::kLeftover);
            return;
        }
        if (std::optional<std::string> szWhat = AddOnFileOf(szFolded)) return Add(FindingKind::kAddOn, *szWhat);
        if (std::optional<std::string> szWhat = KnownProblemOf(szFolded)) return Add(FindingKind::kKnownProblem, *szWhat);
        if (std::optional<std::string> szWhat = WrapperOf(szFolded)) return Add(FindingKind::kWrapper, *szWhat);
        if (EndsWith(szFolded, ".big")) return Archive();
        if (!bInLeftover && IsLooseFile(szFolded)) Add(FindingKind::kLooseFile, "");
    }

    // The walk meets "X.big.bak" after "X.big": a game's archive is named
    // as replaced where its backup differs from it, the sizes told first.
    // False, naming nothing, for a backup that is no such original.
    bool NameReplacedArchive() {
        const std::string szArchive = szRelative.substr(0, szRelative.size() - std::string(kBackupEnding).size());
        if (!IsOwnArchive(szFolded.substr(0, szArchive.size()))) return false;
        const std::optional<ItemInfo> archive = files.Stat(folder.szPath + szArchive);
        const std::optional<ItemInfo> backup = files.Stat(folder.szPath + szRelative);
        if (!archive || archive->IsFolder() || !backup) return false;
        if (archive->lSize == backup->lSize && files.SameBytes(folder.szPath + szArchive, folder.szPath + szRelative))
            return false;
        const std::string szName = szRelative.substr(szRelative.find_last_of('\\') + 1);
        Add(FindingKind::kReplacedArchive, "the game's own is kept as " + szName);
        findings[static_cast<size_t>(FindingKind::kReplacedArchive)].back().szRelative = szArchive;
        return true;
    }

    void Archive() {
        if (IsOwnArchive(szFolded)) return szOwnArchives.push_back(szFolded);
        if (std::optional<std::string> szWhat = AddOnArchiveOf(szFolded)) return Add(FindingKind::kAddOn, *szWhat);
        const std::string szFirst = FirstBytes(files, folder.szPath + szRelative);
        if (!IsArchiveHeader(szFirst.substr(0, 4)))
            return Add(FindingKind::kLeftover, "named like an archive but none: the game skips it");
        // A header cut short may still hold files: only one that says so is empty.
        const std::optional<BigHeader> header = ReadBigHeader(szFirst);
        if (header && header->lFileCount == 0)
            return Add(FindingKind::kEmptyArchive, "holds no file: the game loads nothing from it");
        szStrays.push_back(szFolded);
        Add(FindingKind::kStrayArchive, "");
        Offer(FindingKind::kStrayArchive);
    }

    // The finding of that kind just added: its size keys the player's answer.
    void Offer(FindingKind kind) {
        Finding& finding = findings[static_cast<size_t>(kind)].back();
        finding.bOffered = true;
        const std::optional<ItemInfo> item = files.Stat(folder.szPath + szRelative);
        finding.lSize = item ? item->lSize : 0;
    }

    // What szRelative names.
    void Add(FindingKind kind, std::string szDetail, bool bFolder = false) {
        Finding finding;
        finding.kind = kind;
        finding.szRelative = szRelative;
        finding.szDetail = std::move(szDetail);
        finding.lFolder = lFolder;
        finding.bInGeneralsFolder = folder.bGeneralsOfZeroHour;
        finding.bFolder = bFolder;
        findings[static_cast<size_t>(kind)].push_back(std::move(finding));
    }

    const CheckedFolder& folder;
    size_t lFolder;
    FileSystem& files;
    const std::set<std::string>& szLeftAlone;
    Findings& findings;
    const size_t lFirstStray = findings[static_cast<size_t>(FindingKind::kStrayArchive)].size();
    std::string szRelative, szFolded;        // where the walk is, below the game folder
    std::vector<std::string> szOwnArchives;  // folded
    std::vector<std::string> szStrays;       // folded, in the order of their findings
};

Finding ProgramFinding(const std::string& szFolder, const std::string& szProgram, FileSystem& files) {
    Finding program;
    program.kind = FindingKind::kProgram;
    program.szRelative = szProgram;
    program.bKnown = false;
    const std::optional<ItemInfo> item = files.Stat(szFolder + szProgram);
    if (!item || item->IsFolder()) return program;
    const std::string szSha256 = files.Sha256(szFolder + szProgram);
    const std::optional<std::string> szBuild = BuildOf(szSha256);
    program.bKnown = szBuild.has_value();
    program.szDetail = szBuild.value_or("SHA-256 " + szSha256);
    return program;
}

std::vector<std::string> PathsOf(const FolderCheck& check, FindingKind kind) {
    std::vector<std::string> szPaths;
    for (const Finding& finding : check.findings)
        if (finding.kind == kind) szPaths.push_back(check.PathOf(finding));
    return szPaths;
}

// A game installed inside the other's folder (hand-made layouts do that)
// is its own: the other's walk leaves it out. Steam's ZH_Generals is what
// Zero Hour carries, and its check covers it.
void NoteOtherGames(const GameTable& games, CheckedFolder& folder) {
    const std::string szFolder = LowerAscii(folder.szPath);
    for (const GameEntry& other : games) {
        const std::string szOther = LowerAscii(other.szInstallPath);
        if (szOther.size() > szFolder.size() && szOther.rfind(szFolder, 0) == 0 && szOther != szFolder + "zh_generals\\")
            folder.szOtherGames.insert(szOther.back() == '\\' ? szOther.substr(0, szOther.size() - 1) : szOther);
    }
}

}  // namespace

std::vector<CheckedFolder> FoldersOf(const GameTable& games, int16_t dGame, FileSystem& files) {
    const GameEntry& game = games.at(static_cast<size_t>(dGame));
    std::vector<CheckedFolder> folders{{game.szInstallPath, false}};
    if (dGame == kZeroHour || dGame == kZeroHourWorldBuilder) {
        const std::optional<ItemInfo> carried = files.Stat(game.szInstallPath + "ZH_Generals");
        const std::string& szGenerals = games[kGenerals].szInstallPath;
        if ((!carried || !carried->IsFolder()) && !szGenerals.empty() &&
            LowerAscii(szGenerals) != LowerAscii(game.szInstallPath))
            folders.emplace_back(szGenerals, true);
    }
    for (CheckedFolder& folder : folders) NoteOtherGames(games, folder);
    return folders;
}

FolderCheck CheckGameFolders(const std::vector<CheckedFolder>& folders, FileSystem& files,
                             const std::set<std::string>& szLeftAlone) {
    FolderCheck check;
    Findings found;
    for (const CheckedFolder& folder : folders) check.szFolders.push_back(folder.szPath);
    for (size_t i = 0; i < folders.size(); ++i) Walk(folders[i], i, files, szLeftAlone, found).Run();
    for (std::vector<Finding>& ofKind : found)
        check.findings.insert(check.findings.end(), std::make_move_iterator(ofKind.begin()),
                              std::make_move_iterator(ofKind.end()));
    return check;
}

void AddProgram(FolderCheck& check, const std::string& szProgram, FileSystem& files) {
    check.findings.insert(check.findings.begin(), ProgramFinding(check.szFolders.at(0), szProgram, files));
}

std::vector<std::string> ToSetAside(const FolderCheck& check) {
    std::vector<std::string> szPaths;
    for (const Finding& finding : check.findings)
        if (finding.bOffered || finding.kind == FindingKind::kLooseFile) szPaths.push_back(check.PathOf(finding));
    return szPaths;
}

std::vector<std::string> ToPutBack(const FolderCheck& check) {
    return PathsOf(check, FindingKind::kSetAside);
}

std::string AsideName(const std::string& szPath) { return szPath + kAsideEnding; }

bool IsAsideName(const std::string& szPath) { return EndsWithFolded(szPath, kAsideEnding); }

std::string NameBeforeAside(const std::string& szAside) {
    return IsAsideName(szAside) ? szAside.substr(0, szAside.size() - std::string(kAsideEnding).size()) : szAside;
}

}  // namespace corvane
