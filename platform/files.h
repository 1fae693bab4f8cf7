#pragma once

#include <string>
#include <vector>

namespace platform {

enum class FsStatus {
    Ok,
    AlreadyExists,
    NotFound,     // the source, or a folder on the way, is missing
    AccessDenied, // read-only, in use, or no rights
    Failed,
};

// Files, folders, drives and the process environment. Paths are UTF-8 texts
// with backslashes; every path Windows allows works, up to the system's limit.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Makes one folder; its parent must exist.
    virtual FsStatus makeDirectory(const std::string& path) = 0;
    // Copies a file, replacing an existing destination (CopyFile, not
    // fail-if-exists). The copy never keeps the source's read-only attribute:
    // files from a CD or a write-protected share would otherwise stay
    // read-only, and neither a later installation nor a removal could touch them.
    virtual FsStatus copyFile(const std::string& from, const std::string& to) = 0;
    // Renames `from` over `to`, replacing it in one step (MoveFileEx with
    // replace). A read-only `to` is refused: the user protected it.
    virtual FsStatus moveReplace(const std::string& from, const std::string& to) = 0;
    virtual FsStatus deleteFile(const std::string& path) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool directoryExists(const std::string& path) = 0;
    // Names (not paths) of the folders directly inside `path`, sorted case-insensitively.
    virtual std::vector<std::string> subdirectories(const std::string& path) = 0;

    // Removes a folder only when it is empty (RemoveDirectory).
    virtual FsStatus removeDirectory(const std::string& path) = 0;
    // Names of everything directly inside `path`, files and folders, sorted
    // case-insensitively; empty when the folder cannot be read.
    virtual std::vector<std::string> entries(const std::string& path) = 0;
    // The file's whole content, for recognising it again later.
    virtual FsStatus readFile(const std::string& path, std::string& content) = 0;
    // The read-only attribute of a file.
    virtual bool isReadOnly(const std::string& path) = 0;
    virtual FsStatus setReadOnly(const std::string& path, bool readOnly) = 0;

    // Drive letters present, lower case, in order ('a', 'c', ...).
    virtual std::vector<char> drives() = 0;
    // A drive that exists and has a medium.
    virtual bool driveReady(char letter) = 0;
    // The folder the process holds as current on that drive, full path ("C:\" for a root).
    virtual std::string currentDirectoryOfDrive(char letter) = 0;

    // The environment variable's value; empty when it is not set.
    virtual std::string getEnvironment(const std::string& name) = 0;
    // The folder that holds the setup program itself, without a trailing backslash.
    virtual std::string programFolder() = 0;
    // The system's own program-files folder (the shell's known folder); empty
    // when the system cannot say.
    virtual std::string knownProgramFilesFolder() = 0;
    // True when every character of the text has an exact form in the system
    // code page, in which the outside libraries take their texts.
    virtual bool fitsSystemCodePage(const std::string& text) = 0;
};

} // namespace platform
