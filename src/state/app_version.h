// The program's identity: shared by the version resource and the code, so
// the window search, the message box captions and the version label can
// never disagree with what Explorer shows for Corvane.exe.
#pragma once

#define CORVANE_VERSION_MAJOR 1
#define CORVANE_VERSION_MINOR 3
#define CORVANE_VERSION_REVISION 1
#define CORVANE_VERSION_TEXT "1.03.0001"

#define CORVANE_FILE_DESCRIPTION "Corvane"
#define CORVANE_PRODUCT_NAME "Corvane"
#define CORVANE_APP_TITLE "GeneralsCorvane"
#define CORVANE_COMMENTS "Allows the easy swapping of Generals Mods, just copy your mod to a sub-directory of Corvane."

// The page the picture link on the main window opens; a build setting.
#ifndef CORVANE_LINK_ADDRESS
#define CORVANE_LINK_ADDRESS "https://corvane.example.org/"
#endif
