// dllFindFile: a breadth-first search of the folder tree under a start folder
// for a file of a given name, case-insensitively. Breadth-first, so the
// shallowest match wins, and with a queue of folder paths rather than
// recursion, so a deep tree cannot exhaust the stack.
#include "platform/win32/win32.h"

#include <cstring>
#include <deque>
#include <string>

namespace {

// The ANSI file functions take paths of at most MAX_PATH - 1 characters.
constexpr std::size_t kMaxPathLength = MAX_PATH - 1;

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            FindClose(handle_);
        }
    }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// FindExInfoBasic (no short names) and FIND_FIRST_EX_LARGE_FETCH make the walk
// much faster but exist only from Windows 7 on; older systems reject them with
// ERROR_INVALID_PARAMETER, and then the plain form is used from there on.
bool fastFindAvailable = true;

HANDLE findFirst(const std::string& pattern, WIN32_FIND_DATAA& data) {
    if (fastFindAvailable) {
        HANDLE handle = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_INVALID_PARAMETER) {
            return handle;
        }
        fastFindAvailable = false;
    }
    return FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch,
                            nullptr, 0);
}

std::string lowerCase(const char* text) {
    std::string lower(text);
    if (!lower.empty()) {
        CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
    }
    return lower;
}

bool isDotEntry(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

std::string withSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder;
}

bool findFile(const char* startFolder, const char* fileName, std::string& found) {
    const std::string wanted = lowerCase(fileName);
    std::deque<std::string> folders{withSeparator(startFolder)};
    while (!folders.empty()) {
        const std::string folder = std::move(folders.front());
        folders.pop_front();
        WIN32_FIND_DATAA data;
        FindHandle find(findFirst(folder + "*", data));
        if (!find) {
            continue; // unreadable or vanished: search on elsewhere
        }
        do {
            if (isDotEntry(data.cFileName)) {
                continue;
            }
            const std::string path = folder + data.cFileName;
            if (path.size() > kMaxPathLength) {
                continue;
            }
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                if (lowerCase(data.cFileName) == wanted) {
                    found = path;
                    return true;
                }
            } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                // Junctions and symbolic links are not followed: they lead into
                // trees searched elsewhere, or round in a loop.
                folders.push_back(path + "\\");
            }
        } while (FindNextFileA(find.get(), &data));
    }
    return false;
}

} // namespace

// `buffer` holds MAX_PATH characters.
extern "C" __declspec(dllexport) int WINAPI
    dllFindFile(char* startFolder, char* fileName, char* buffer) {
    if (startFolder == nullptr || fileName == nullptr || buffer == nullptr ||
        *startFolder == '\0' || *fileName == '\0') {
        return 0;
    }
    try {
        std::string found;
        if (!findFile(startFolder, fileName, found)) {
            return 0;
        }
        std::memcpy(buffer, found.c_str(), found.size() + 1);
        return 1;
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return 0;
    }
}
