#include "install/mod_install.h"

#include <clocale>
#include <functional>

#include <gtest/gtest.h>

#include "install/archive_bytes.h"
#include "support/fake_platform.h"
#include "support/memory_disk.h"

namespace corvane {
namespace {

using test::ZipBytes;
using Tree = std::map<std::string, std::string>;

// libarchive hands names over through the locale's character set.
const bool kUtf8Locale = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

constexpr const char* kApp = "C:\\Corvane";
constexpr const char* kBig = "BIGF\x10\0\0\0rest of a game archive";

struct InstallWorld {
    test::MemoryDisk disk;
    test::RecordingProblems log;
    test::FakeLocks locks;
    ModInstaller installer{disk, disk, locks, log, kApp, "CP866"};
    InstallProgress progress;

    explicit InstallWorld(const std::string& szArchive) {
        disk.AddFolder(kApp);
        disk.AddFile("C:\\Downloads\\mod.zip", szArchive);
    }
    // Installs the archive's preselected folder as "Mod"; "" when it was
    // installed, else what the player was told.
    std::string Install() {
        try {
            const ArchiveSurvey survey = installer.Survey("C:\\Downloads\\mod.zip", progress);
            installer.Install(survey, survey.root.szFolders.front(), "Mod", progress);
            return "";
        } catch (const InstallRefused& refused) {
            return refused.what();
        }
    }
    Tree Mod() const { return disk.Tree(std::string(kApp) + "\\Mod"); }
};

// Zip, 7z and RAR4 are installed end to end under Wine; here what only
// runs natively under the sanitizers besides.
TEST(ModInstall, EveryFormatBecomesAFolderMod) {
    ASSERT_TRUE(kUtf8Locale);
    const struct {
        const char* szWhat;
        std::function<std::string()> archive;
        Tree expected;
    } cases[] = {
        {"ZIP64", [] { return test::ToolArchive("zip -qr -fz", ".zip", {{"Data/INI/x.ini", "zip64"}}); },
         {{"Data", "<folder>"}, {"Data\\INI", "<folder>"}, {"Data\\INI\\x.ini", "zip64"}}},
        {"RAR5, solid",
         [] { return test::LibarchiveTestFile("test_read_format_rar5_solid.rar"); },
         {{"test.bin", "#1200"}, {"test1.bin", "#4096"}, {"test2.bin", "#4096"}, {"test3.bin", "#4096"},
          {"test4.bin", "#4096"}, {"test5.bin", "#4096"}, {"test6.bin", "#4096"}}},
        {"a self-extracting RAR program",
         [] { return test::LibarchiveTestFile("test_read_format_rar_sfx.exe"); },
         {{"test.txt", "test text file\r\n"}, {"testdir", "<folder>"}, {"testdir\\test.txt", "test text file\r\n"},
          {"testemptydir", "<folder>"}, {"testshortcut.lnk", "#441"}}},
        {"zip names flagged UTF-8, in the Unicode field, and in the OEM code page",
         [] {
             return ZipBytes({{"Data/Файл.ini", "a", 0x800},
                              {"Data/x.ini", "b", 0, test::UnicodePathField("Data/x.ini", "Data/Über.ini")},
                              {"Data/\x8C\xAE\xA4.ini", "c"}});
         },
         {{"Data", "<folder>"}, {"Data\\Файл.ini", "a"}, {"Data\\Über.ini", "b"}, {"Data\\Мод.ini", "c"}}},
    };
    for (const auto& c : cases) {
        InstallWorld world(c.archive());
        const std::string szProblem = world.Install();
        EXPECT_EQ(szProblem, "") << c.szWhat;
        Tree mod = world.Mod();
        for (auto& [szPath, szContent] : mod) {  // "#<size>": only the size is known
            if (c.expected.count(szPath) && c.expected.at(szPath).rfind('#', 0) == 0) szContent = "#" + std::to_string(szContent.size());
        }
        EXPECT_EQ(mod, c.expected) << c.szWhat;
        EXPECT_EQ(world.disk.Tree(kApp).count("Corvane.staging"), 0u) << c.szWhat;
    }
}

TEST(ModInstall, RefusedArchivesLeaveNothingBehind) {
    const std::string szZip = ZipBytes({{"Mod/Data/a.ini", "a"}, {"Mod/Data/b.ini", std::string(3000, 'b')}});
    const struct {
        const char* szWhat;
        std::function<std::string()> archive;
        const char* szSaid;
    } cases[] = {
        {"an escaping entry", [] { return ZipBytes({{"Data/a.ini", "a"}, {"../../evil.dll", "x"}}); },
         "the entry \"../../evil.dll\" climbs above the archive's top"},
        {"names that differ in case", [] { return ZipBytes({{"Data/A.ini", "x"}, {"data/a.ini", "y"}}); },
         "the entries \"Data/A.ini\" and \"data/a.ini\" differ only in letter case"},
        {"more bytes than announced", [] { return ZipBytes({{"Data/a.ini", std::string(3 << 20, 'a'), 0, "", 1000}}); },
         "the entry \"Data/a.ini\" expands to more than the archive's directory announces"},
        {"a download cut short", [&] { return szZip.substr(0, szZip.size() - 30); }, "the download may be incomplete"},
        {"a zip with a password", [] { return test::ToolArchive("zip -qr -P secret", ".zip", {{"Data/a.ini", "a"}}); },
         "is encrypted: Corvane cannot open it"},
        {"a 7z with a password", [] { return test::LibarchiveTestFile("test_read_format_7zip_encryption.7z"); },
         "is encrypted: Corvane cannot open it"},
        {"an installer", [] { return "MZ" + std::string(5000, '\x90'); }, "If it is the mod's installer, run it yourself"},
        {"no archive at all", [] { return std::string("Just some text."); }, "is no archive Corvane can read"},
    };
    for (const auto& c : cases) {
        InstallWorld world(c.archive());
        EXPECT_NE(world.Install().find(c.szSaid), std::string::npos) << c.szWhat << ": " << world.Install();
        EXPECT_EQ(world.disk.Tree(kApp), Tree{}) << c.szWhat;
        ASSERT_FALSE(world.log.noted.empty());
        EXPECT_NE(world.log.noted.back().find(c.szSaid), std::string::npos) << c.szWhat;
    }
}

TEST(ModInstall, SpaceAndTitlesAreCheckedBeforeAnythingIsWritten) {
    InstallWorld world(ZipBytes({{"Data/a.ini", std::string(1 << 20, 'a')}}));
    world.disk.SetFree("c:", 10 << 20);
    EXPECT_NE(world.Install().find("it needs 18 MB, 10 MB are free"), std::string::npos) << world.Install();
    world.disk.SetFree("c:", 100 << 20);
    world.disk.AddFile("C:\\Corvane\\Taken.zcf", "x");
    world.disk.AddFile("C:\\Corvane\\Folder\\x.ini", "x");
    const struct {
        const char* szTitle;
        const char* szSaid;
    } titles[] = {
        {"", "Type a title"},
        {"taken", "There is a mod \"taken\" already"},
        {"FOLDER", "There is a mod \"FOLDER\" already"},
        {"New Mod", ""},
    };
    for (const auto& t : titles) {
        const std::string szProblem = world.installer.TitleProblem(t.szTitle);
        EXPECT_TRUE(*t.szSaid ? szProblem.find(t.szSaid) != std::string::npos : szProblem.empty()) << szProblem;
    }
    EXPECT_EQ(world.disk.Tree("C:\\Corvane\\Folder"), (Tree{{"x.ini", "x"}}));
}

// Whatever call fails, or dies: no mod folder, no half mod, and after the
// next start's clean-up no staging folder.
TEST(ModInstall, AFailureOrCrashAtEveryCallLeavesAWholeModOrNone) {
    const std::string szZip = ZipBytes({{"Mod/!x.gib", std::string(kBig, 29)}, {"Mod/Data/INI/a.ini", "a"},
                                        {"Mod/Data/b.ini", std::string(3 << 20, 'b')}, {"Mod/Art/", ""}});
    const Tree whole = [&] {
        InstallWorld world(szZip);
        EXPECT_EQ(world.Install(), "");
        return world.Mod();
    }();
    ASSERT_EQ(whole.size(), 6u);
    for (bool bCrash : {false, true}) {
        for (int lCall = 1;; ++lCall) {
            InstallWorld world(szZip);
            bCrash ? world.disk.CrashAt(lCall) : world.disk.FailAt(lCall, test::Fault::kShortWrite);
            bool bInstalled = false;
            try {
                bInstalled = world.Install().empty();
            } catch (const test::SimulatedCrash&) {
                world.disk.AfterCrash();
            } catch (const std::exception&) {
            }
            const bool bLast = world.disk.Calls() < lCall;
            world.disk.FailAt(0);  // nothing fails at the next start
            world.installer.RemoveStaging();
            const Tree app = world.disk.Tree(kApp);
            EXPECT_EQ(app.count("Corvane.staging"), 0u) << lCall;
            if (app.count("Mod"))
                EXPECT_EQ(world.Mod(), whole) << (bCrash ? "crash at " : "failure at ") << lCall;
            else
                EXPECT_FALSE(bInstalled) << lCall;
            if (bLast) break;
        }
    }
}

}  // namespace
}  // namespace corvane
