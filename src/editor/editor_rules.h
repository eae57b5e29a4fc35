// The mod editor's rules that need no window: the line a swap entry shows,
// and what OK does with the titles and files.
#pragma once

#include <string>

namespace corvane {

// Where the source will lie after the swap: the destination followed by the
// source's last name with its backslash (a source without any backslash gets
// one). A line longer than 90 characters shows as "..." and its last 90.
std::string DisplayLine(const std::string& szSrc, const std::string& szDst);

// What OK does, decided before anything is asked or written.
struct OkPlan {
    bool bTitleMissing = false;  // refuse with "The name of the mod is missing!"
    bool bAskKeepOldMod = false; // an edit changed the title: ask whether to keep the old mod
    bool bCanSave = false;       // the title can name a file; otherwise the save fails
    std::string szSaveName;      // saved as szAppPath\szSaveName.zcf
    std::string szDeleteOnNo;    // deleted after the save when the player answered No; "" for nothing
};

// szTitle: the title typed; szOldTitle: the title the mod had when the
// editor opened ("" for an add); szOldFile: the file that mod was read from.
// An edit that keeps the title rewrites the file the mod came from, also
// when its name holds a further "." ("My.Mod.zcf" for the mod "My"). A
// rename never deletes a file that may be the one just saved: a title changed
// only in letter case names the same file on the player's file system.
OkPlan PlanOk(const std::string& szAppPath, const std::string& szTitle, const std::string& szOldTitle,
              const std::string& szOldFile);

}  // namespace corvane
