#include "startup/game_table.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/platform_error.h"
#include "platform/registry.h"

namespace corvane {
namespace {

// Behaves as the registry does for a read into a fixed buffer: a value that
// does not fit is a failure, a missing key or value is a failure.
class FakeRegistry : public Registry {
public:
    using Values = std::map<std::string, std::string>;
    std::map<std::string, Values> keys;

    std::unique_ptr<RegistryKey> OpenKey(const std::string& szSubKey) override {
        auto it = keys.find(szSubKey);
        if (it == keys.end()) throw PlatformError("RegOpenKeyExA", szSubKey, 2);
        return std::make_unique<Key>(it->second);
    }

private:
    class Key : public RegistryKey {
    public:
        explicit Key(const Values& v) : values(v) {}
        std::string QueryValue(const std::string& szName, uint32_t lBufferSize) override {
            auto it = values.find(szName);
            if (it == values.end()) throw PlatformError("RegQueryValueExA", szName, 2);
            if (it->second.size() > lBufferSize) throw PlatformError("RegQueryValueExA", szName, 234);
            return it->second;
        }

    private:
        Values values;
    };
};

std::string Text(const std::string& szValue) { return szValue + '\0'; }

std::string Dword(uint32_t lValue) {
    std::string szBytes(4, '\0');
    for (int i = 0; i < 4; ++i) szBytes[i] = static_cast<char>((lValue >> (8 * i)) & 0xFF);
    return szBytes;
}

GameTable ReadTitled(FakeRegistry& registry) {
    GameTable games = MakeGameTable();
    ReadGameTable(registry, games);
    AppendVersionTitles(games);
    return games;
}

TEST(GameTable, NothingInstalledGivesVersionZeroTitlesAndEmptyFolders) {
    FakeRegistry registry;
    const GameTable games = ReadTitled(registry);
    EXPECT_EQ(games[0].szTitle, "Generals Version 0.00");
    EXPECT_EQ(games[1].szTitle, "Zero Hour Generals Expansion Version 0.00");
    EXPECT_EQ(games[2].szTitle, "Generals WorldBuilder Version 0.00");
    EXPECT_EQ(games[3].szTitle, "Zero Hour WorldBuilder Version 0.00");
    for (const GameEntry& game : games) EXPECT_FALSE(game.IsInstalled());
    EXPECT_EQ(games[0].szExe, "Generals.exe");
    EXPECT_EQ(games[1].szExe, "Generals.exe");
    EXPECT_EQ(games[2].szExe, "WorldBuilder.exe");
    EXPECT_EQ(games[3].szExe, "WorldBuilder.exe");
}

TEST(GameTable, EachGameFillsItsOwnRowAndItsWorldBuilderRow) {
    FakeRegistry registry;
    registry.keys[kZeroHourKey] = {{"InstallPath", Text("D:\\ZH\\")}, {"Version", Dword(0x00010004)}};
    const GameTable games = ReadTitled(registry);

    EXPECT_FALSE(games[0].IsInstalled());
    EXPECT_FALSE(games[2].IsInstalled());
    EXPECT_EQ(games[1].szInstallPath, "D:\\ZH\\");
    EXPECT_EQ(games[3].szInstallPath, "D:\\ZH\\");
    EXPECT_EQ(games[1].szTitle, "Zero Hour Generals Expansion Version 1.04");
    EXPECT_EQ(games[3].szTitle, "Zero Hour WorldBuilder Version 1.04");
}

TEST(GameTable, InstallPathIsStoredExactlyAndOnlyWhenItFits) {
    for (const auto& [lLength, bRead] : {std::pair{255, true}, std::pair{256, false}}) {
        FakeRegistry registry;
        const std::string szPath(static_cast<size_t>(lLength), 'x');
        registry.keys[kGeneralsKey] = {{"InstallPath", Text(szPath)}};
        const GameTable games = ReadTitled(registry);
        EXPECT_EQ(games[0].szInstallPath, bRead ? szPath : "") << lLength;
    }

    FakeRegistry registry;
    registry.keys[kGeneralsKey] = {{"InstallPath", Text(" C:\\Games\\Gen  ")}};
    EXPECT_EQ(ReadTitled(registry)[0].szInstallPath, " C:\\Games\\Gen  ");
}

TEST(GameTable, VersionWithoutInstallPathLeavesTheGameUninstalled) {
    FakeRegistry registry;
    registry.keys[kGeneralsKey] = {{"Version", Dword(0x00010008)}};
    const GameTable games = ReadTitled(registry);
    EXPECT_FALSE(games[0].IsInstalled());
    EXPECT_EQ(games[0].szTitle, "Generals Version 1.08");
}

TEST(GameTable, UnreadableVersionLeavesZero) {
    FakeRegistry registry;
    registry.keys[kGeneralsKey] = {{"InstallPath", Text("C:\\G\\")},
                                   {"Version", std::string("1.08 text", 9)}};
    const GameTable games = ReadTitled(registry);
    EXPECT_EQ(games[0].szInstallPath, "C:\\G\\");
    EXPECT_EQ(games[0].szTitle, "Generals Version 0.00");
}

struct VersionCase {
    uint32_t lBits;
    int16_t dMajor;
    int16_t dMinor;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << std::hex << "0x" << c.lBits; }

class DecodeVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(DecodeVersionTest, RoundsTheMajorHalfToEvenAndTakesTheLowByte) {
    const GameVersion version = DecodeVersion(static_cast<int32_t>(GetParam().lBits));
    EXPECT_EQ(version.dMajor, GetParam().dMajor);
    EXPECT_EQ(version.dMinor, GetParam().dMinor);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, DecodeVersionTest,
    ::testing::Values(VersionCase{0x00010008, 1, 8}, VersionCase{0x00010004, 1, 4},
                      // Bits 8 to 15 do not enter the minor version.
                      VersionCase{0x00010104, 1, 4},
                      // An exact half goes to the even neighbour.
                      VersionCase{0x00018000, 2, 0}, VersionCase{0x00028000, 2, 0},
                      VersionCase{0x00017FFF, 1, 255}, VersionCase{0x00018001, 2, 1},
                      VersionCase{0x0001007B, 1, 123}, VersionCase{0, 0, 0},
                      // Negative numbers are divided as signed values.
                      VersionCase{0xFFFF0003, -1, 3}, VersionCase{0x80000000, -32768, 0},
                      // A major part that rounds beyond 16 bits is held at the limit.
                      VersionCase{0x7FFF8000, 32767, 0}, VersionCase{0x7FFFFFFF, 32767, 255}));

TEST(GameTable, TitlesShowTheMinorWithTwoDigitsAtLeast) {
    GameTable games = MakeGameTable();
    games[0].dVerMajor = 1;
    games[0].dVerMinor = 5;
    games[1].dVerMajor = 12;
    games[1].dVerMinor = 123;
    AppendVersionTitles(games);
    EXPECT_EQ(games[0].szTitle, "Generals Version 1.05");
    EXPECT_EQ(games[1].szTitle, "Zero Hour Generals Expansion Version 12.123");
}

}  // namespace
}  // namespace corvane
