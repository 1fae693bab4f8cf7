// Holds a file open without sharing, as a program that has it open for
// writing does, so that nobody else can read, rename or delete it. Prints
// "ready" once the file is open; lets it go when its input ends (or "quit" is
// read) or after the given number of seconds (default 120), so that a test
// that forgets it leaves nothing behind.
//
//   hold_file.exe "C:\Program Files\Quintara4Palm\License.txt" [seconds]
#include "platform/win32/win32.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring widen(const char* text) {
    int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), size);
    out.resize(out.size() - 1);
    return out;
}

// Waits on the standard input, which the test closes to end the hold.
DWORD WINAPI readInput(void*) {
    char line[64];
    while (std::fgets(line, sizeof line, stdin) != nullptr && std::string(line, 4) != "quit") {
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: hold_file PATH [seconds]\n");
        return 2;
    }
    const DWORD seconds = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) : 120;
    HANDLE file = CreateFileW(widen(argv[1]).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("failed %lu\n", GetLastError());
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    HANDLE reader = CreateThread(nullptr, 0, readInput, nullptr, 0, nullptr);
    WaitForSingleObject(reader, seconds * 1000);
    CloseHandle(file);
    return 0;
}
