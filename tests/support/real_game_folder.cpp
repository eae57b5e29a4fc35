#include "support/real_game_folder.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "state/ascii_case.h"
#include "support/memory_disk.h"

namespace corvane::test {

namespace {

// What the players added to the editions, by path (folded): GenTool's
// files, GenPatcher's, other tools' and what they wrote.
constexpr std::array kAddedFiles = {"d3d8.dll", "d3d8.cfg", "gentoolupdater.exe", "game.dat-bravo.log", "gp.info",
                                    "edgescroller.exe", "gameranger game location.lnk", "sun.ini",
                                    "tuc_credits_updated.txt", "wb_debuglogfilei.txt"};
constexpr const char* kProxyLauncher = "launcher\\";  // GenPatcher's, in place of the edition's launcher

// The bytes a rebuilt file begins with. A ".big.bak" is a copy of an
// archive: it begins as one.
std::string FirstBytesOf(const std::string& szPath) {
    const std::string szFolded = LowerAscii(szPath);
    return szFolded.ends_with(".big") || szFolded.ends_with(".big.bak") ? "BIGF" : "";
}

// Archives whose names begin with "!" or a digit are add-ons (the editions
// name none so), and a ".bak" is a tool's backup.
bool IsEditionFile(const std::string& szPath) {
    const std::string szFolded = LowerAscii(szPath);
    const std::string szName = szFolded.substr(szFolded.find_last_of('\\') + 1);
    const bool bAddOnArchive = szName.ends_with(".big") && (szName[0] == '!' || (szName[0] >= '0' && szName[0] <= '9'));
    return !bAddOnArchive && !szName.ends_with(".bak") && szFolded.rfind(kProxyLauncher, 0) != 0 &&
           std::find(kAddedFiles.begin(), kAddedFiles.end(), szFolded) == kAddedFiles.end();
}

}  // namespace

// Rows of a path, a size and a SHA-256, tab-separated, below a header.
std::vector<ListedFile> ListedFiles(RealFolder folder, bool bEditionOnly) {
    const std::string szListing = std::string(CORVANE_TEST_REAL_FOLDERS) +
                                  (folder == RealFolder::kZeroHourSteam ? "/zero-hour-steam.tsv" : "/generals-ea-app.tsv");
    std::ifstream listing(szListing, std::ios::binary);
    std::string szRow, szSize;
    if (!std::getline(listing, szRow)) throw std::runtime_error("cannot read " + szListing);
    std::vector<ListedFile> files;
    for (ListedFile file; std::getline(listing, szRow);) {
        std::istringstream row(szRow);
        if (!std::getline(row, file.szPath, '\t') || !std::getline(row, szSize, '\t') || !(row >> file.szSha256))
            throw std::runtime_error("not a row of " + szListing + ": " + szRow);
        file.lSize = std::stoull(szSize);
        if (!bEditionOnly || IsEditionFile(file.szPath)) files.push_back(file);
    }
    return files;
}

void RebuildOn(MemoryDisk& disk, const std::string& szFolder, const std::vector<ListedFile>& files) {
    for (const ListedFile& file : files) disk.AddSizedFile(szFolder + "\\" + file.szPath, FirstBytesOf(file.szPath), file.lSize);
}

void RebuildIn(const std::string& szFolder, const std::vector<ListedFile>& files) {
    for (const ListedFile& file : files) {
        std::string szPath = szFolder + "\\" + file.szPath;
#ifndef _WIN32
        std::replace(szPath.begin(), szPath.end(), '\\', '/');
#endif
        const std::filesystem::path path(szPath);
        std::filesystem::create_directories(path.parent_path());
        const std::string szFirst = FirstBytesOf(file.szPath);
        std::ofstream(path, std::ios::binary).write(szFirst.data(), static_cast<std::streamsize>(szFirst.size()));
        std::filesystem::resize_file(path, file.lSize);  // the rest a hole, not written zeros
    }
}

}  // namespace corvane::test
