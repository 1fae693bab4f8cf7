#pragma once

// The one way the Windows side includes <windows.h>. The program runs on
// everything from Windows 95-era APIs up: anything newer than XP is resolved at
// run time with GetProcAddress, never linked.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif
#include <windows.h>
