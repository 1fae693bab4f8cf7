#pragma once

#include "platform/win32/win32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::win32 {

// The folder that holds the running program, without a trailing backslash.
std::string setupFolder();

// An outside library loaded from the setup program's own folder by its full
// path, never by bare name, so that a file of the same name in the current
// folder or on the PATH is never picked up. Unloaded when the owner goes.
class Library {
public:
    // Raises SetupError when the library cannot be loaded.
    explicit Library(const std::string& fileName);
    // A library outside the setup program's folder, by its full path (the
    // installed copy that the uninstaller unregisters).
    static Library atPath(const std::string& fullPath);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    Library(Library&& other) noexcept;
    Library& operator=(Library&& other) noexcept;

    explicit operator bool() const { return module_ != nullptr; }

    // The export of that undecorated name as a pointer of the caller's exact
    // __stdcall type. Raises SetupError when the library has no such export.
    template <typename Function> Function function(const char* name) const {
        // Through a pointer to a function without arguments: GCC accepts that
        // cast between unrelated function types without a warning.
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address(name)));
    }

private:
    Library() = default;
    void load(const std::string& path);
    FARPROC address(const char* name) const;

    HMODULE module_ = nullptr;
    std::string fileName_;
};

// Sets the process error mode for the owner's lifetime so that a missing medium
// or a broken library fails the call instead of showing a system dialog.
class QuietErrors {
public:
    QuietErrors();
    ~QuietErrors();
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    UINT previous_;
};

// A text as a NUL-terminated buffer in the system code page, made for one call
// of an outside library, whose entry points take `char*` even where they only
// read. Raises SetupError when the code page cannot hold the text: the call is
// not made rather than made with a look-alike.
std::vector<char> callText(const std::string& text);

// An outside library's answer, written in the system code page into a buffer
// of the library's own, handed to the caller's buffer as UTF-8. `size` is the
// caller's capacity on entry and is set to the UTF-8 length; a size the
// library set below zero is passed on unchanged. Raises SetupError when the
// UTF-8 form does not fit the caller's buffer.
void answerText(const std::vector<char>& own, char* buffer, std::int32_t& size,
                std::int32_t capacity);

} // namespace platform::win32
