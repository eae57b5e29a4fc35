// The fingerprint of a game folder with a 1 GiB mod of 2,000 files laid
// over it, taken through the "Fingerprint" window, against bare programs
// doing the least the same job needs, taking turns round by round:
//
//   corvane_fingerprint_bench <scratch folder> <stand-in Generals.exe> [rounds]
//
// A first fingerprint (no hash cache) against a bare program that hashes
// the same files with the same SHA-256 code: at least 0.8 times as fast. A
// second one (the cache kept) against a bare walk of the same folders that
// opens each archive and reads its table: at most 1.5 times as long. The
// peak working set may grow by 64 MiB at most, the window answers within
// 100 ms throughout, and the manifest packs to less than 1 MB.
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "bare_ops.h"
#include "fingerprint/frm_fingerprint.h"
#include "fingerprint/hash_cache.h"
#include "fingerprint/manifest_file.h"
#include "message_pump.h"
#include "platform/sha256.h"
#include "platform/win_platform.h"
#include "samples.h"
#include "stopwatch.h"
#include "tree_shapes.h"
#include "window_prober.h"

#include <commctrl.h>

namespace corvane::bench {

namespace {

constexpr uint64_t kKiB = 1024, kMiB = 1024 * kKiB;
constexpr const char* kOwnArchives[] = {"Audio", "AudioEnglish", "English", "gensec", "INI", "maps", "Music", "Patch",
                                        "shaders", "Speech", "SpeechEnglish", "Terrain", "Textures", "W3D", "Window"};

[[noreturn]] void Fail(const char* szCall, const std::string& szPath) {
    throw std::runtime_error(std::string(szCall) + "(" + szPath + ") failed with " + std::to_string(GetLastError()));
}

uint32_t BigEndian(const unsigned char* p) { return uint32_t{p[0]} << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

void Put(std::string& szBytes, uint32_t l) {
    for (int i = 24; i >= 0; i -= 8) szBytes += static_cast<char>(l >> i);
}

// An archive as the game's tools write it: lCount files of lEach bytes.
void WriteArchive(const std::string& szPath, uint32_t lCount, uint32_t lEach, Numbers& numbers) {
    std::string szTable;
    std::vector<std::string> szNames;
    uint32_t lTableEnd = 16;
    for (uint32_t i = 0; i < lCount; ++i) {
        szNames.push_back(Format("Data\\Art\\Part%04u.w3d", i));
        lTableEnd += 8 + static_cast<uint32_t>(szNames.back().size()) + 1;
    }
    std::string szHead = "BIGF";
    szHead.append(4, '\0');
    Put(szHead, lCount);
    Put(szHead, lTableEnd);
    for (uint32_t i = 0; i < lCount; ++i) {
        Put(szTable, lTableEnd + i * lEach);
        Put(szTable, lEach);
        szTable += szNames[i] + '\0';
    }
    HANDLE hFile = CreateFileA(szPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) Fail("CreateFileA", szPath);
    DWORD lWritten = 0;
    const std::string szStart = szHead + szTable;
    WriteFile(hFile, szStart.data(), static_cast<DWORD>(szStart.size()), &lWritten, nullptr);
    std::vector<uint64_t> block(lEach / 8);
    for (uint32_t i = 0; i < lCount; ++i) {
        for (uint64_t& l : block) l = numbers.Next();
        if (!WriteFile(hFile, block.data(), lEach, &lWritten, nullptr)) Fail("WriteFile", szPath);
    }
    CloseHandle(hFile);
}

// The game: its program and fifteen archives of its own, 8 MiB each. The
// mod: ten archives of 64 MiB, and 1,990 loose files (INI texts and models)
// of 128 to 256 KiB: 2,000 files, about 1 GiB.
void BuildOnce(const std::string& szRoot, const std::string& szStandIn) {
    const std::string szStamp = szRoot + "\\Fingerprint.stamp";
    if (GetFileAttributesA(szStamp.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    std::printf("Setting up %s...\n", szRoot.c_str());
    BareDelete(szRoot + "\\FpGame");
    BareDelete(szRoot + "\\FpMod");
    Numbers numbers(36);
    TreeShape loose;
    for (int i = 0; i < 1990; ++i)
        loose.push_back({Format(i % 2 ? "Art\\W3D\\Set%03d\\model%05d.w3d" : "Data\\INI\\Set%03d\\unit%05d.ini", i / 100, i),
                         numbers.Between(128 * kKiB, 256 * kKiB)});
    WriteTree(szRoot + "\\FpMod", loose);
    CreateDirectoryA((szRoot + "\\FpMod\\Archives").c_str(), nullptr);
    for (int i = 0; i < 10; ++i) WriteArchive(szRoot + Format("\\FpMod\\Archives\\Mod%02d.big", i), 512, 128 * kKiB, numbers);
    CreateDirectoryA((szRoot + "\\FpGame").c_str(), nullptr);
    for (const char* szName : kOwnArchives)
        WriteArchive(szRoot + "\\FpGame\\" + szName + ".big", 64, 128 * kKiB, numbers);
    if (!CopyFileA(szStandIn.c_str(), (szRoot + "\\FpGame\\Generals.exe").c_str(), FALSE)) Fail("CopyFileA", szStandIn);
    CloseHandle(CreateFileA(szStamp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Every file below the folder, its path in full.
void ListFiles(const std::string& szFolder, std::vector<std::string>& szFiles) {
    WIN32_FIND_DATAA fd{};
    HANDLE hFind = FindFirstFileA((szFolder + "\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE) Fail("FindFirstFileA", szFolder);
    do {
        const std::string szName = fd.cFileName;
        if (szName == "." || szName == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListFiles(szFolder + "\\" + szName, szFiles);
        else szFiles.push_back(szFolder + "\\" + szName);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}

// The bytes read; with bTablesOnly, of each archive only its header and
// table, and nothing of the other files, else all of every file hashed.
uint64_t BareRead(const std::vector<std::string>& szFolders, bool bTablesOnly) {
    std::vector<std::string> szFiles;
    for (const std::string& szFolder : szFolders) ListFiles(szFolder, szFiles);
    std::vector<char> block(kMiB);
    uint64_t lBytes = 0;
    for (const std::string& szFile : szFiles) {
        const bool bArchive = szFile.size() > 4 && szFile.compare(szFile.size() - 4, 4, ".big") == 0;
        if (bTablesOnly && !bArchive) continue;
        HANDLE hFile = CreateFileA(szFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hFile == INVALID_HANDLE_VALUE) Fail("CreateFileA", szFile);
        DWORD lRead = 0;
        if (bTablesOnly) {
            ReadFile(hFile, block.data(), 16, &lRead, nullptr);
            ReadFile(hFile, block.data(), BigEndian(reinterpret_cast<unsigned char*>(block.data()) + 12) - 16, &lRead, nullptr);
            lBytes += 16 + lRead;
        } else {
            Sha256Hasher hasher;
            while (ReadFile(hFile, block.data(), static_cast<DWORD>(block.size()), &lRead, nullptr) && lRead > 0) {
                hasher.Add(block.data(), lRead);
                lBytes += lRead;
            }
            hasher.FinishHex();
        }
        CloseHandle(hFile);
    }
    return lBytes;
}

struct Taken {
    double dfSeconds = 0;
    double dfLongestSilence = 0;
    std::string szCode;
};

// One fingerprint through the window, from its opening to its code.
Taken TakeThroughWindow(const Platform& platform, const ProgramState& state, const std::string& szAppPath) {
    WindowProber prober;
    frmFingerprint window(state, platform, szAppPath);
    const double dfStart = Now();
    window.Show(kGenerals, 0);
    prober.Watch(window.Handle());
    const HWND hCode = FindWindowExA(window.Handle(), nullptr, "Edit", nullptr);
    char szCode[32] = {};
    if (!PumpUntil([&] { return GetWindowTextA(hCode, szCode, sizeof(szCode)) > 0; }, 600))
        throw std::runtime_error("the window showed no code");
    Taken taken{Now() - dfStart, 0, szCode};
    prober.Watch(nullptr);
    taken.dfLongestSilence = prober.Take().dfLongest;
    window.Unload();
    return taken;
}

void PrintSamples(const char* szWhat, const Samples& samples) {
    std::printf("  %-44s min %6.3f s  median %6.3f s\n", szWhat, samples.Min(), samples.Median());
}

}  // namespace

int Run(const std::string& szRoot, const std::string& szStandIn, int lRounds) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    CreateDirectoryA(szRoot.c_str(), nullptr);
    BuildOnce(szRoot, szStandIn);
    const std::string szGame = szRoot + "\\FpGame", szMod = szRoot + "\\FpMod", szApp = szRoot + "\\FpApp";
    CreateDirectoryA(szApp.c_str(), nullptr);
    WinPlatform services(szApp, "Corvane bench");
    ProgramState state;
    state.GameTable[kGenerals].szInstallPath = szGame + "\\";
    state.ClearMods();
    ModConfig mod;
    mod.szTitle = "Bench";
    for (const char* szEntry : {"Data", "Art"}) mod.AddEntry(szMod + "\\" + szEntry, szGame);
    for (int i = 0; i < 10; ++i) mod.AddEntry(szMod + Format("\\Archives\\Mod%02d.big", i), szGame);
    state.AppendMod(mod);

    const std::string szCache = szApp + "\\" + kHashCacheName;
    Samples first, bareHash, second, bareWalk;
    double dfSilence = 0;
    const uint64_t lPeakBefore = WindowProber::PeakWorkingSet();
    std::string szCode;
    BareRead({szGame, szMod}, false);  // untimed: no round is the first to meet a cold cache
    const auto take = [&](Samples& samples) {
        HashProgress progress;
        const double dfStart = Now();
        Fingerprint taken = TakeFingerprint(services.Get(), {state.GameTable, kGenerals, &mod, state.ModList, szApp}, progress);
        samples.Add(Now() - dfStart);
        if (!szCode.empty() && taken.szCode != szCode) throw std::runtime_error("the code changed between rounds");
        szCode = taken.szCode;
        return taken;
    };
    const auto bare = [&](Samples& samples, bool bTablesOnly) {
        const double dfStart = Now();
        const uint64_t lBytes = BareRead({szGame, szMod}, bTablesOnly);
        samples.Add(Now() - dfStart);
        return lBytes;
    };
    // Each in turn first, so that neither always meets what the other left
    // in the file system's caches; the short ones thrice a round.
    for (int lRound = 1; lRound <= lRounds; ++lRound) {
        DeleteFileA(szCache.c_str());
        uint64_t lBytes = 0;
        if (lRound % 2) lBytes = bare(bareHash, false), take(first);
        else take(first), lBytes = bare(bareHash, false);
        for (int i = 0; i < 3; ++i) {
            if ((lRound + i) % 2) take(second), bare(bareWalk, true);
            else bare(bareWalk, true), take(second);
        }
        std::printf("  round %d  first %6.3f s  bare hash of %.0f MiB %6.3f s  second %6.3f s  bare walk reading tables "
                    "%6.3f s (each the last of three)\n",
                    lRound, first.Values().back(), static_cast<double>(lBytes) / kMiB, bareHash.Values().back(),
                    second.Values().back(), bareWalk.Values().back());
    }
    // Through the window, a first and a second time: how long it went
    // without answering while it hashed.
    DeleteFileA(szCache.c_str());
    for (int i = 0; i < 2; ++i) {
        const Taken taken = TakeThroughWindow(services.Get(), state, szApp);
        dfSilence = std::max(dfSilence, taken.dfLongestSilence);
        if (taken.szCode != szCode) throw std::runtime_error("the window showed another code");
        std::printf("  through the window: %6.3f s, the longest wait for an answer %.0f ms\n", taken.dfSeconds,
                    taken.dfLongestSilence * 1000);
    }
    const double dfGrowth = static_cast<double>(WindowProber::PeakWorkingSet() - lPeakBefore) / kMiB;
    Samples unused;
    const Fingerprint taken = take(unused);
    const size_t lManifest = ManifestBytes(taken.manifest).size();

    const Samples speed = Ratios(bareHash, first), cached = Ratios(second, bareWalk);
    std::printf("Fingerprint of a game folder with a 1 GiB mod of 2,000 files laid over it (code %s, %zu lines):\n",
                szCode.c_str(), taken.manifest.files.size());
    PrintSamples("first fingerprint", first);
    PrintSamples("bare program hashing the same files", bareHash);
    PrintSamples("second fingerprint, the hash cache kept", second);
    PrintSamples("bare walk opening each archive's table", bareWalk);
    const bool bSpeed = speed.Median() >= 0.8, bCached = cached.Median() <= 1.5, bMemory = dfGrowth <= 64,
               bSilence = dfSilence <= 0.1, bSmall = lManifest < 1000000;
    std::printf("  first: speed against the bare hash min %.2f, median %.2f (target >= 0.80) %s\n", speed.Min(),
                speed.Median(), bSpeed ? "met" : "MISSED");
    std::printf("  second: time against the bare walk min %.2f, median %.2f (target <= 1.50) %s\n", cached.Min(),
                cached.Median(), bCached ? "met" : "MISSED");
    std::printf("  peak working set grew %.1f MiB (target <= 64) %s\n", dfGrowth, bMemory ? "met" : "MISSED");
    std::printf("  the window went without answering for %.0f ms at most (target <= 100) %s\n", dfSilence * 1000,
                bSilence ? "met" : "MISSED");
    std::printf("  the manifest packs to %zu bytes (target < 1,000,000) %s\n", lManifest, bSmall ? "met" : "MISSED");
    return bSpeed && bCached && bMemory && bSilence && bSmall ? 0 : 3;
}

}  // namespace corvane::bench

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::printf("usage: corvane_fingerprint_bench <scratch folder> <stand-in Generals.exe> [rounds]\n");
        return 2;
    }
    try {
        return corvane::bench::Run(argv[1], argv[2], argc > 3 ? std::max(std::atoi(argv[3]), 1) : 3);
    } catch (const std::exception& e) {
        std::printf("BENCHMARK FAILED: %s\n", e.what());
        return 1;
    }
}
