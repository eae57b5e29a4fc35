// Unpacking an install: the archive read once more from its start, and the
// entries the install takes written into the mod's folder as they come,
// the folders of each path made once. The archive must still be the one
// that was surveyed, and no entry may grow past the size its directory
// announced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "install/archive_reader.h"
#include "install/folder_tree.h"
#include "install/mod_install.h"

namespace corvane {

class Unpacker {
public:
    // szInto: the mod's folder, made already; szName: the archive's file
    // name, as the player is told it.
    Unpacker(FileSystem& files, const ArchiveSurvey& survey, const InstallList& list, std::string szInto,
             std::string szName);

    // Reads the archive through. Throws InstallRefused, InstallCancelled
    // once progress.bStop is set, or the disk's failure.
    void Unpack(ArchiveReader& reader, InstallProgress& progress);

private:
    // The folders of szPath under the mod's folder that are not made yet;
    // its last name too when bLastToo.
    void MakeFolders(const std::string& szPath, bool bLastToo);
    void WriteFile(ArchiveReader& reader, const ArchiveItem& item, const std::string& szTarget,
                   InstallProgress& progress);

    FileSystem& files;
    const ArchiveSurvey& survey;
    std::string szInto;
    std::string szName;
    std::vector<const std::string*> targets;  // by item; null for an item the install leaves
    // The folders made so far, each name once: a path is walked from the
    // mod's folder down, never once per folder above each entry.
    FolderTree made;
    uint64_t lAllWritten = 0;
};

}  // namespace corvane
