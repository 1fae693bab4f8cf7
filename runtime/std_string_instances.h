// Included first in every C++ file of the Windows programs (see CMakeLists.txt).
//
// libstdc++ declares its std::string members as instantiated in the library
// (extern templates), so a static link takes the library's whole explicit
// instantiation of std::string: some 32 KiB, nearly all of it unused, kept
// alive by its one unwind table. -1 is the library's own setting for leaving
// out just those declarations: each member is then compiled where it is used,
// and only what is used is linked. Nothing else in the library changes.
#pragma once

#include <bits/c++config.h>

#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
