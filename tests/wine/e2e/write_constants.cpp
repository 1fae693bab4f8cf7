// Writes the constants the end-to-end checks need, taken from the core's own
// tables, as JSON: the page tags of the setup and of the uninstaller, the
// files the manifest installs, the product's registry keys and web site, and
// both programs' exit codes. Built with the host
// compiler, so that the Python side never parses a C++ header.
#include "common/exit_codes.h"
#include "install/manifest.h"
#include "install/run_install.h"
#include "uninstall/removal.h"
#include "uninstall/uninstall_pages.h"
#include "wizard/pages.h"

#include <fstream>
#include <string>
#include <vector>

namespace {

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

std::string list(const std::vector<std::string>& names) {
    std::string out = "[";
    for (const std::string& name : names) {
        out += (out.size() > 1 ? ", " : "") + quoted(name);
    }
    return out + "]";
}

// A manifest literal without its leading backslash: the file's own name.
std::string fileName(const std::string& literal) {
    return literal.substr(literal.find_last_of('\\') + 1);
}

std::string frames(const forms::WindowSpec& window) {
    std::string out = "{";
    for (const forms::PageSpec& page : window.pages) {
        out += (out.size() > 1 ? ", " : "") + quoted(page.tag) + ": " + quoted(page.frameName);
    }
    return out + "}";
}

// A page's text as a reader reads it: each line's runs as one text, blank
// lines left out.
std::vector<std::string> readLines(const std::vector<forms::PageLine>& lines) {
    std::vector<std::string> out;
    for (const forms::PageLine& line : lines) {
        std::string text;
        for (const forms::TextRun& run : line) {
            text += run.text;
        }
        if (!text.empty()) {
            out.push_back(text);
        }
    }
    return out;
}

// {frame: [lines, ...]}: every text each page can show, its table's first.
std::string pageTexts(const forms::WindowSpec& window, const std::string& frame,
                      const std::vector<std::vector<forms::PageLine>>& others) {
    std::string out = "{";
    for (const forms::PageSpec& page : window.pages) {
        out += (out.size() > 1 ? ", " : "") + quoted(page.frameName) + ": [" +
               list(readLines(page.lines));
        for (const auto& variant :
             page.frameName == frame ? others : std::vector<std::vector<forms::PageLine>>{}) {
            out += ", " + list(readLines(variant));
        }
        out += "]";
    }
    return out + "}";
}

// {control id: label as read, without its access-key mark} of both windows.
std::string labels() {
    std::string out = "{";
    for (const forms::WindowSpec* window :
         {&wizard::setupWindow(), &uninstall::uninstallWindow()}) {
        for (const forms::PageSpec& page : window->pages) {
            for (const forms::ControlSpec& control : page.controls) {
                if (control.label == nullptr) {
                    continue;
                }
                std::string text = control.label;
                text.erase(text.find('&'), 1);
                out += (out.size() > 1 ? ", " : "") + quoted(std::to_string(control.id)) + ": " +
                       quoted(text);
            }
        }
    }
    return out + "}";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    std::vector<std::string> installed, temporary, handheld;
    for (const install::CopyEntry& copy : install::manifest().copies) {
        if (copy.destination.base == install::Base::Install) {
            (copy.temporary ? temporary : installed).push_back(fileName(copy.destination.literal));
        }
    }
    for (const install::HandheldEntry& entry : install::manifest().handheldFiles) {
        handheld.push_back(fileName(entry.queued.literal));
    }
    std::ofstream out(argv[1]);
    out << "{\"PRODUCT_DOMAIN\": " << quoted(install::kProductDomain)
        << ",\n \"PRODUCT_SITE\": " << quoted(install::kProductSite)
        << ",\n \"PRODUCT_KEY\": " << quoted(install::kProductKey)
        << ",\n \"FRAMES\": " << frames(wizard::setupWindow())
        << ",\n \"UNINSTALL_FRAMES\": " << frames(uninstall::uninstallWindow())
        << ",\n \"PAGE_TEXTS\": "
        << pageTexts(wizard::setupWindow(), "FrameFinal", {wizard::incompletePageLines()})
        << ",\n \"LABELS\": " << labels() << ",\n \"UNINSTALL_PAGE_TEXTS\": "
        << pageTexts(uninstall::uninstallWindow(), "FrameDone",
                     {uninstall::donePageLines(true, true), uninstall::donePageLines(false, true)})
        << ",\n \"UNINSTALL_CAPTION\": " << quoted(uninstall::uninstallWindow().caption)
        << ",\n \"UNINSTALL_KEY\": " << quoted(install::kUninstallKey)
        << ",\n \"INSTALLED\": " << list(installed) << ",\n \"TEMPORARY\": " << list(temporary)
        << ",\n \"HANDHELD\": " << list(handheld)
        << ",\n \"EXIT_INSTALLED\": " << common::kExitInstalled
        << ", \"EXIT_START_FAILED\": " << common::kExitStartFailed
        << ", \"EXIT_CANCELLED\": " << common::kExitCancelled
        << ", \"EXIT_INCOMPLETE\": " << common::kExitIncomplete
        << ", \"EXIT_STOPPED\": " << common::kExitStopped
        << ", \"EXIT_ALREADY_RUNNING\": " << common::kExitAlreadyRunning
        << ",\n \"UNINSTALL_EXIT\": {\"removed\": " << uninstall::kExitRemoved
        << ", \"bad-argument\": " << uninstall::kExitBadArgument
        << ", \"cancelled\": " << uninstall::kExitCancelled
        << ", \"something-stays\": " << uninstall::kExitSomethingStays
        << ", \"nothing-installed\": " << uninstall::kExitNothingInstalled
        << ", \"already-running\": " << uninstall::kExitAlreadyRunning << "}}\n";
    return out ? 0 : 1;
}
