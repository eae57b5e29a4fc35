// The one way the program includes the Windows headers: ANSI entry points
// (the program's text is the system's ANSI code page throughout), no min/max
// macros, and the Windows 10 declarations; calls newer than Windows 7 are
// looked up at run time instead of imported.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00
#endif
#ifdef UNICODE
#undef UNICODE
#endif
#ifdef _UNICODE
#undef _UNICODE
#endif

#include <windows.h>

// The file-system object's operations share their names with these macros;
// the program calls the A functions by name, so the macros are not needed.
#undef CopyFile
#undef DeleteFile
