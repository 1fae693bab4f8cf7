#include "probes/probes.h"

#include "common/text_rules.h"

#include <array>

namespace Geral {

namespace {

// A title is read into 200 characters but offered only 199 of them, so at most
// 198 characters of it are seen.
constexpr std::size_t kTitleBufferChars = 200;
constexpr int kTitleReadChars = 199;

} // namespace

bool IsExcelWindowOpen(platform::WindowList& windows, platform::WindowHandle startWindow,
                       const std::string& searchText) {
    const std::string wanted = common::asciiUpper(searchText);
    platform::WindowHandle window = windows.getWindow(startWindow, platform::WindowCommand::First);
    while (window != 0) {
        std::array<char, kTitleBufferChars> title{};
        windows.getWindowText(window, title.data(), kTitleReadChars);
        // The whole buffer is searched; the NULs after the title never match a
        // search text without NUL.
        if (common::asciiUpper(std::string(title.begin(), title.end())).find(wanted) !=
            std::string::npos) {
            return true;
        }
        window = windows.getWindow(window, platform::WindowCommand::Next);
    }
    return false;
}

} // namespace Geral
