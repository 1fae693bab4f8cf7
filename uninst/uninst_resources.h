#pragma once

// Resource ids, shared by uninst.rc and the code. The icon first: the shell
// shows the lowest id, and DisplayIcon names index 0.
#define IDI_QUINTARA 1
