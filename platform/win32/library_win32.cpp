#include "platform/win32/library_win32.h"

#include "platform/error.h"

#include <utility>

namespace platform::win32 {

namespace {

// Long enough for any path the system can give (the \\?\ limit).
constexpr DWORD kLongestPath = 32768;

DWORD loadFlags() {
    // A system that has SetDefaultDllDirectories (Windows 7 with KB2533623 and
    // later) also understands the LOAD_LIBRARY_SEARCH flags; older ones refuse
    // them with ERROR_INVALID_PARAMETER. Either way the library's own folder is
    // searched first for the libraries it needs in turn.
    static const bool searchFlags =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories") != nullptr;
    return searchFlags ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
                       : LOAD_WITH_ALTERED_SEARCH_PATH;
}

} // namespace

std::string setupFolder() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            const DWORD error = GetLastError();
            throw SetupError("Program path unavailable (error " + std::to_string(error) + ")");
        }
        // A full buffer means the path was cut; XP does not even terminate it.
        if (length < buffer.size()) {
            const std::string path(buffer.data(), length);
            const std::size_t slash = path.find_last_of('\\');
            return slash == std::string::npos ? std::string() : path.substr(0, slash);
        }
        if (buffer.size() >= kLongestPath) {
            throw SetupError("Program path unavailable (too long)");
        }
        buffer.resize(buffer.size() * 2);
    }
}

Library::Library(const std::string& fileName) : fileName_(fileName) {
    const std::string folder = setupFolder();
    if (folder.empty()) {
        throw SetupError("File not found: " + fileName);
    }
    load(folder + "\\" + fileName);
}

Library Library::atPath(const std::string& fullPath) {
    Library library;
    library.fileName_ = fullPath;
    library.load(fullPath);
    return library;
}

void Library::load(const std::string& path) {
    QuietErrors quiet;
    module_ = LoadLibraryExA(path.c_str(), nullptr, loadFlags());
    if (module_ == nullptr) {
        const DWORD error = GetLastError();
        throw SetupError("Cannot load " + path + " (error " + std::to_string(error) + ")");
    }
}

Library::~Library() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

Library::Library(Library&& other) noexcept
    : module_(std::exchange(other.module_, nullptr)), fileName_(std::move(other.fileName_)) {}

Library& Library::operator=(Library&& other) noexcept {
    if (this != &other) {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
        module_ = std::exchange(other.module_, nullptr);
        fileName_ = std::move(other.fileName_);
    }
    return *this;
}

FARPROC Library::address(const char* name) const {
    FARPROC procedure = module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
    if (procedure == nullptr) {
        throw SetupError(std::string("Can't find DLL entry point ") + name + " in " + fileName_);
    }
    return procedure;
}

QuietErrors::QuietErrors() {
    constexpr UINT quiet = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    // SetErrorMode only replaces, so read the old mode first and keep its flags.
    previous_ = SetErrorMode(quiet);
    SetErrorMode(previous_ | quiet);
}

QuietErrors::~QuietErrors() {
    SetErrorMode(previous_);
}

std::vector<char> callText(const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return buffer;
}

} // namespace platform::win32
