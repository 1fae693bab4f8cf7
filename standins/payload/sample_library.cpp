// A sample payload library: it is installed, and does nothing else. The build
// sets SAMPLE_NAME to the file name it is built as.
#include "platform/win32/win32.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

extern "C" __declspec(dllexport) const char* WINAPI SamplePayloadName() {
    return SAMPLE_NAME " - Quintara4Palm sample payload";
}
