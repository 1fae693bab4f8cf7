#include "platform/win32/wide_text.h"

#include "common/error.h"

namespace platform::win32 {

using common::SetupError;

namespace {

// The plain form of a path stops here; CreateDirectoryW stops 12 characters
// earlier, to leave room for an 8.3 name inside the folder.
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

std::vector<wchar_t> widen(const std::string& text, UINT codePage, DWORD flags) {
    std::vector<wchar_t> units;
    if (text.empty()) {
        return units;
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) {
        throw SetupError("Text cannot be converted");
    }
    units.resize(static_cast<std::size_t>(length));
    MultiByteToWideChar(codePage, flags, text.data(), size, units.data(), length);
    return units;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// "\\?\" paths are taken as they stand: "." and ".." are not resolved and "/"
// is no separator, so only a clean absolute path is given the prefix.
bool prefixable(const std::string& path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && isSeparator(path[2]);
    const bool unc = path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]) &&
                     path[2] != '?' && path[2] != '.';
    if (!drive && !unc) {
        return false;
    }
    for (std::size_t at = 0; at < path.size(); ++at) {
        if (isSeparator(path[at]) && at + 1 < path.size() && path[at + 1] == '.') {
            const std::size_t next = at + 2;
            if (next == path.size() || isSeparator(path[next]) ||
                (path[next] == '.' && (next + 1 == path.size() || isSeparator(path[next + 1])))) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

WideText::WideText(std::vector<wchar_t> units) : units_(std::move(units)) {
    units_.push_back(L'\0');
}

WideText::WideText(const wchar_t* text, std::size_t length) : units_(text, text + length) {
    units_.push_back(L'\0');
}

WideText::WideText(const wchar_t* text) : WideText(text, text == nullptr ? 0 : wcslen(text)) {}

WideText& WideText::operator+=(const WideText& more) {
    units_.insert(units_.end() - 1, more.units_.begin(), more.units_.end() - 1);
    return *this;
}

WideText wideOf(const std::string& utf8) {
    return WideText(widen(utf8, CP_UTF8, MB_ERR_INVALID_CHARS));
}

WideText widePathOf(const std::string& utf8) {
    if (utf8.size() < kPlainPathLimit || !prefixable(utf8)) {
        return wideOf(utf8);
    }
    const bool unc = isSeparator(utf8[0]);
    std::string prefixed = unc ? "\\\\?\\UNC\\" + utf8.substr(2) : "\\\\?\\" + utf8;
    for (char& c : prefixed) {
        if (c == '/') {
            c = '\\';
        }
    }
    return wideOf(prefixed);
}

std::string utf8Of(const wchar_t* text, std::size_t length) {
    if (text == nullptr || length == 0) {
        return std::string();
    }
    const int size = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        throw SetupError("Text cannot be converted");
    }
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, size, result.data(), bytes, nullptr, nullptr);
    return result;
}

std::string utf8Of(const wchar_t* text) {
    return text == nullptr ? std::string() : utf8Of(text, wcslen(text));
}

std::string systemCodePageOf(const std::string& utf8) {
    const std::vector<wchar_t> units = widen(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
    if (units.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(units.size());
    // A system whose code page is UTF-8 holds every character, and refuses
    // both the flag and the used-default question.
    const bool utf8System = GetACP() == CP_UTF8;
    const DWORD flags = utf8System ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* askUsedDefault = utf8System ? nullptr : &usedDefault;
    const int bytes =
        WideCharToMultiByte(CP_ACP, flags, units.data(), size, nullptr, 0, nullptr, askUsedDefault);
    if (bytes <= 0 || usedDefault) {
        throw SetupError("Text not representable in the system code page: " + utf8);
    }
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, flags, units.data(), size, result.data(), bytes, nullptr, nullptr);
    return result;
}

bool fitsSystemCodePage(const std::string& utf8) {
    return common::ignoreFailure("the failure is the answer: the text does not fit",
                                 [&] { systemCodePageOf(utf8); });
}

std::string utf8FromSystemCodePage(const char* text, std::size_t length) {
    const std::vector<wchar_t> units = widen(std::string(text, length), CP_ACP, 0);
    return utf8Of(units.data(), units.size());
}

} // namespace platform::win32
