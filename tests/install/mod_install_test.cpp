#include "install/mod_install.h"

#include <clocale>
#include <functional>

#include <gtest/gtest.h>

#include "install/archive_bytes.h"
#include "install/download_hash.h"
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

std::string Repeat(const std::string& szPart, size_t lTimes) {
    std::string szOut;
    while (lTimes--) szOut += szPart;
    return szOut;
}

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

// The archive made by the tool with one bit changed lAfter bytes after
// the first szMarker, as a damaged download has it.
std::string Damaged(const std::string& szCommand, const std::string& szExtension, const char* szMarker, size_t lAfter) {
    const std::string szText = "lorem ipsum dolor sit amet " + std::string(4000, 'z');
    std::string szBytes = test::ToolArchive(szCommand, szExtension, {{"Data/a.ini", "a"}, {"Data/b.ini", szText}});
    szBytes.at(szBytes.find(szMarker) + lAfter) ^= 1;
    return szBytes;
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
        {"fewer bytes than announced, after a larger entry",
         [] { return ZipBytes({{"Data/a.ini", std::string(3000, 'a')}, {"Data/b.ini", "short", 0, "", 2000}}); },
         "(\"Data/b.ini\": it ends early)"},
        {"a stored zip entry whose CRC is wrong", [] { return Damaged("zip -q0 -r", ".zip", "lorem", 3); },
         "is damaged or cut short (\"Data/b.ini\": ZIP bad CRC"},
        {"a deflated zip entry whose data is wrong", [] { return Damaged("zip -q9 -X -r", ".zip", "Data/b.ini", 14); },
         "is damaged or cut short (\"Data/b.ini\": "},
        {"a 7z entry whose CRC is wrong", [] { return Damaged("7zz a -bd -mx0", ".7z", "lorem", 3); },
         "is damaged or cut short (\"Data/b.ini\": 7-Zip bad CRC"},
        {"a disabled archive renamed onto a file",
         [] { return ZipBytes({{"Mod/x.gib", std::string(kBig, 29)}, {"Mod/x.big", "x"}, {"Mod/Data/a.ini", "a"}}); },
         "the entries \"Mod/x.gib\" and \"Mod/x.big\" both become \"x.big\""},
        {"only folders", [] { return ZipBytes({{"Mod/", ""}, {"Mod/Data/", ""}}); }, "\"mod.zip\": it holds no files"},
        {"an entry 20,000 folders deep", [] { return ZipBytes({{Repeat("a/", 20000) + "x.ini", "x"}}); },
         "is a path longer than Windows allows"},
        {"an entry too deep for the staging folder", [] { return ZipBytes({{"setup.ini", ""}, {Repeat("a/", 16370) + "x", "x"}}); },
         "would have a path longer than Windows allows in Corvane's folder"},
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
        {"Mod.", "ends with a dot or a blank"},
        {"Mod ", "ends with a dot or a blank"},
        {"nul .txt", "is a device name"},
        {"Mod: Reborn", "holds a character Windows does not allow"},
        {"corvane.STAGING", "is a name Corvane keeps for its own files"},
        {"New Mod", ""},
    };
    for (const auto& t : titles) {
        const std::string szProblem = world.installer.TitleProblem(t.szTitle);
        EXPECT_TRUE(*t.szSaid ? szProblem.find(t.szSaid) != std::string::npos : szProblem.empty()) << szProblem;
    }
    EXPECT_EQ(world.disk.Tree("C:\\Corvane\\Folder"), (Tree{{"x.ini", "x"}}));
}

// Every cut of a RAR4 and a RAR5 of libarchive's own lacks the end of the
// archive: refused, with nothing left, never installed in part.
TEST(ModInstall, ARarCutAnywhereIsRefused) {
    for (const char* szSample : {"test_read_format_rar.rar", "test_read_format_rar5_multiple_files.rar"}) {
        const std::string szRar = test::LibarchiveTestFile(szSample);
        EXPECT_EQ(InstallWorld(szRar).Install(), "") << szSample;
        for (size_t lCut = 1; lCut < szRar.size(); ++lCut) {
            InstallWorld world(szRar.substr(0, lCut));
            const std::string szSaid = world.Install();
            EXPECT_NE(szSaid, "") << szSample << " cut at " << lCut;
            EXPECT_EQ(world.disk.Tree(kApp), Tree{}) << szSample << " cut at " << lCut;
        }
    }
}

// The download's SHA-256 comes first in Corvane.log, whenever it is done.
TEST(ModInstall, TheDownloadsHashIsLoggedFirstOrSaidUnread) {
    InstallWorld world(std::string(1000000, 'a'));
    DownloadLog log(world.log);
    log.Note("Install refused: ...");
    NoteDownload(world.disk, log, "C:\\Downloads\\mod.zip", {});
    log.Note("Installed ...");
    std::stop_source stopped;
    stopped.request_stop();
    log.Hold();
    NoteDownload(world.disk, log, "C:\\Downloads\\mod.zip", stopped.get_token());
    EXPECT_EQ(world.log.noted, (std::vector<std::string>{
        "Installing a mod from C:\\Downloads\\mod.zip (SHA-256 cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0)",
        "Install refused: ...", "Installed ...",
        "Installing a mod from C:\\Downloads\\mod.zip, whose SHA-256 was left unread: Corvane was closed first"}));
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
    // A second Corvane starts, or installs, at every call of the first's
    // install: the first ends whole.
    for (int lCall = 1;; ++lCall) {
        InstallWorld world(szZip);
        ModInstaller second{world.disk, world.disk, world.locks, world.log, kApp, "CP866"};
        std::string szSecond = "not run";
        world.disk.ActAt(lCall, [&] {
            second.RemoveStaging();
            try {
                const ArchiveSurvey survey = second.Survey("C:\\Downloads\\mod.zip", world.progress);
                second.Install(survey, "Mod", "Other", world.progress);
                szSecond = "";
            } catch (const InstallRefused& refused) {
                szSecond = refused.what();
            }
        });
        EXPECT_EQ(world.Install(), "") << lCall;
        EXPECT_EQ(world.Mod(), whole) << "a second Corvane at " << lCall;
        EXPECT_TRUE(szSecond == "not run" || szSecond.empty() || szSecond.rfind("Another install is running", 0) == 0)
            << lCall << ": " << szSecond;
        if (szSecond == "not run") break;
    }
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
            world.locks.held.clear();  // the crashed program's locks died with it
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
