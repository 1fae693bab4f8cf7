#include "platform/win32/library_win32.h"

#include "common/error.h"
#include "platform/win32/grow_buffer.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_machine.h"

#include <algorithm>
#include <utility>

namespace platform::win32 {

using common::SetupError;

namespace {

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
    DWORD error = 0;
    const std::optional<std::string> path = readGrowing(MAX_PATH, [&](wchar_t* buffer, DWORD size) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
        if (length == 0) {
            error = GetLastError();
        }
        return length;
    });
    if (!path && error != 0) {
        throw SetupError("Program path unavailable (error " + std::to_string(error) + ")");
    }
    if (!path) {
        throw SetupError("Program path unavailable (too long)");
    }
    const std::size_t slash = path->find_last_of('\\');
    return slash == std::string::npos ? std::string() : path->substr(0, slash);
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
    DelayedComApartment::start();
    QuietErrors quiet;
    module_ = LoadLibraryExW(wideOf(path).c_str(), nullptr, loadFlags());
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
    const std::string single = systemCodePageOf(text);
    std::vector<char> buffer(single.begin(), single.end());
    buffer.push_back('\0');
    return buffer;
}

void answerText(const std::vector<char>& own, char* buffer, std::int32_t& size,
                std::int32_t capacity) {
    if (size < 0 || capacity <= 0) {
        return;
    }
    // A size beyond the library's buffer stands for the whole buffer.
    const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(size), own.size());
    const std::string text = utf8FromSystemCodePage(own.data(), length);
    if (text.size() > static_cast<std::size_t>(capacity)) {
        throw SetupError("Answer too long for its buffer");
    }
    std::copy(text.begin(), text.end(), buffer);
    if (text.size() < static_cast<std::size_t>(capacity)) {
        buffer[text.size()] = '\0';
    }
    size = static_cast<std::int32_t>(text.size());
}

} // namespace platform::win32
