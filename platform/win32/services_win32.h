#pragma once

#include "platform/conduit.h"
#include "platform/files.h"
#include "platform/install_aide.h"
#include "platform/registry.h"
#include "platform/spreadsheet.h"
#include "platform/tool_libraries.h"
#include "platform/window_list.h"

// The real services, one per *_win32.cpp. Everything here speaks the core's
// types only; the Win32 calls stay inside the source files.
namespace platform::win32 {

// advapi32's registry functions, in UTF-16. Roots are the predefined handles as
// their 32-bit values; a RegKey is the opened HKEY.
class Win32Registry : public RegistryService {
public:
    RegStatus createKey(RegRoot root, const std::string& subKey, RegKey& key,
                        RegDisposition& disposition) override;
    RegStatus openKeyReadOnly(RegRoot root, const std::string& subKey, RegKey& key) override;
    RegStatus queryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                         unsigned char* data, std::uint32_t& byteCount) override;
    RegStatus setValue(RegKey key, const std::string& valueName, std::uint32_t type,
                       const unsigned char* data, std::uint32_t byteCount) override;
    void closeKey(RegKey key) override;
    RegStatus deleteKey(RegRoot root, const std::string& subKey) override;
    RegStatus valueNames(RegKey key, std::vector<std::string>& names) override;
    RegStatus subkeyNames(RegKey key, std::vector<std::string>& names) override;
};

class Win32WindowList : public WindowList {
public:
    WindowHandle getWindow(WindowHandle window, WindowCommand command) override;
    void getWindowText(WindowHandle window, char* buffer, int maxCount) override;
};

class Win32FileSystem : public FileSystem {
public:
    FsStatus makeDirectory(const std::string& path) override;
    FsStatus copyFile(const std::string& from, const std::string& to) override;
    FsStatus moveReplace(const std::string& from, const std::string& to) override;
    FsStatus deleteFile(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    std::vector<std::string> subdirectories(const std::string& path) override;
    // These five: files_cleanup_win32.cpp.
    FsStatus removeDirectory(const std::string& path) override;
    std::vector<std::string> entries(const std::string& path) override;
    FsStatus readFile(const std::string& path, std::string& content) override;
    bool isReadOnly(const std::string& path) override;
    FsStatus setReadOnly(const std::string& path, bool readOnly) override;
    std::vector<char> drives() override;
    bool driveReady(char letter) override;
    std::string currentDirectoryOfDrive(char letter) override;
    std::string getEnvironment(const std::string& name) override;
    std::string programFolder() override;
    std::string knownProgramFilesFolder() override;
    bool fitsSystemCodePage(const std::string& text) override;
};

// "instaide.dll", loaded for each call.
class Win32InstallAide : public InstallAide {
public:
    std::int32_t PltGetPath(std::int32_t pathKind, char* buffer, std::int32_t& size) override;
    std::int32_t PltGetUserCount() override;
    std::int32_t PltGetUser(std::int32_t index, char* buffer, std::int32_t& size) override;
    std::int32_t PltGetUserDirectory(const std::string& userName, char* buffer,
                                     std::int32_t& size) override;
    std::int32_t PltInstallFile(const std::string& userName, const std::string& filePath) override;
};

// "quinTool.dll", loaded for each call.
class Win32ToolLibrary : public ToolLibrary {
public:
    std::int32_t dllFindFile(const std::string& startFolder, const std::string& fileName,
                             char* buffer) override;
    std::int32_t CreateShortcut(const std::string& shortcutPath, const std::string& target,
                                const std::string& third, std::int16_t& flag) override;
};

// "quinfrm.dll", loaded for the call.
class Win32FormLibrary : public FormLibrary {
public:
    std::int32_t DllUnregisterServer() override;
    std::int32_t DllUnregisterServerFrom(const std::string& libraryPath) override;
};

// "condinst.dll", loaded for the call.
class Win32ConduitInstaller : public ConduitInstaller {
public:
    std::int32_t InstallShieldInstallConduit(std::int32_t first, const std::string& second,
                                             const std::string& third, const std::string& fourth,
                                             const std::string& fifth) override;
};

// Needs COM on the calling thread: the caller's own ComApartment, or the
// program's DelayedComApartment, which it starts.
class Win32Spreadsheet : public SpreadsheetAutomation {
public:
    std::string readStartupPath() override;
};

} // namespace platform::win32
