#include <exception>
#include <new>
#include <typeinfo>

// libstdc++ raises its own errors (a string grown past its maximum, a bad
// position given to substr) through these functions. The library's versions
// build std::length_error and its kin, which keep their text in the old
// copy-on-write string: that pulls the string's whole second instantiation
// into the program. These definitions replace the library's whole set (one
// missing would bring its object back, and the link would fail on the
// duplicates) and raise a plain std::exception with the same text instead.
// The steps that pass over a failure catch common::SetupError only, never one
// of these: it goes on to the programs' outermost handlers (the window's,
// around each user action, and WinMain's), which catch std::exception.
namespace {

class LibraryError : public std::exception {
public:
    explicit LibraryError(const char* text) : text_(text) {}
    const char* what() const noexcept override { return text_; }

private:
    const char* text_; // always one of the library's own literals
};

} // namespace

namespace std {

void __throw_bad_exception() {
    throw std::bad_exception();
}
void __throw_bad_alloc() {
    throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}
void __throw_bad_cast() {
    throw std::bad_cast();
}
void __throw_bad_typeid() {
    throw std::bad_typeid();
}
void __throw_logic_error(const char* text) {
    throw LibraryError(text);
}
void __throw_domain_error(const char* text) {
    throw LibraryError(text);
}
void __throw_invalid_argument(const char* text) {
    throw LibraryError(text);
}
void __throw_length_error(const char* text) {
    throw LibraryError(text);
}
void __throw_out_of_range(const char* text) {
    throw LibraryError(text);
}
// The format's arguments (a position and a size) are left out of the text.
void __throw_out_of_range_fmt(const char* format, ...) {
    throw LibraryError(format);
}
void __throw_runtime_error(const char* text) {
    throw LibraryError(text);
}
void __throw_range_error(const char* text) {
    throw LibraryError(text);
}
void __throw_overflow_error(const char* text) {
    throw LibraryError(text);
}
void __throw_underflow_error(const char* text) {
    throw LibraryError(text);
}

} // namespace std
