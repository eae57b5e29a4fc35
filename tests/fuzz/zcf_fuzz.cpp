// Any bytes as a mod configuration file, read with Zero Hour installed and
// Generals' files in its ZH_Generals folder: no crash, no hang, and every
// line is read as UTF-8 or in the legacy code page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "modconfig/config_file.h"
#include "support/memory_disk.h"

namespace {

// Legacy text as Latin-1, so that both ways of reading a line run.
struct LatinDisk : corvane::test::MemoryDisk {
    std::string FromLegacyCodePage(const std::string& szBytes) override {
        std::string szText;
        for (unsigned char c : szBytes) {
            if (c < 0x80) szText += static_cast<char>(c);
            else szText += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        }
        return szText;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize) {
    LatinDisk files;
    files.AddFile("C:\\Corvane\\Fuzz.zcf", std::string(reinterpret_cast<const char*>(pData), lSize));
    files.AddFolder("Z:\\ZH\\ZH_Generals");
    corvane::GameTable games = corvane::MakeGameTable();
    games[corvane::kZeroHour].szInstallPath = "Z:\\ZH\\";
    corvane::ModConfig udtCfg;
    corvane::LoadModConfig(files, games, "C:\\Corvane\\Fuzz.zcf", udtCfg);
    return 0;
}
