// Any bytes as a mod configuration file, read with Zero Hour installed and
// Generals' files in its ZH_Generals folder: no crash, no hang, and every
// line is read as UTF-8 or in the legacy code page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "modconfig/config_file.h"
#include "support/latin_disk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize) {
    corvane::test::LatinDisk files;  // both ways of reading a line run
    files.AddFile("C:\\Corvane\\Fuzz.zcf", std::string(reinterpret_cast<const char*>(pData), lSize));
    files.AddFolder("Z:\\ZH\\ZH_Generals");
    corvane::GameTable games = corvane::MakeGameTable();
    games[corvane::kZeroHour].szInstallPath = "Z:\\ZH\\";
    corvane::ModConfig udtCfg;
    corvane::LoadModConfig(files, games, "C:\\Corvane\\Fuzz.zcf", udtCfg);
    return 0;
}
