#pragma once

// Resource ids, shared by every program's resource script and its code. The
// icon first: the shell shows the lowest id, and DisplayIcon names index 0.
#define IDI_QUINTARA 1
