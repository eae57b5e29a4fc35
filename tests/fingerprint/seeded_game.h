// A Zero Hour folder, the Generals folder it loads archives from, and a mod
// of an archive and a folder of maps, the same on the disk in memory and
// in real folders: the tree whose fingerprint code the tests pin.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fingerprint/fixtures.h"

namespace corvane::test {

struct SeededRoots {
    std::string szZeroHour, szGenerals, szMods;  // without trailing backslashes
};

inline std::string PlasmaBig(const std::string& szWeapon = "Weapon Plasma") {
    return BigBytes({{"Data\\INI\\Weapon.ini", szWeapon}, {"Art\\W3D\\Plasma.w3d", "plasma model"}});
}

inline void SeedGame(const SeededRoots& at, const std::function<void(const std::string&, const std::string&)>& write) {
    const std::string zh = at.szZeroHour + "\\", gen = at.szGenerals + "\\", mods = at.szMods + "\\";
    write(zh + "Generals.exe", "the program of Zero Hour");
    write(zh + "W3DZH.big", BigBytes({{"Art\\W3D\\Tank.w3d", "tank"}}));
    write(zh + "Data\\INI\\CommandSet.ini", "CommandSet Base");
    write(zh + "Art\\W3D\\Jet.w3d", "jet");
    write(zh + "Maps\\Old\\Old.map", "an old map the mod's maps replace");
    write(zh + "Options.ini", "Resolution = 800 600");
    write(gen + "Generals.exe", "the program of Generals");
    write(gen + "INI.big", BigBytes({{"Data\\INI\\Object.ini", "Object Tank"}}, "BIG4"));
    write(gen + "Data\\INI\\Loose.ini", "Zero Hour reads only Generals' archives");
    write(mods + "Plasma.big", PlasmaBig());
    write(mods + "Maps\\Plasma\\map.ini", "Plasma map");
}

// The mod's entries: source and destination, as its configuration file names them.
inline std::vector<std::pair<std::string, std::string>> PlasmaEntries(const SeededRoots& at) {
    return {{at.szMods + "\\Plasma.big", at.szZeroHour}, {at.szMods + "\\Maps", at.szZeroHour}};
}

inline constexpr const char* kSeededCode = "12ZR-ZJSB-BWYW";

}  // namespace corvane::test
