// A fingerprint built from files on a disk: archives file by file, a lying
// archive as one whole file with a note, the code of a pinned tree, and
// the cache: files that did not change are not read again, a changed size
// or last write is, and a damaged cache is noted and built anew.
#include <gtest/gtest.h>

#include <algorithm>

#include "fingerprint/fixtures.h"
#include "fingerprint/fingerprint_builder.h"
#include "support/fake_platform.h"

namespace corvane::test {
namespace {

const std::string kCache = std::string("C:\\Corvane\\") + kHashCacheName;

struct Folder {
    MemoryDisk disk;
    RecordingProblems problems;

    Folder() {
        disk.AddFile("C:\\Game\\Data\\INI\\CommandSet.ini", "CommandSet");
        disk.AddFile("C:\\Game\\W3DZH.big", BigBytes({{"Art\\W3D\\Tank.W3D", "tank"}, {"Art/W3D/Jet.w3d", "jet"}}));
        disk.AddFile("C:\\Game\\Data\\Lies.big", Patched(BigBytes({{"a.ini", "a"}}), 8, 9));
        disk.AddFile("C:\\Game\\Maps\\Notes.big", "no archive");
        disk.AddFolder("C:\\Corvane");
    }

    // The files as a walk would hand them over, in the order and letter case given.
    std::vector<LoadedFile> Loaded(const std::vector<std::string>& szPaths) {
        std::vector<LoadedFile> files;
        for (const std::string& szPath : szPaths) {
            const std::optional<ItemInfo> info = disk.Stat("C:\\Game\\" + szPath);
            files.push_back({CanonicalName(szPath), "C:\\Game\\" + szPath, info->lSize, info->lWriteTime});
        }
        return files;
    }

    // Builds with a cache loaded from its file, and saves the cache; the
    // calls on the disk while the files are added.
    Manifest Build(const std::vector<LoadedFile>& files, int* pCalls = nullptr, std::vector<std::string>* pNotes = nullptr) {
        HashCache cache(disk, problems, kCache);
        cache.Load();
        FingerprintBuilder builder(disk, cache);
        builder.SetProgram({std::string(64, 'c'), ""});
        const int lBefore = disk.Calls();
        for (const LoadedFile& file : files) builder.Add(file);
        if (pCalls) *pCalls = disk.Calls() - lBefore;
        if (pNotes) *pNotes = builder.Notes();
        cache.Save();
        return builder.Finish();
    }
};

const std::vector<std::string> kTree = {"W3DZH.big", "Data\\INI\\CommandSet.ini", "Data\\Lies.big", "Maps\\Notes.big"};

TEST(FingerprintBuilder, ThePinnedTreeFileByFileWhateverTheOrderAndLetterCase) {
    Folder folder;
    std::vector<std::string> szNotes;
    const Manifest manifest = folder.Build(folder.Loaded(kTree), nullptr, &szNotes);
    std::vector<std::string> szNames;
    for (const FileLine& file : manifest.files) szNames.push_back(file.szName + " " + std::to_string(file.lSize));
    EXPECT_EQ(szNames, (std::vector<std::string>{"data\\ini\\commandset.ini 10", "data\\lies.big 31",
                                                 "w3dzh.big|art\\w3d\\jet.w3d 3", "w3dzh.big|art\\w3d\\tank.w3d 4"}));
    EXPECT_EQ(szNotes, (std::vector<std::string>{
                           "data\\lies.big is taken as one whole file: its table counts more entries than it can hold",
                           "maps\\notes.big is named like an archive but is none: the game skips it"}));
    EXPECT_EQ(FingerprintCode(CanonicalText(manifest)), "EWHS-PW5P-F8KY");

    Folder again;
    std::vector<std::string> szOtherWay(kTree.rbegin(), kTree.rend());
    for (std::string& szPath : szOtherWay) std::transform(szPath.begin(), szPath.end(), szPath.begin(), ::toupper);
    EXPECT_EQ(CanonicalText(again.Build(again.Loaded(szOtherWay))), CanonicalText(manifest));
}

TEST(FingerprintBuilder, ReadsOnlyWhatChangedSinceTheCacheAndRebuildsADamagedCache) {
    Folder folder;
    int lCalls = 0;
    const std::string szFirst = CanonicalText(folder.Build(folder.Loaded(kTree), &lCalls));
    EXPECT_EQ(lCalls, 4);

    const struct {
        const char* szWhat;
        uint64_t lSize, lWriteTime;  // added to the command set's
        int lCalls;
    } changes[] = {{"nothing", 0, 0, 0}, {"its size", 1, 0, 1}, {"its last write", 0, 1, 1}};
    for (const auto& change : changes) {
        std::vector<LoadedFile> files = folder.Loaded(kTree);
        files[1].lSize += change.lSize;
        files[1].lWriteTime += change.lWriteTime;
        EXPECT_EQ(CanonicalText(folder.Build(files, &lCalls)), szFirst) << change.szWhat;
        EXPECT_EQ(lCalls, change.lCalls) << change.szWhat;
        folder.Build(folder.Loaded(kTree));  // back as it was
    }

    std::string szCache = folder.disk.Tree("C:\\Corvane").at(kHashCacheName);
    szCache[szCache.size() / 2] ^= 1;
    folder.disk.WriteItem(kCache, szCache);
    EXPECT_EQ(CanonicalText(folder.Build(folder.Loaded(kTree), &lCalls)), szFirst);
    EXPECT_EQ(lCalls, 4);
    EXPECT_EQ(folder.problems.noted,
              std::vector<std::string>{"The hash cache " + kCache + " is damaged; the fingerprint reads every file again"});
    folder.Build(folder.Loaded(kTree), &lCalls);
    EXPECT_EQ(lCalls, 0);
    EXPECT_EQ(folder.problems.noted.size(), 1u);
}

}  // namespace
}  // namespace corvane::test
