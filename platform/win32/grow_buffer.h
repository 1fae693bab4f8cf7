#pragma once

#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace platform::win32 {

// Long enough for any path or environment value the system can give (the
// \\?\ limit, and the environment's own).
inline constexpr DWORD kLongestText = 32768;

// Reads a text that a Win32 (W) call writes into the caller's buffer, as UTF-8.
// `call(buffer, size)` answers 0 for a failure, the text's length when it
// fitted, or, when it did not, either the size it needs (terminating NUL
// included) or the size it was given (GetModuleFileName, which cuts the text
// and on XP does not even terminate it). The buffer grows until the text
// fits. Nothing for a failure, or a text longer than kLongestText.
template <typename Call> std::optional<std::string> readGrowing(DWORD initialSize, Call call) {
    std::vector<wchar_t> buffer(initialSize);
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < buffer.size()) {
            return utf8Of(buffer.data(), length);
        }
        if (buffer.size() >= kLongestText) {
            return std::nullopt;
        }
        buffer.resize(std::max<std::size_t>(length, buffer.size() * 2));
    }
}

} // namespace platform::win32
