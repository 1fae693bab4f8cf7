#pragma once

#include "platform/win32/win32.h"

#include <cstddef>
#include <string>
#include <vector>

// The core holds every text as UTF-8. Windows is called through its UTF-16
// (W) functions; only the outside libraries' single-byte interfaces get the
// system code page. Every conversion between the three lives here.
namespace platform::win32 {

// A NUL-terminated UTF-16 text: the one wide text type of the programs. It
// stands where std::wstring would, whose instantiation in the library is a
// tenth of a program's size; the window keeps its texts in it too.
class WideText {
public:
    WideText() : units_(1, L'\0') {}
    explicit WideText(std::vector<wchar_t> units); // a terminating NUL is added
    WideText(const wchar_t* text, std::size_t length);
    explicit WideText(const wchar_t* text); // up to its NUL

    const wchar_t* c_str() const { return units_.data(); }
    wchar_t* data() { return units_.data(); }
    std::size_t size() const { return units_.size() - 1; }  // without the NUL
    int length() const { return static_cast<int>(size()); } // for the API's counts
    bool empty() const { return size() == 0; }

    WideText& operator+=(const WideText& more);

    friend bool operator==(const WideText& a, const WideText& b) { return a.units_ == b.units_; }
    friend bool operator!=(const WideText& a, const WideText& b) { return !(a == b); }

private:
    std::vector<wchar_t> units_;
};

// Raise SetupError for a text that is not valid UTF-8.
WideText wideOf(const std::string& utf8);
// A path for the file functions. An absolute path too long for the plain form
// gets the "\\?\" prefix, so that the system's own limit applies, as it does
// for the programs that are aware of long paths.
WideText widePathOf(const std::string& utf8);

std::string utf8Of(const wchar_t* text, std::size_t length);
std::string utf8Of(const wchar_t* text); // up to its NUL

// The text in the system code page, for an outside library's single-byte
// interface. Raises SetupError when a character has no exact form there: a
// look-alike or '?' would name another file or another user.
std::string systemCodePageOf(const std::string& utf8);
bool fitsSystemCodePage(const std::string& utf8);
std::string utf8FromSystemCodePage(const char* text, std::size_t length);

} // namespace platform::win32
