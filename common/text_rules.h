#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The small rules about texts and paths that several parts share, each
// written once.
namespace common {

// ASCII only: the comparisons are by character code, and characters above 127
// are left as they are whatever the system code page makes of them.
char asciiLower(char c);
char asciiUpper(char c);
std::string asciiLower(std::string text);
std::string asciiUpper(std::string text);
bool equalsIgnoringAsciiCase(const std::string& a, const std::string& b);

bool isAsciiLetter(char c);
// The drive letter of a path that begins "x:", in lower case; 0 for none.
char driveLetterOf(const std::string& path);
// "c:\": a drive's root, which keeps its backslash.
bool isDriveRoot(const std::string& path);

// A full path: "x:\..." on a drive, or "\\server\share..." on the network.
bool isFullPath(const std::string& path);

bool isSeparator(char c); // a backslash, or a slash, which Windows also takes
// Without trailing backslashes, except a drive root's own ("C:\").
std::string withoutTrailingSeparators(std::string path);
// With a trailing backslash: "C:\Office" becomes "C:\Office\"; empty stays empty.
std::string withTrailingSeparator(std::string path);

// The value in hexadecimal digits, zero-filled to at least `width` of them:
// printf's "%0*llx" (or "%0*llX") without bringing printf's formatter in.
std::string hexDigits(std::uint64_t value, std::size_t width, bool upperCase = false);

} // namespace common
