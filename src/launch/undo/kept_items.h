// Where what was made or changed during play goes when the undo takes away
// the copy it lies in: into the game's own item the copy stood in for, at
// the same place, or, where that name is taken, under a ".changed" name
// beside it. Each move is noted in the journal before it is made.
#pragma once

#include <string>
#include <vector>

#include "launch/journal/launch_journal.h"
#include "platform/file_system.h"
#include "platform/file_system_object.h"

namespace corvane {

class KeptItems {
public:
    KeptItems(FileSystem& files, FileSystemObject& fso, LaunchJournal& journal)
        : files(files), fso(fso), journal(journal) {}

    // Moves the item at szFrom to szTo, making the folders it needs there; a
    // folder that meets a folder of its name has its items moved into it
    // one by one. Appends to szNow where each moved item lies now.
    void MoveInto(const std::string& szFrom, const std::string& szTo, std::vector<std::string>& szNow);

    // The first of szPath + ".changed", ".changed2", ... that is free, or
    // that holds a file with the same bytes as the file szKept: that one is
    // the same, and makes room.
    std::string ChangedName(const std::string& szPath, const std::string& szKept);

    // Moves szFrom to szTo, noted first.
    void Move(const std::string& szFrom, const std::string& szTo);

private:
    std::string MakeRoomFor(const std::string& szDest);
    std::vector<std::string> Children(const std::string& szFolder);

    FileSystem& files;
    FileSystemObject& fso;
    LaunchJournal& journal;
};

}  // namespace corvane
