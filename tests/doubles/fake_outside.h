#pragma once

#include "common/error.h"
#include "platform/conduit.h"
#include "platform/install_aide.h"
#include "platform/spreadsheet.h"
#include "platform/tool_libraries.h"
#include "platform/window_list.h"
#include "tests/doubles/fake_files.h"
#include "tests/doubles/journal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace doubles {

inline void fillBuffer(char* buffer, std::int32_t& size, const std::string& text) {
    const std::size_t n = std::min<std::size_t>(text.size(), 255);
    std::memcpy(buffer, text.data(), n);
    size = static_cast<std::int32_t>(text.size());
}

// The handheld desktop software's install aide: users with their folders, and
// an install queue per user.
class FakeInstallAide : public platform::InstallAide, public Journaled {
public:
    struct User {
        std::string name;
        std::string directory;
    };
    std::vector<User> users;
    bool loadable = true;
    std::optional<std::int32_t> countOverride; // what PltGetUserCount answers instead
    std::optional<std::int32_t> failGetUserAt; // PltGetUser fails (-1) from this index on
    std::optional<std::int32_t> getUserResult; // a result other than 0, e.g. 70000
    std::optional<std::int32_t> sizeOverride;  // the size every call reports
    std::optional<std::string> desktopPath;    // none: PltGetPath fails
    bool refuseAll = false;                    // PltInstallFile answers -1
    std::set<std::string> missingUsers;        // PltGetUserDirectory fails for these
    std::map<std::string, std::vector<std::string>> queue; // user -> queued paths
    std::vector<std::string> calls;
    // When set, a file that is not there is refused, as the desktop software's queue does.
    FakeFileSystem* files = nullptr;

    std::int32_t PltGetPath(std::int32_t kind, char* buffer, std::int32_t& size) override {
        enter("PltGetPath " + std::to_string(kind));
        if (!desktopPath) {
            return -1;
        }
        fillBuffer(buffer, size, *desktopPath);
        applySizeOverride(size);
        return 0;
    }
    std::int32_t PltGetUserCount() override {
        enter("PltGetUserCount");
        return countOverride ? *countOverride : static_cast<std::int32_t>(users.size());
    }
    std::int32_t PltGetUser(std::int32_t index, char* buffer, std::int32_t& size) override {
        enter("PltGetUser " + std::to_string(index));
        if ((failGetUserAt && index >= *failGetUserAt) || index < 0 ||
            index >= static_cast<std::int32_t>(users.size())) {
            return -1;
        }
        fillBuffer(buffer, size, users[static_cast<std::size_t>(index)].name);
        applySizeOverride(size);
        return getUserResult ? *getUserResult : 0;
    }
    std::int32_t PltGetUserDirectory(const std::string& userName, char* buffer,
                                     std::int32_t& size) override {
        enter("PltGetUserDirectory " + userName);
        for (const User& user : users) {
            if (user.name == userName && missingUsers.count(userName) == 0) {
                fillBuffer(buffer, size, user.directory);
                applySizeOverride(size);
                return 0;
            }
        }
        return -1;
    }
    std::int32_t PltInstallFile(const std::string& userName, const std::string& path) override {
        note("queue " + path);
        enter("PltInstallFile " + userName + " " + path);
        if (refuseAll || (files != nullptr && !files->fileExists(path))) {
            return -1;
        }
        queue[userName].push_back(path);
        return 0;
    }

private:
    void enter(std::string call) {
        calls.push_back(std::move(call));
        if (!loadable) {
            throw common::SetupError("File not found: instaide.dll");
        }
    }
    void applySizeOverride(std::int32_t& size) const {
        if (sizeOverride) {
            size = *sizeOverride;
        }
    }
};

class FakeToolLibrary : public platform::ToolLibrary, public Journaled {
public:
    struct Shortcut {
        std::string path, target, third;
        std::int16_t flag;
    };
    bool loadable = true;
    std::map<std::string, std::string> found; // lower-case file name -> full path answered
    std::vector<std::string> searches;        // "start|name"
    std::vector<Shortcut> shortcuts;

    std::int32_t dllFindFile(const std::string& start, const std::string& name,
                             char* buffer) override {
        check();
        searches.push_back(start + "|" + name);
        std::string key = name;
        std::transform(key.begin(), key.end(), key.begin(), ::tolower);
        auto it = found.find(key);
        if (it == found.end()) {
            return 0;
        }
        const std::size_t n = std::min<std::size_t>(it->second.size(), 259);
        std::memcpy(buffer, it->second.data(), n);
        buffer[n] = '\0';
        return 1;
    }
    std::int32_t CreateShortcut(const std::string& path, const std::string& target,
                                const std::string& third, std::int16_t& flag) override {
        note("shortcut " + path);
        check();
        shortcuts.push_back({path, target, third, flag});
        return 1;
    }

private:
    void check() const {
        if (!loadable) {
            throw common::SetupError("File not found: quinTool.dll");
        }
    }
};

class FakeFormLibrary : public platform::FormLibrary {
public:
    bool loadable = true;
    int unregisterCalls = 0;
    std::vector<std::string> unregisteredFrom; // the full paths given
    std::int32_t unregisterResult = 0;         // an HRESULT; negative is a failure
    std::int32_t DllUnregisterServer() override {
        if (!loadable) {
            throw common::SetupError("File not found: quinfrm.dll");
        }
        ++unregisterCalls;
        return 0;
    }
    std::int32_t DllUnregisterServerFrom(const std::string& libraryPath) override {
        if (!loadable) {
            throw common::SetupError("Cannot load " + libraryPath);
        }
        unregisteredFrom.push_back(libraryPath);
        return unregisterResult;
    }
};

class FakeConduit : public platform::ConduitInstaller, public Journaled {
public:
    struct Call {
        std::int32_t first;
        std::string second, third, fourth, fifth;
    };
    bool loadable = true;
    std::vector<Call> calls;
    std::int32_t InstallShieldInstallConduit(std::int32_t first, const std::string& second,
                                             const std::string& third, const std::string& fourth,
                                             const std::string& fifth) override {
        note("conduit");
        if (!loadable) {
            throw common::SetupError("File not found: condinst.dll");
        }
        calls.push_back({first, second, third, fourth, fifth});
        return 0;
    }
};

class FakeSpreadsheet : public platform::SpreadsheetAutomation {
public:
    std::optional<std::string> startupPath; // none: the object cannot be created
    int objectsCreated = 0;
    std::string readStartupPath() override {
        if (!startupPath) {
            throw common::SetupError("ActiveX component can't create object");
        }
        ++objectsCreated;
        return *startupPath;
    }
};

// Top-level windows in z-order.
class FakeWindowList : public platform::WindowList {
public:
    struct Window {
        platform::WindowHandle handle;
        std::string title;
    };
    std::vector<Window> windows;
    std::vector<platform::WindowHandle> examined;

    platform::WindowHandle getWindow(platform::WindowHandle window,
                                     platform::WindowCommand command) override {
        if (command == platform::WindowCommand::First) {
            return windows.empty() ? 0 : windows.front().handle;
        }
        for (std::size_t i = 0; i + 1 < windows.size(); ++i) {
            if (windows[i].handle == window) {
                return windows[i + 1].handle;
            }
        }
        return 0;
    }
    void getWindowText(platform::WindowHandle window, char* buffer, int maxCount) override {
        examined.push_back(window);
        for (const Window& w : windows) {
            if (w.handle == window && maxCount > 0) {
                const std::size_t n =
                    std::min<std::size_t>(w.title.size(), static_cast<std::size_t>(maxCount - 1));
                std::memcpy(buffer, w.title.data(), n);
                buffer[n] = '\0';
            }
        }
    }
};

} // namespace doubles
