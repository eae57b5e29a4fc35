#include "install/install_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Entries by name, with a game archive's first bytes after a "|".
std::string Repeated(const std::string& szPart, size_t lTimes) {
    std::string szOut;
    while (lTimes--) szOut += szPart;
    return szOut;
}

std::vector<ArchiveItem> Archive(std::initializer_list<const char*> names) {
    std::vector<ArchiveItem> items;
    for (std::string szName : names) {
        ArchiveItem item;
        if (const size_t lBar = szName.find('|'); lBar != std::string::npos) {
            item.szHead = szName.substr(lBar + 1);
            szName.resize(lBar);
        }
        item.kind = szName.back() == '/' ? EntryKind::kFolder : szName.back() == '@' ? EntryKind::kLink : EntryKind::kFile;
        if (item.kind == EntryKind::kLink) szName.pop_back();
        item.szName = szName;
        EXPECT_EQ(EntryProblem(szName, item.szPath), "") << szName;
        items.push_back(item);
    }
    return items;
}

TEST(InstallRules, EntryNamesAreWrittenOnlyBelowTheModsFolder) {
    const struct {
        std::string szName;
        std::string szExpected;  // the path, or the start of the reason
    } cases[] = {
        {"Data/INI/GameData.ini", "Data\\INI\\GameData.ini"},
        {"Data\\INI\\x.ini", "Data\\INI\\x.ini"},
        {"./Art//t.tga", "Art\\t.tga"},
        {"a/../b.ini", "b.ini"},
        {"Data/", "Data"},
        {"CONSOLE.ini", "CONSOLE.ini"},
        {"COM0", "COM0"},
        {"../../x.ini", "climbs above"},
        {"a/../../x.ini", "climbs above"},
        {"/etc/passwd", "is an absolute path"},
        {"\\Windows\\x.dll", "is an absolute path"},
        {"C:/Windows/x.dll", "names a drive"},
        {"c:x.dll", "names a drive"},
        {"Data/x.ini:hidden", "names a stream"},
        {"Data/CON", "is a device name"},
        {"nul.txt", "is a device name"},
        {"Maps/COM1.map", "is a device name"},
        {"LPT9", "is a device name"},
        {"CON .ini", "is a device name"},
        {"Data/nul .txt", "is a device name"},
        {"COM\u00B9.txt", "is a device name"},
        {"LPT\u00B3", "is a device name"},
        {"CONIN$", "is a device name"},
        {"conout$.log", "is a device name"},
        {"COM\u2074", "COM\u2074"},
        {std::string(254, 'x') + "\u0416/a", std::string(254, 'x') + "\u0416\\a"},
        {std::string(255, 'x') + "\u0416", "has a name longer than Windows allows"},
        {Repeated("abcdefg/", 4096) + "x", "is a path longer than Windows allows"},
        {"Data/x.", "ends with a dot or a blank"},
        {"Data /x.ini", "ends with a dot or a blank"},
        {"Data/a<b.ini", "holds a character"},
        {"Data/a\x01.ini", "holds a character"},
    };
    for (const auto& c : cases) {
        std::string szPath;
        const std::string szProblem = EntryProblem(c.szName, szPath);
        EXPECT_EQ(szProblem.empty() ? szPath : szProblem.substr(0, c.szExpected.size()), c.szExpected) << c.szName;
    }
}

TEST(InstallRules, TheShallowestFolderOfTheModsOwnIsTheRoot) {
    const struct {
        const char* szWhat;
        std::vector<ArchiveItem> items;
        std::vector<std::string> szFolders;
        bool bPick;
    } cases[] = {
        {"a wrapper folder is stepped into", Archive({"ShockWave/", "ShockWave/Data/INI/x.ini", "ShockWave/readme.txt"}),
         {"ShockWave"}, false},
        {"Data at the top", Archive({"Data/INI/x.ini", "Readme.rtf"}), {""}, false},
        {"a mod and its patch", Archive({"Mod 1.0/Data/a.ini", "Patch/Art/b.tga", "Patch/Data/c.ini"}),
         {"Mod 1.0", "Patch"}, true},
        {"language versions one level down",
         Archive({"M/English/Window/a.wnd", "M/Russian/Window/a.wnd", "M/Russian/Maps/x/x.map"}),
         {"M\\English", "M\\Russian"}, true},
        {"levels of readmes and pictures", Archive({"W/readme.txt", "W/In/shot.jpg", "W/In/Mod/Art/t.tga"}),
         {"W\\In\\Mod"}, false},
        {"a .gib that is a game archive", Archive({"Rotr/!Rotr_INI.gib|BIGF", "Rotr/Docs/x.dat"}), {"Rotr"}, false},
        {"a .ctr of the other kind", Archive({"C/x/!ContraXBeta2_INI.ctr|BIG4"}), {"C\\x"}, false},
        {"a .gib that is none counts as a file",
         Archive({"Rotr/!Rotr_INI.gib|PK\x03\x04", "Rotr/a/x.dat", "Rotr/b/y.dat"}), {"Rotr", "Rotr\\a", "Rotr\\b"},
         true},
        {"the installer's splash", Archive({"Mod/Install_Final.bmp", "Mod/x.dat"}), {"Mod"}, false},
        {"a wrapper that holds a file besides its one folder", Archive({"setup.ini", "a/x.dat"}), {"", "a"}, true},
        {"none, one folder", Archive({"only/x.dat"}), {"only"}, false},
    };
    for (const auto& c : cases) {
        const RootChoice choice = ChooseRoot(c.items);
        EXPECT_EQ(choice.szFolders, c.szFolders) << c.szWhat;
        EXPECT_EQ(choice.bPick, c.bPick) << c.szWhat;
    }
}

// A .big beside a Data folder decides nothing: in a solid 7z reading it would
// cost unpacking all before it.
TEST(InstallRules, OnlyTheFirstBytesThatDecideAreRead) {
    EXPECT_EQ(HeadsNeeded(Archive({"M/Data/x.ini", "M/a.big", "N/b.big", "N/c.gib", "M/d.ctr", "M/Data/"})),
              (std::vector<size_t>{2, 3, 4}));
}

TEST(InstallRules, TheListNamesWhatMovesAndWhatIsLeftOut) {
    const auto items = Archive({"readme.txt", "Other/y.dat", "Rotr/", "Rotr/!Rotr_INI.gib|BIGF", "Rotr/x.ctr|ZZZZ",
                                "Rotr/Data/INI/x.ini", "Rotr/Maps/", "Rotr/shortcut@", "Rotr/Music.zip"});
    const InstallList list = ListInstall(items, "Rotr");
    std::vector<std::string> szTargets;
    for (const auto& entry : list.entries) szTargets.push_back(entry.szTarget);
    EXPECT_EQ(szTargets, (std::vector<std::string>{"!Rotr_INI.big", "x.ctr", "Data\\INI\\x.ini", "Maps", "Music.zip"}));
    EXPECT_FALSE(list.bSizesLie);
    EXPECT_EQ(ListInstall(Archive({"setup.ini", "a/x.dat"}), "").entries.size(), 2u);
    EXPECT_EQ(list.szNotes, (std::vector<std::string>{
                                "!Rotr_INI.gib becomes !Rotr_INI.big",
                                "Left out (a link): shortcut",
                                "Installed as it is, not unpacked (an archive in the archive): Music.zip",
                                "Left out (outside the mod's folder): readme.txt",
                                "Left out (outside the mod's folder): Other",
                            }));
}

// Checked on the names the files get: after renames, whatever the root.
TEST(InstallRules, FinalNamesClashAndSizesThatOverflowLie) {
    const struct {
        std::vector<ArchiveItem> items;
        const char* szRoot;
        const char* szExpected;
    } cases[] = {
        {Archive({"M/x.gib|BIGF", "M/X.big"}), "M", "the entries \"M/x.gib\" and \"M/X.big\" both become \"X.big\""},
        {Archive({"M/x.gib|BIGF", "M/x.big/", "M/x.big/a.ini"}), "M", "the entry \"M/x.gib\" becomes \"x.big\", which is a"},
        {Archive({"M/x.gib|ZZZZ", "M/x.big"}), "M", ""},
        {Archive({"A/x.ini", "B/X.ini"}), "A", ""},
    };
    for (const auto& c : cases) {
        const InstallList list = ListInstall(c.items, c.szRoot);
        const std::string szClash = ClashingTargets(c.items, list);
        EXPECT_EQ(szClash.substr(0, std::string(c.szExpected).size()), c.szExpected) << c.items.front().szName;
        EXPECT_EQ(szClash.empty(), std::string(c.szExpected).empty()) << c.items.front().szName;
    }
    std::vector<ArchiveItem> items = Archive({"a.ini", "b.ini", "c.ini"});
    items[0].lSize = items[1].lSize = uint64_t{1} << 62;
    EXPECT_FALSE(ListInstall(items, "").bSizesLie);
    items[2].lSize = uint64_t{1} << 63;
    EXPECT_TRUE(ListInstall(items, "").bSizesLie);
}

TEST(InstallRules, NamesThatAreOneOnWindowsClash) {
    const struct {
        std::vector<ArchiveItem> items;
        const char* szExpected;
    } cases[] = {
        {Archive({"Data/INI/a.ini", "Data/ini/A.INI"}), "the entries \"Data/INI/a.ini\" and \"Data/ini/A.INI\" differ"},
        {Archive({"Мод/Файл.ini", "мод/файл.INI"}), "the entries \"Мод/Файл.ini\" and \"мод/файл.INI\" differ"},
        {Archive({"Über.ini", "über.ini"}), "the entries \"Über.ini\" and \"über.ini\" differ"},
        {Archive({"Ёлка/Ў.ini", "ёлка/ў.ini"}), "the entries \"Ёлка/Ў.ini\" and \"ёлка/ў.ini\" differ"},
        {Archive({"Ѐ/Џ/Є/І/Ї", "ѐ/џ/є/і/ї"}), "the entries \"Ѐ/Џ/Є/І/Ї\" and \"ѐ/џ/є/і/ї\" differ"},
        {Archive({"Ａ.ini", "ａ.ini"}), "the entries \"Ａ.ini\" and \"ａ.ini\" differ"},
        {Archive({"Ά.ini", "ά.ini"}), "the entries \"Ά.ini\" and \"ά.ini\" differ"},
        {Archive({"Ǆ.ini", "ǆ.ini"}), "the entries \"Ǆ.ini\" and \"ǆ.ini\" differ"},
        {Archive({"Data", "DATA/"}), "the entry \"Data\" is both a file and a folder"},
        {Archive({"x.ini", "x.ini"}), "the entry \"x.ini\" is there twice"},
        {Archive({"Data", "data/x.ini"}), "the entry \"Data\" is both a file and a folder"},
        {Archive({"Data/a.ini", "data/b.ini", "DATA/"}), ""},  // one folder on Windows
        {Archive({"Файл.ini", "Фаил.ini"}), ""},
        {Archive({"\u212A.ini", "k.ini"}), ""},  // the Kelvin sign has no lower case to fold into
        {Archive({"\U00010400.ini", "\U00010428.ini"}), ""},  // beyond the BMP Windows folds nothing
    };
    for (const auto& c : cases) {
        const std::string szClash = ClashingEntries(c.items);
        EXPECT_EQ(szClash.substr(0, std::string(c.szExpected).size()), c.szExpected) << c.items.front().szName;
        EXPECT_EQ(szClash.empty(), std::string(c.szExpected).empty()) << c.items.front().szName;
    }
}

}  // namespace
}  // namespace corvane
