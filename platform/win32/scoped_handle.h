#pragma once

#include "platform/win32/win32.h"

#include <utility>

namespace platform::win32 {

// The owner of one system handle, closed once, when the owner goes. Moved,
// never copied: a copy would close the handle twice. `Traits` names the
// handle's type, the value that owns nothing, and how one is closed.
template <typename Traits> class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    explicit operator bool() const { return handle_ != Traits::empty(); }
    Handle get() const { return handle_; }
    Handle release() { return std::exchange(handle_, Traits::empty()); }
    void reset(Handle handle = Traits::empty()) {
        if (*this) {
            Traits::close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::empty();
};

// A file opened with CreateFile: INVALID_HANDLE_VALUE when it failed.
struct FileTraits {
    using Handle = HANDLE;
    static Handle empty() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};

// A process, a thread or a mutex: null when the call failed.
struct KernelObjectTraits {
    using Handle = HANDLE;
    static Handle empty() { return nullptr; }
    static void close(Handle handle) { CloseHandle(handle); }
};

// A search begun with FindFirstFile.
struct FindTraits {
    using Handle = HANDLE;
    static Handle empty() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { FindClose(handle); }
};

// Memory the system allocated for the caller to LocalFree, such as
// CommandLineToArgvW's list.
template <typename T> struct LocalMemoryTraits {
    using Handle = T*;
    static Handle empty() { return nullptr; }
    static void close(Handle memory) { LocalFree(memory); }
};

using FileHandle = ScopedHandle<FileTraits>;
using KernelHandle = ScopedHandle<KernelObjectTraits>;
using FindHandle = ScopedHandle<FindTraits>;
template <typename T> using LocalMemory = ScopedHandle<LocalMemoryTraits<T>>;

} // namespace platform::win32
