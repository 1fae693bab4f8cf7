#pragma once

#include <string>

namespace Geral {

// Names tried for the temporary before the copy gives up.
inline constexpr int kCopyTemporaryAttempts = 100;

// The temporary CopyOneFile tries at that attempt (0, 1, ...) beside the
// destination: a name exactly as long as the destination's, "~q4p0" over its
// first characters, so that a path the system takes for the destination it
// takes for the temporary too. What a copy cut short leaves behind.
inline std::string copyTemporaryName(std::string destination, int attempt) {
    const std::size_t start = destination.find_last_of('\\') + 1; // 0 without a folder
    const std::size_t length = destination.size() - start;
    char mark[8] = "~q4p";
    std::size_t size = 4;
    if (attempt >= 10) {
        mark[size++] = static_cast<char>('0' + attempt / 10 % 10);
    }
    mark[size++] = static_cast<char>('0' + attempt % 10);
    if (size >= length) {
        return destination.replace(start, length, mark + (size - length), length);
    }
    return destination.replace(start, size, mark, size);
}

} // namespace Geral
