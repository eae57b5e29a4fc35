#include "check_run.h"

#include <cstdio>
#include <stdexcept>

#include "bare_ops.h"
#include "check/folder/folder_check.h"
#include "platform/win32.h"
#include "platform/win_file_system.h"
#include "stopwatch.h"
#include "tree_shapes.h"

namespace corvane::bench {

namespace {

constexpr double kTarget = 1.5;
constexpr const char* kStamp = "CheckGame.stamp";
constexpr const char* const kOwnArchives[] = {"Audio", "AudioEnglish", "English", "gensec",  "INI",
                                              "maps",  "Music",        "Patch",   "shaders", "Speech",
                                              "SpeechEnglish", "Terrain", "Textures", "W3D", "Window"};

// 20,000 small files of a mod unpacked into the game folder, a hundred to
// a folder, and archives: the game's own at the top, the mod's beside and
// below them.
TreeShape CheckShape() {
    TreeShape shape;
    Numbers numbers(21);
    const char* const kKinds[][2] = {{"Data\\INI\\Object", "unit%05d.ini"}, {"Art\\Textures", "tex%05d.tga"},
                                     {"Art\\W3D", "mdl%05d.w3d"}, {"Data\\Audio\\Sounds", "snd%05d.wav"}};
    for (int i = 0; i < 20000; ++i) {
        const auto& kind = kKinds[(i / 100) % 4];
        shape.push_back({Format("%s\\Set%03d\\", kind[0], i / 100) + Format(kind[1], i), numbers.Between(512, 7680)});
    }
    for (const char* szName : kOwnArchives) shape.push_back({Format("%s.big", szName), 4096});
    for (int i = 0; i < 10; ++i) shape.push_back({Format("!ModPack%02d.big", i), 4096});
    for (int i = 0; i < 10; ++i) shape.push_back({Format("Data\\Mod\\Pack%02d.big", i), 4096});
    return shape;
}

void WriteHeader(const std::string& szPath) {
    HANDLE hFile = CreateFileA(szPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD lWritten = 0;
    if (hFile == INVALID_HANDLE_VALUE || !WriteFile(hFile, "BIGF", 4, &lWritten, nullptr))
        throw std::runtime_error("cannot write " + szPath);
    CloseHandle(hFile);
}

void BuildOnce(const std::string& szFolder, const std::string& szStandInExe, const std::string& szStamp) {
    if (GetFileAttributesA(szStamp.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    std::printf("Setting up %s...\n", szFolder.c_str());
    BareDelete(szFolder);
    const TreeShape shape = CheckShape();
    WriteTree(szFolder, shape);
    for (const FileSpec& file : shape)
        if (file.szPath.size() > 4 && file.szPath.compare(file.szPath.size() - 4, 4, ".big") == 0)
            WriteHeader(szFolder + "\\" + file.szPath);
    if (!CopyFileA(szStandInExe.c_str(), (szFolder + "\\Generals.exe").c_str(), FALSE))
        throw std::runtime_error("cannot copy " + szStandInExe);
    HANDLE hStamp = CreateFileA(szStamp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(hStamp);
}

}  // namespace

CheckFigures MeasureCheck(const std::string& szRoot, const std::string& szStandInExe, int lRounds) {
    const std::string szFolder = szRoot + "\\CheckGame";
    BuildOnce(szFolder, szStandInExe, szRoot + "\\" + kStamp);
    WinFileSystem files;
    const std::vector<CheckedFolder> folders = {{szFolder + "\\", false}};
    CheckFigures figures;
    const auto check = [&] {
        const double dfStart = Now();
        FolderCheck found = CheckGameFolders(folders, files, {});
        figures.check.Add(Now() - dfStart);
        const double dfProgram = Now();
        AddProgram(found, "Generals.exe", files);
        figures.program.Add(Now() - dfProgram);
        figures.lStrays = 0;
        for (const Finding& finding : found.findings) figures.lStrays += finding.kind == FindingKind::kStrayArchive;
    };
    const auto walk = [&] {
        const double dfStart = Now();
        figures.lEntries = BareWalkOpeningArchives(szFolder);
        figures.walk.Add(Now() - dfStart);
    };
    // Once each, untimed, so that neither is the first to meet a cold cache.
    BareWalkOpeningArchives(szFolder);
    CheckGameFolders(folders, files, {});
    for (int lRound = 1; lRound <= lRounds; ++lRound) {
        if (lRound % 2) check(), walk();
        else walk(), check();
        std::printf("  round %d  check of the game folder %6.3f s  bare walk opening archives %6.3f s  (the program's"
                    " SHA-256 %6.3f s)\n",
                    lRound, figures.check.Values().back(), figures.walk.Values().back(), figures.program.Values().back());
    }
    return figures;
}

bool PrintCheck(const CheckFigures& figures) {
    const Samples ratios = Ratios(figures.check, figures.walk);
    const bool bMet = ratios.Median() <= kTarget;
    std::printf("Check of a game folder with a 20,000-file mod unpacked into it (%llu entries, %llu stray archives "
                "found):\n  check %.3f s, bare walk opening archives %.3f s (medians); ratio min %.2f, median %.2f "
                "(target <= %.2f) %s\n  the check window adds the SHA-256 of the game's program: %.3f s (median)\n",
                static_cast<unsigned long long>(figures.lEntries), static_cast<unsigned long long>(figures.lStrays),
                figures.check.Median(), figures.walk.Median(), ratios.Min(), ratios.Median(), kTarget,
                bMet ? "met" : "MISSED", figures.program.Median());
    return bMet;
}

}  // namespace corvane::bench
