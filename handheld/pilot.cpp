#include "handheld/pilot.h"

#include "common/error.h"
#include "common/text_rules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace Pilot {

namespace {

// Every answer of the install aide comes in a buffer of this many characters.
constexpr std::size_t kAnswerChars = 255;
// The kind of path PltGetPath is asked for: the desktop software's own folder.
constexpr std::int32_t kDesktopPathKind = 2;

using Answer = std::array<char, kAnswerChars>;

// The install aide's results are taken as 16-bit integers; one that does not
// fit is an error rather than a silently wrapped success or failure.
std::int16_t narrow(std::int32_t result) {
    if (result < std::numeric_limits<std::int16_t>::min() ||
        result > std::numeric_limits<std::int16_t>::max()) {
        throw common::SetupError("Overflow");
    }
    return static_cast<std::int16_t>(result);
}

// The first `size` characters of the answer; a size beyond the buffer gives
// the whole buffer, NULs included.
std::string firstChars(const Answer& answer, std::int32_t size) {
    if (size < 0) {
        throw common::SetupError("Invalid procedure call or argument");
    }
    const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(size), kAnswerChars);
    return std::string(answer.data(), length);
}

// By character code, as unsigned bytes, so that characters above 127 sort
// after the ASCII ones.
bool greaterByCode(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

// Before the first name whose lower-case form is greater, so names whose
// lower-case forms are equal keep the order they came in.
void insertSorted(std::vector<std::string>& users, std::string name) {
    const std::string key = common::asciiLower(name);
    const auto at = std::find_if(users.begin(), users.end(), [&](const std::string& listed) {
        return greaterByCode(common::asciiLower(listed), key);
    });
    users.insert(at, std::move(name));
}

} // namespace

std::vector<std::string> GetHandheldUsers(platform::InstallAide& aide) {
    std::vector<std::string> users;
    const std::int16_t count = narrow(aide.PltGetUserCount());
    for (std::int16_t index = 0; index < count; ++index) {
        Answer name{};
        std::int32_t size = kAnswerChars;
        if (narrow(aide.PltGetUser(index, name.data(), size)) < 0) {
            break;
        }
        insertSorted(users, firstChars(name, size));
    }
    return users;
}

std::string GetUserDirectory(platform::InstallAide& aide, const std::string& userName) {
    Answer folder{};
    std::int32_t size = kAnswerChars;
    if (narrow(aide.PltGetUserDirectory(userName, folder.data(), size)) < 0) {
        return std::string();
    }
    return firstChars(folder, size);
}

bool InstallToHandheld(platform::InstallAide& aide, const std::string& userName,
                       const std::string& filePath) {
    return narrow(aide.PltInstallFile(userName, filePath)) >= 0;
}

std::string GetDesktopPath(platform::InstallAide& aide) {
    Answer path{};
    std::int32_t size = kAnswerChars;
    // Unlike the other calls, this result is used at its full 32-bit width.
    if (aide.PltGetPath(kDesktopPathKind, path.data(), size) < 0) {
        return std::string();
    }
    return firstChars(path, size);
}

} // namespace Pilot
