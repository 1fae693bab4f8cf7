#include "common/text_rules.h"

#include <algorithm>

namespace common {

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string asciiLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return asciiLower(c); });
    return text;
}

std::string asciiUpper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return asciiUpper(c); });
    return text;
}

bool equalsIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

bool isAsciiLetter(char c) {
    return asciiLower(c) >= 'a' && asciiLower(c) <= 'z';
}

char driveLetterOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':' && isAsciiLetter(path[0])) {
        return asciiLower(path[0]);
    }
    return 0;
}

bool isDriveRoot(const std::string& path) {
    return path.size() == 3 && path[1] == ':' && path[2] == '\\';
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isFullPath(const std::string& path) {
    if (path.size() >= 3 && driveLetterOf(path) != 0 && isSeparator(path[2])) {
        return true;
    }
    return path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]) && !isSeparator(path[2]);
}

std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

std::string withTrailingSeparator(std::string path) {
    if (!path.empty() && path.back() != '\\') {
        path += '\\';
    }
    return path;
}

std::string hexDigits(std::uint64_t value, std::size_t width, bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (text.size() < width) {
        text.insert(0, width - text.size(), '0');
    }
    return text;
}

} // namespace common
