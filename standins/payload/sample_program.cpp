// A sample payload program: it only says what it is. The build sets
// SAMPLE_MESSAGE.
#include "platform/win32/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, SAMPLE_MESSAGE, "Quintara4Palm Setup", MB_OK | MB_ICONINFORMATION);
    return 0;
}
