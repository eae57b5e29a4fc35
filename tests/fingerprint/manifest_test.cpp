// The manifest: names spelt one way whatever the file system says, the
// canonical text and its code, the compare's kinds of line, and files that
// are no manifest or a damaged one refused with their name.
#include <gtest/gtest.h>

#include "fingerprint/manifest_compare.h"
#include "fingerprint/manifest_file.h"
#include "fingerprint/packed_text.h"
#include "platform/sha256.h"
#include "fingerprint/fixtures.h"

namespace corvane::test {
namespace {

const std::string kA(64, 'a'), kB(64, 'b');
const ProgramLine kZeroHour{"f37a4929f8d697104e99c2bcf46f8d833122c943afcd87fd077df641d344495b", "Zero Hour 1.04"};

TEST(Fingerprint, SpellsNamesOneWayAndCannotBeForgedByAnArchivesNames) {
    EXPECT_EQ(CanonicalName("Data\\INI/CommandSet.INI"), "data\\ini\\commandset.ini");
    EXPECT_EQ(CanonicalName("a|b%c\nd\x7f\xc3\xa9"), "a%7cb%25c%0ad%7f\xc3\xa9");
    EXPECT_EQ(InnerName("data\\ini.big", "a.ini"), "data\\ini.big|a.ini");
}

TEST(Fingerprint, TheCodeOfAPinnedManifestAndItsTextReadBack) {
    Manifest manifest{kZeroHour, {{"w3dzh.big|art\\w3d\\a.w3d", 3, kB}, {"data\\ini\\a b.ini", 12, kA}}};
    Sort(manifest);
    const std::string szText = CanonicalText(manifest);
    EXPECT_EQ(szText, "program: " + kZeroHour.szSha256 + " Zero Hour 1.04\ndata\\ini\\a b.ini 12 " + kA +
                          "\nw3dzh.big|art\\w3d\\a.w3d 3 " + kB + "\n");
    EXPECT_EQ(FingerprintCode(szText), "41ZE-QA5W-WS9P");
    EXPECT_EQ(FingerprintCode("program: none\n"), "9GJG-KBV7-2W9E");
    ASSERT_TRUE(ParseCanonicalText(szText));
    EXPECT_EQ(CanonicalText(*ParseCanonicalText(szText)), szText);
}

TEST(Fingerprint, ComparesFileByFileAndProgramFirst) {
    const Manifest yours{kZeroHour, {{"a.ini", 1, kA}, {"b.big|x.ini", 1, kA}, {"d.ini", 1, kA}}};
    const Manifest theirs{{kA, ""}, {{"b.big|x.ini", 1, kB}, {"c.ini", 1, kA}, {"d.ini", 1, kA}}};
    EXPECT_EQ(CompareManifests(yours, theirs),
              (std::vector<std::string>{"Program: yours is Zero Hour 1.04, theirs is an edition not known (SHA-256 " +
                                            kA + ")",
                                        "Only yours: a.ini", "Differs: b.big|x.ini", "Only theirs: c.ini"}));
    EXPECT_EQ(CompareManifests(yours, yours),
              std::vector<std::string>{"Identical: the same program and the same 3 files"});
    // An archive that names one file twice differs only in what it holds.
    const Manifest twice{{}, {{"b.big|x.ini", 1, kA}, {"b.big|x.ini", 1, kB}}};
    const Manifest swapped{{}, {{"b.big|x.ini", 1, kB}, {"b.big|x.ini", 1, kA}}};
    EXPECT_EQ(CompareManifests(twice, swapped).front().rfind("Identical:", 0), 0u);
}

TEST(Fingerprint, SavesAManifestAndRefusesOneThatIsNoneOrDamaged) {
    MemoryDisk disk;
    const Manifest manifest{kZeroHour, {{"a.ini", 1, kA}}};
    SaveManifest(disk, "C:\\Mine.cvfp", manifest);
    EXPECT_EQ(CanonicalText(LoadManifest(disk, "C:\\Mine.cvfp")), CanonicalText(manifest));

    const std::string szGood = ManifestBytes(manifest), szMarker = "Corvane fingerprint manifest 1";
    const std::string szFlipped = szGood.substr(0, szGood.size() - 3) + "\x55" + szGood.substr(szGood.size() - 2);
    const struct {
        std::string szBytes;
        const char* szMessage;
    } refused[] = {
        {"Location=C:\\Mods\\a.big\r\n", "C:\\Theirs is not a fingerprint's manifest."},
        {"", "C:\\Theirs is not a fingerprint's manifest."},
        {szGood.substr(0, szGood.size() - 5), "The manifest C:\\Theirs is damaged."},
        {szFlipped, "The manifest C:\\Theirs is damaged."},
        {szGood + "x", "The manifest C:\\Theirs is damaged."},
        {PackText(szMarker, "program: none\nb.ini 1 " + kA + "\na.ini 1 " + kA + "\n"), "The manifest C:\\Theirs is damaged."},
        {PackText(szMarker, "program: none\nA.ini 1 " + kA + "\n"), "The manifest C:\\Theirs is damaged."},
        {PackText(szMarker, "program: none\na.ini 01 " + kA + "\n"), "The manifest C:\\Theirs is damaged."},
        {PackText(szMarker, "program: none\na.ini 1 " + kA), "The manifest C:\\Theirs is damaged."},
        {PackText(szMarker, "a.ini 1 " + kA + "\n"), "The manifest C:\\Theirs is damaged."},
    };
    for (const auto& file : refused) {
        disk.WriteItem("C:\\Theirs", file.szBytes);
        try {
            LoadManifest(disk, "C:\\Theirs");
            ADD_FAILURE() << "read: " << file.szMessage;
        } catch (const ManifestError& error) {
            EXPECT_EQ(std::string(error.what()), file.szMessage);
        }
    }
}

TEST(Sha256, KnownDigestsWhateverPiecesTheBytesComeIn) {
    const struct {
        std::string szBytes;
        const char* szSha256;
    } known[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},  // the end and the length fill one block
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& sample : known) {
        EXPECT_EQ(Sha256Hex(sample.szBytes), sample.szSha256);
        Sha256Hasher pieces;
        for (size_t lAt = 0, lStep = 1; lAt < sample.szBytes.size(); lAt += lStep, lStep = lStep * 2 + 1)
            pieces.Add(std::string_view(sample.szBytes).substr(lAt, lStep));
        EXPECT_EQ(pieces.FinishHex(), sample.szSha256);
    }
}

}  // namespace
}  // namespace corvane::test
