#include "scratch_layout.h"

#include <stdexcept>

#include "bare_ops.h"
#include "platform/win32.h"
#include "tree_shapes.h"

namespace corvane::bench {

namespace {

constexpr uint64_t kKiB = 1024;
constexpr uint64_t kMiB = 1024 * kKiB;

// Bump when a tree below changes: parts built by an older layout are made anew.
constexpr const char* kLayoutVersion = "layout 2";

const char* const kGameIniNames[] = {"GameData", "Weather",  "Armor",         "Weapon",       "Locomotor",
                                     "CommandButton", "CommandSet", "Upgrade", "Science", "SpecialPower",
                                     "FXList",   "ObjectCreationList", "ParticleSystem", "Video", "Water",
                                     "Terrain",  "Multiplayer", "AIData",      "Crate",        "Rank"};
const char* const kGameSides[] = {"America", "China", "GLA", "Civilian"};

// The game's own loose files, 300 of them, beside Generals.exe.
TreeShape GameShape() {
    TreeShape shape;
    Numbers numbers(1);
    for (const char* szName : kGameIniNames)
        shape.push_back({Format("Data\\INI\\%s.ini", szName), numbers.Between(1 * kKiB, 64 * kKiB)});
    for (const char* szSide : kGameSides)
        for (int i = 0; i < 30; ++i)
            shape.push_back({Format("Data\\INI\\Object\\%sUnit%02d.ini", szSide, i), numbers.Between(2 * kKiB, 48 * kKiB)});
    for (int i = 0; i < 10; ++i) shape.push_back({Format("Data\\English\\Lang%02d.csf", i), numbers.Between(64 * kKiB, 512 * kKiB)});
    for (int i = 0; i < 20; ++i) shape.push_back({Format("Data\\Scripts\\Script%02d.scb", i), numbers.Between(4 * kKiB, 96 * kKiB)});
    for (int i = 0; i < 130; ++i)
        shape.push_back({Format("Data\\Audio\\Speech\\Voice%03d.wav", i), numbers.Between(16 * kKiB, 256 * kKiB)});
    return shape;
}

// What a loose-file mod brings: a few of the game's object files replaced,
// new ones beside them, and everything else in folders of its own.
struct ModRecipe {
    uint64_t lSeed;
    int lFiles;
    int lReplaced;
    int lNewInExisting;
    int lPerFolder;
    uint64_t lSmallest, lLargest;
    int lMovies;  // large files in a new Data\Movies
    uint64_t lMovieSize;
};

const char* const kNewKinds[][2] = {{"Art\\Textures", "tex%05d.tga"}, {"Art\\W3D", "mdl%05d.w3d"},
                                    {"Audio\\Sounds", "snd%05d.wav"}};

TreeShape ModShape(const ModRecipe& recipe, const TreeShape& game) {
    TreeShape shape;
    Numbers numbers(recipe.lSeed);
    const auto size = [&] { return numbers.Between(recipe.lSmallest, recipe.lLargest); };
    // The game's object files come after its 20 top-level INI files.
    for (int i = 0; i < recipe.lReplaced; ++i) shape.push_back({game.at(20 + i).szPath, size()});
    for (int i = 0; i < recipe.lNewInExisting; ++i) shape.push_back({Format("Data\\INI\\Object\\ModUnit%04d.ini", i), size()});
    for (int i = 0; i < recipe.lMovies; ++i) shape.push_back({Format("Data\\Movies\\Intro%02d.bik", i), recipe.lMovieSize});
    const int lRest = recipe.lFiles - static_cast<int>(shape.size());
    for (int i = 0; i < lRest; ++i) {
        const int lFolder = i / recipe.lPerFolder;
        const auto& kind = kNewKinds[lFolder % 3];
        shape.push_back({Format("Data\\%s\\Set%03d\\", kind[0], lFolder) + Format(kind[1], i), size()});
    }
    return shape;
}

// 2,000 files, about 1 GiB: textures and models of 16 KiB to 772 KiB and
// ten movies of 24 MiB.
constexpr ModRecipe kBigRecipe{11, 2000, 20, 40, 100, 16 * kKiB, 772 * kKiB, 10, 24 * kMiB};
// 20,000 files of 512 bytes to 7.5 KiB.
constexpr ModRecipe kSmallRecipe{12, 20000, 40, 200, 100, 512, 7680, 0, 0};

constexpr int kScanMods = 200;

// A mod as most are shipped: its bulk in a few BIG archives beside the
// game's own (1 GiB in four), and 2,000 small loose files.
constexpr ModRecipe kArchiveLooseRecipe{13, 2000, 20, 40, 100, 512, 7680, 0, 0};
constexpr int kArchives = 4;
constexpr uint64_t kArchiveSize = 256 * kMiB;

TreeShape ArchivesAloneShape() {
    TreeShape shape;
    for (int i = 0; i < kArchives; ++i) shape.push_back({Format("!ModArchive%02d.big", i), kArchiveSize});
    return shape;
}

TreeShape ArchiveModShape(const TreeShape& game) {
    TreeShape shape = ArchivesAloneShape();
    for (FileSpec& file : ModShape(kArchiveLooseRecipe, game)) shape.push_back(std::move(file));
    return shape;
}

// One of the 200 scanned mods: 500 files in six folders.
TreeShape ScanModShape() {
    TreeShape shape;
    for (int i = 0; i < 100; ++i) shape.push_back({Format("Data\\INI\\Object\\ModUnit%03d.ini", i), 16});
    for (int i = 0; i < 400; ++i) shape.push_back({Format("Data\\Art\\Textures\\Set%02d\\tex%03d.tga", i / 100, i), 16});
    return shape;
}

ModSize MeasureMod(const TreeShape& shape, const ModRecipe& recipe) {
    return {SizeOf(shape), static_cast<uint64_t>(recipe.lReplaced), static_cast<uint64_t>(recipe.lNewInExisting)};
}

// A part is complete when its stamp holds this layout's version; the stamp
// is written last.
bool PartIsComplete(const std::string& szStamp) {
    char szBuffer[64] = {};
    HANDLE hFile = CreateFileA(szStamp.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return false;
    DWORD lRead = 0;
    ReadFile(hFile, szBuffer, sizeof(szBuffer) - 1, &lRead, nullptr);
    CloseHandle(hFile);
    return std::string(szBuffer, lRead) == kLayoutVersion;
}

void WriteText(const std::string& szPath, const std::string& szText) {
    HANDLE hFile = CreateFileA(szPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD lWritten = 0;
    if (hFile == INVALID_HANDLE_VALUE || !WriteFile(hFile, szText.data(), static_cast<DWORD>(szText.size()), &lWritten, nullptr))
        throw std::runtime_error("cannot write " + szPath);
    CloseHandle(hFile);
}

// The stamp lies beside the part, so that a part on a drive that forgets
// its files (a memory file system) is made again.
template <typename Build>
void BuildPartOnce(const std::string& szRoot, const std::string& szPart, const std::string& szFolder, Build build) {
    const std::string szStamp = szRoot + "\\" + szPart + ".stamp";
    if (PartIsComplete(szStamp)) return;
    DeleteFileA(szStamp.c_str());
    BareDelete(szFolder);
    build();
    WriteText(szStamp, kLayoutVersion);
}

void EnsureFolder(const std::string& szPath) {
    if (!CreateDirectoryA(szPath.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot create " + szPath);
}

// One folder entry whose destination is the game folder itself: the whole
// tree becomes the game's Data folder, and the game's own Data is moved
// aside as one item.
std::string SmallConfigText(const ScratchPaths& paths) {
    return "Location=" + paths.SmallMod() + "\\SmallFiles.big\r\n[Folder]\r\nSource=" + paths.SmallConfigSource() +
           "\r\nDestination=" + paths.Game() + "\r\n";
}

// The archive mod's tree from the far drive, item by item into the game
// folder: each archive, then its Data folder whole.
std::string FarArchiveConfigText(const ScratchPaths& paths) {
    std::string szText = "Location=\r\n";
    const auto entry = [&](const std::string& szItem) {
        szText += "[Folder]\r\nSource=" + paths.FarArchives() + "\\" + szItem + "\r\nDestination=" + paths.Game() + "\r\n";
    };
    for (int i = 0; i < kArchives; ++i) entry(Format("!ModArchive%02d.big", i));
    entry("Data");
    return szText;
}

}  // namespace

ScratchSummary BuildScratch(const ScratchPaths& paths, const std::string& szStandInExe) {
    if (paths.szRoot.find('.') != std::string::npos)
        throw std::runtime_error("the scratch folder's path must hold no dot: the launch takes such paths for files");
    EnsureFolder(paths.szRoot);
    const TreeShape game = GameShape();
    BareDelete(paths.Game());
    WriteTree(paths.Game(), game);
    if (!CopyFileA(szStandInExe.c_str(), (paths.Game() + "\\Generals.exe").c_str(), FALSE))
        throw std::runtime_error("cannot copy the stand-in game " + szStandInExe);

    EnsureFolder(paths.LaunchApp());
    for (const char* szLeftover : {"\\Corvane.journal", "\\Corvane.log"}) DeleteFileA((paths.LaunchApp() + szLeftover).c_str());
    const TreeShape big = ModShape(kBigRecipe, game), small = ModShape(kSmallRecipe, game);
    BuildPartOnce(paths.szRoot, "big", paths.BigMod(), [&] { WriteTree(paths.BigMod(), big); });
    BuildPartOnce(paths.szRoot, "small", paths.SmallMod(), [&] { WriteTree(paths.SmallMod(), small); });
    WriteText(paths.LaunchApp() + "\\" + kSmallConfigTitle + ".zcf", SmallConfigText(paths));
    const TreeShape archives = ArchiveModShape(game);
    BuildPartOnce(paths.szRoot, "archives", paths.ArchiveMod(), [&] { WriteTree(paths.ArchiveMod(), archives); });
    const TreeShape archivesAlone = ArchivesAloneShape();
    BuildPartOnce(paths.szRoot, "archives-alone", paths.ArchivesAloneMod(),
                  [&] { WriteTree(paths.ArchivesAloneMod(), archivesAlone); });
    const std::string szFarConfig = paths.LaunchApp() + "\\" + kFarArchiveTitle + ".zcf";
    DeleteFileA(szFarConfig.c_str());
    if (!paths.szFarRoot.empty()) {
        EnsureFolder(paths.szFarRoot);
        BuildPartOnce(paths.szFarRoot, "far", paths.FarArchives(), [&] { WriteTree(paths.FarArchives(), archives); });
        WriteText(szFarConfig, FarArchiveConfigText(paths));
    }

    const TreeShape scanMod = ScanModShape();
    BuildPartOnce(paths.szRoot, "scan", paths.ScanApp(), [&] {
        EnsureFolder(paths.ScanApp());
        for (int i = 0; i < kScanMods; ++i) WriteTree(paths.ScanApp() + Format("\\ScanMod%03d", i), scanMod);
    });

    BareDelete(paths.Bare());
    EnsureFolder(paths.Bare());

    ScratchSummary summary;
    summary.game = SizeOf(game);
    ++summary.game.lFiles;  // Generals.exe
    summary.big = MeasureMod(big, kBigRecipe);
    summary.small = MeasureMod(small, kSmallRecipe);
    summary.archives = MeasureMod(archives, kArchiveLooseRecipe);
    summary.archivesAlone = {SizeOf(archivesAlone), 0, 0};
    const TreeSize one = SizeOf(scanMod);
    summary.lScanMods = kScanMods;
    summary.scan = {one.lFiles * kScanMods, (one.lFolders + 1) * kScanMods, one.lBytes * kScanMods};
    return summary;
}

}  // namespace corvane::bench
