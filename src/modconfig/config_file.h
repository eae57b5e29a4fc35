// The mod configuration file (".zcf" in the program folder): its writer, its
// reader and the reader's line finder. The file holds "Location=" with the
// BIG file's path, then per swap entry "[Folder]", "Source=" and
// "Destination=", every line ending in CR LF. Corvane writes its text as it
// holds it, UTF-8 without a byte-order mark (a file of plain ASCII is the
// same in every code page); it reads a line that is not UTF-8 in the
// system's legacy ANSI code page, as older tools wrote it.
#pragma once

#include <string>
#include <vector>

#include "modconfig/line_reader.h"
#include "state/mod_config.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "state/game_table.h"

namespace corvane {

// The folders the mod editor offers as destinations before it knows where
// the games are installed; the reader puts the detected folders in their
// place.
inline constexpr const char* kDefaultGeneralsFolder =
    "C:\\Program Files\\EA Games\\Command and Conquer Generals\\";
inline constexpr const char* kDefaultZeroHourFolder =
    "C:\\Program Files\\EA Games\\Command & Conquer Generals Zero Hour\\";

// The text without its leading and trailing blanks (spaces only), the way
// titles and listed names are compared and kept.
std::string TrimBlanks(const std::string& szText);

// Writes szAppPath\szTitle.zcf, replacing a file of that name in one step.
// One entry per item of lstSrc, paired with the item of lstDest at the same
// index. A blank title is refused with a message; any other failure gives
// false silently, and leaves the file that was there as it was.
bool SaveModConfig(FileSystem& files, MessageBoxes& messageBoxes, const std::string& szAppPath,
                   const std::string& szTitle, const std::string& szLocation,
                   const std::vector<std::string>& lstSrc, const std::vector<std::string>& lstDest);

// Reads one configuration file into udtCfg (cleared first, bFolderMod left
// as it is). The default folders in destinations become the games' folders;
// with no Generals installed, the Generals one becomes the ZH_Generals
// folder of a Zero Hour that carries one (Steam's). True when the file was read and holds a Location line; then
// udtCfg.szConfigFile is szPath. After a failure half-way, what was read so
// far stays in udtCfg.
bool LoadModConfig(FileSystem& files, const GameTable& games, const std::string& szPath, ModConfig& udtCfg);

// Reads on (from the first line when bRewind) until a line equals szFind
// (bExact) or contains it, and gives that line. False and "" at the end of
// the file or on a read failure.
bool FindLine(LineReader& file, const std::string& szFind, bool bRewind, bool bExact, std::string& szLine);

}  // namespace corvane
