#pragma once

// The one way the Windows side includes <windows.h>. The programs run on
// Windows 2000 and every later version: the headers declare nothing newer, and
// anything newer (SetDefaultDllDirectories) is taken with GetProcAddress,
// never linked. The wide (...W) calls that make every path exact are what rule
// out Windows 95, 98 and ME, which lack them, and NT 4, which lacks
// SetDCBrushColor and the shell folder calls.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0500
#endif
#ifndef WINVER
#define WINVER 0x0500
#endif
#include <windows.h>
