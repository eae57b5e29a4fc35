// What every run of Corvane.exe in these tests needs: a program folder, a
// registered stand-in Generals (or Zero Hour) installation, a folder of mod
// sources, and a work folder that is Corvane's current folder and receives
// the game's report.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "e2e/corvane_process.h"
#include "support/scratch_registry_key.h"
#include "support/stand_in_report.h"
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace corvane::test {

inline constexpr const char* kGeneralsRegistryKey = "SOFTWARE\\Electronic Arts\\EA Games\\Generals";
inline constexpr const char* kZeroHourRegistryKey =
    "SOFTWARE\\Electronic Arts\\EA Games\\Command and Conquer Generals Zero Hour";

// A mod configuration file with these entries (source, destination).
inline std::string ZcfText(const std::vector<std::pair<std::string, std::string>>& entries,
                           const std::string& szBigFile = "") {
    std::string szText = "Location=" + szBigFile + "\r\n";
    for (const auto& [szSrc, szDst] : entries) szText += "[Folder]\r\nSource=" + szSrc + "\r\nDestination=" + szDst + "\r\n";
    return szText;
}

class CorvaneRunTest : public ::testing::Test {
protected:
    // A stand-in game left running by a failed test would hold the test's
    // output open: it is told to end, and given the time to see it.
    ~CorvaneRunTest() override {
        ReleaseGame();
        Sleep(100);
    }

    TempFolder program;
    TempFolder game;
    TempFolder zeroHour;
    TempFolder mods;
    StandInOrders standIn;
    const TempFolder& work = standIn.folder;
    const std::string& szReport = standIn.szReport;
    std::unique_ptr<ScratchRegistryKey> registration, zeroHourRegistration;

    // The stand-in game as the game's executable, with a few data files of its own.
    static void PlaceGame(const std::string& szFolder, const std::string& szExe = "Generals.exe") {
        MakeFolders(szFolder);
        if (!CopyFileA(CORVANE_TEST_STAND_IN_GAME, (szFolder + "\\" + szExe).c_str(), FALSE))
            FAIL() << "cannot copy the stand-in game";
        WriteBytes(szFolder + "\\Data\\INI\\GameData.ini", "; the game's own settings\r\nMaxCameraHeight = 310\r\n");
        WriteBytes(szFolder + "\\Data\\INI\\Weapon.ini", "Weapon Laser\r\nEnd\r\n");
        WriteBytes(szFolder + "\\Data\\English\\generals.csf", std::string("\x00\x01\x02\xff", 4));
    }

    // Generals where its 32-bit installer registers it.
    void InstallGenerals(uint32_t lVersion = 0x00010008, const std::string& szFolder = "") {
        const std::string szGame = szFolder.empty() ? game.Path() : szFolder;
        PlaceGame(szGame);
        registration = Register(kGeneralsRegistryKey, szGame, lVersion);
    }

    // Zero Hour in a folder of its own, where its installer registers it.
    void InstallZeroHour(const std::string& szFolder = "") {
        const std::string szGame = szFolder.empty() ? zeroHour.Path() : szFolder;
        PlaceGame(szGame);
        zeroHourRegistration = Register(kZeroHourRegistryKey, szGame, 0x00010004);
    }

    void ReleaseGame() { standIn.EndGame(); }

    // The game's report; when none comes, what Corvane said instead.
    StandInReport GameReport(CorvaneProcess& corvane) {
        try {
            return WaitForStandInReport(szReport);
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(std::string(e.what()) + "; " + corvane.Said());
        }
    }

private:
    // Where the game's 32-bit installer registers it.
    static std::unique_ptr<ScratchRegistryKey> Register(const char* szKey, const std::string& szFolder,
                                                        uint32_t lVersion) {
        auto key = std::make_unique<ScratchRegistryKey>(RegistryView::k32Bit, szKey);
        key->SetText("InstallPath", szFolder + "\\");
        key->SetDword("Version", lVersion);
        return key;
    }
};

}  // namespace corvane::test
