#include "uninstall/command_line.h"

#include "uninstall/record_paths.h"

namespace uninstall {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    std::vector<std::string> own = arguments;
    CommandLine line;
    if (own.size() >= 2 && own[own.size() - 2] == kCopyMarker) {
        line.original = own.back();
        own.resize(own.size() - 2);
        if (whyRefused(line.original)) {
            return CommandLine{}; // a copy must know a full path to its original
        }
    }
    if (own.empty()) {
        line.mode = RunMode::Window;
    } else if (own.size() == 1 && (own[0] == "/S" || own[0] == "/s")) {
        line.mode = RunMode::Silent;
    } else {
        line.mode = RunMode::Bad;
    }
    return line;
}

} // namespace uninstall
