#include "uninstall/record_paths.h"

#include "common/text_rules.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace uninstall {

namespace {

std::vector<std::string> components(const std::string& path, std::size_t from) {
    std::vector<std::string> parts;
    std::size_t start = from;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Windows drops trailing dots and spaces from a component, so "..", "..." and
// ". ." all climb or vanish.
bool onlyDots(const std::string& part) {
    return !part.empty() && part.find_first_not_of(". ") == std::string::npos;
}

bool isDriveLetterPath(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

} // namespace

std::string normalised(const std::string& path) {
    std::string clean = path;
    std::replace(clean.begin(), clean.end(), '/', '\\');
    while (!clean.empty() && clean.back() == '\\') {
        clean.pop_back();
    }
    return clean;
}

std::optional<std::string> whyRefused(const std::string& path) {
    if (path.empty()) {
        return "empty";
    }
    const std::string clean = normalised(path);
    std::size_t first = 0; // where the components below the root begin
    if (clean.rfind("\\\\?\\", 0) == 0 || clean.rfind("\\\\.\\", 0) == 0) {
        return "a device path";
    }
    if (isDriveLetterPath(clean)) {
        if (clean.size() == 2) {
            return "a drive root";
        }
        if (clean[2] != '\\') {
            return "not a full path";
        }
        first = 3;
    } else if (clean.rfind("\\\\", 0) == 0) {
        const auto parts = components(clean, 2);
        if (parts.size() <= 2) {
            return "a network share root";
        }
        if (parts[0].empty() || parts[1].empty()) {
            return "not a full path";
        }
        first = 2 + parts[0].size() + 1 + parts[1].size() + 1;
    } else {
        return "not a full path";
    }
    for (const std::string& part : components(clean, first)) {
        if (part.empty()) {
            return "not a full path";
        }
        if (onlyDots(part)) {
            return "holds \"..\"";
        }
        if (part.find(':') != std::string::npos) {
            return "names a stream"; // "file:stream" is a second content of a file
        }
    }
    return std::nullopt;
}

bool samePath(const std::string& a, const std::string& b) {
    return common::equalsIgnoringAsciiCase(normalised(a), normalised(b));
}

std::string parentOf(const std::string& path) {
    const std::string clean = normalised(path);
    const std::size_t at = clean.rfind('\\');
    return at == std::string::npos ? std::string() : clean.substr(0, at);
}

std::string nameOf(const std::string& path) {
    const std::string clean = normalised(path);
    return clean.substr(clean.rfind('\\') + 1);
}

} // namespace uninstall
