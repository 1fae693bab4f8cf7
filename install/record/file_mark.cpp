#include "install/record/file_mark.h"

#include "common/text_rules.h"

#include <string>

namespace install {

namespace {

constexpr std::uint64_t kFnvOffsetBasis = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;
constexpr std::size_t kHashDigits = 16;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

} // namespace

std::uint64_t Fnv1a64(const std::string& bytes) {
    std::uint64_t hash = kFnvOffsetBasis;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= kFnvPrime;
    }
    return hash;
}

std::optional<FileMark> markOf(platform::FileSystem& files, const std::string& path) {
    std::string content;
    if (files.readFile(path, content) != platform::FsStatus::Ok) {
        return std::nullopt;
    }
    return FileMark{content.size(), Fnv1a64(content)};
}

std::string formatMark(const FileMark& mark) {
    return std::to_string(static_cast<unsigned long long>(mark.size)) + ' ' +
           common::hexDigits(mark.hash, kHashDigits);
}

// Strict: exactly the form formatMark writes, so that a damaged value is
// noticed rather than read as some other size or hash.
std::optional<FileMark> parseMark(const std::string& text) {
    const std::size_t space = text.find(' ');
    if (space == 0 || space == std::string::npos || space > 20 ||
        text.size() != space + 1 + kHashDigits) {
        return std::nullopt;
    }
    FileMark mark;
    for (std::size_t i = 0; i < space; ++i) {
        const char c = text[i];
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (c < '0' || c > '9' || mark.size > (UINT64_MAX - digit) / 10) {
            return std::nullopt;
        }
        mark.size = mark.size * 10 + digit;
    }
    for (std::size_t i = space + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (!isHexDigit(c)) {
            return std::nullopt;
        }
        mark.hash =
            (mark.hash << 4) | static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    return mark;
}

} // namespace install
