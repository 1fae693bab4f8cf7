#pragma once

// Resource ids, shared by setup.rc and the code.
#define IDI_QUINTARA 1
