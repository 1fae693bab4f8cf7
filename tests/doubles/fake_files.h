#pragma once

#include "platform/files.h"
#include "tests/doubles/journal.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace doubles {

// An in-memory Windows file system: drive-letter paths with backslashes,
// compared case-insensitively, names kept in the case they were made with.
class FakeFileSystem : public platform::FileSystem, public Journaled {
public:
    struct File {
        std::string path; // as created, case kept
        std::string content;
    };

    FakeFileSystem() {
        addDrive('c');
        currentDirs_['c'] = "C:\\";
        environment_["WINDIR"] = "C:\\WINDOWS";
        programFolder_ = "C:\\SETUP";
    }

    // Set-up.
    void addDrive(char letter, bool ready = true) {
        drives_[lower(letter)] = ready;
        if (ready) {
            dirs_[fold(std::string{upper(letter), ':', '\\'})] =
                std::string{upper(letter), ':', '\\'};
        }
    }
    void setDriveReady(char letter, bool ready) { drives_[lower(letter)] = ready; }
    void setCurrentDirectory(char letter, std::string path) { currentDirs_[lower(letter)] = path; }
    void addDirectory(const std::string& path) { // and its parents
        for (std::size_t at = path.find('\\', 3); at != std::string::npos;
             at = path.find('\\', at + 1)) {
            dirs_.emplace(fold(path.substr(0, at)), path.substr(0, at));
        }
        dirs_.emplace(fold(path), path);
    }
    void addFile(const std::string& path, std::string content = "data") {
        addDirectory(parentOf(path));
        files_[fold(path)] = File{path, std::move(content)};
    }
    void setEnvironment(const std::string& name, std::string value) {
        environment_[name] = std::move(value);
    }
    void unsetEnvironment(const std::string& name) { environment_.erase(name); }
    void setProgramFolder(std::string path) { programFolder_ = std::move(path); }
    // A destination that may not be written, replaced or deleted (read-only or in use).
    void lock(const std::string& path) { locked_.insert(fold(path)); }
    // The read-only attribute: copies, renames and deletes onto it are refused, as Windows does.
    void markReadOnly(const std::string& path) { readOnly_.insert(fold(path)); }
    // Copies to this destination write part of the file, then fail (disk full).
    void failCopiesInto(const std::string& folder) { failingFolders_.insert(fold(folder)); }

    // Inspection.
    const File* file(const std::string& path) const {
        auto it = files_.find(fold(path));
        return it == files_.end() ? nullptr : &it->second;
    }
    bool hasDirectory(const std::string& path) const { return dirs_.count(fold(path)) != 0; }
    // Files directly in `folder`, with the case of their names, sorted.
    std::vector<std::string> filesIn(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& [key, entry] : files_) {
            if (fold(parentOf(entry.path)) == fold(folder)) {
                names.push_back(entry.path.substr(entry.path.rfind('\\') + 1));
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // Every file's content by its folded path, and every folder: to compare
    // the machine before and after.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> all;
        for (const auto& [key, entry] : files_) {
            all[key] = entry.content;
        }
        return all;
    }
    std::set<std::string> directories() const {
        std::set<std::string> all;
        for (const auto& [key, path] : dirs_) {
            all.insert(key);
        }
        return all;
    }
    std::vector<std::string> log; // "mkdir X", "copy A -> B", "move A -> B", "delete X"

    platform::FsStatus makeDirectory(const std::string& path) override {
        log.push_back("mkdir " + path);
        note("mkdir " + path);
        // As CreateDirectoryA does, a file of that name also answers "already exists".
        if (hasDirectory(path) || files_.count(fold(path)) != 0) {
            return platform::FsStatus::AlreadyExists;
        }
        if (path.size() < 3 || !hasDirectory(parentOf(path))) {
            return platform::FsStatus::NotFound;
        }
        dirs_[fold(path)] = path;
        return platform::FsStatus::Ok;
    }

    platform::FsStatus copyFile(const std::string& from, const std::string& to) override {
        log.push_back("copy " + from + " -> " + to);
        note("place " + to);
        auto source = files_.find(fold(from));
        if (source == files_.end()) {
            return platform::FsStatus::NotFound;
        }
        if (!hasDirectory(parentOf(to))) {
            return platform::FsStatus::NotFound;
        }
        if (locked_.count(fold(to)) != 0 || readOnly_.count(fold(to)) != 0) {
            return platform::FsStatus::AccessDenied;
        }
        const std::string content = source->second.content;
        auto existing = files_.find(fold(to));
        const std::string name = existing == files_.end() ? to : existing->second.path;
        if (failingFolders_.count(fold(parentOf(to))) != 0) {
            files_[fold(to)] = File{name, content.substr(0, content.size() / 2)};
            return platform::FsStatus::Failed;
        }
        files_[fold(to)] = File{name, content};
        return platform::FsStatus::Ok;
    }

    platform::FsStatus moveReplace(const std::string& from, const std::string& to) override {
        log.push_back("move " + from + " -> " + to);
        note("place " + to);
        auto source = files_.find(fold(from));
        if (source == files_.end() || !hasDirectory(parentOf(to))) {
            return platform::FsStatus::NotFound;
        }
        if (locked_.count(fold(to)) != 0 || readOnly_.count(fold(to)) != 0) {
            return platform::FsStatus::AccessDenied;
        }
        File moved{to, source->second.content};
        files_.erase(source);
        files_[fold(to)] = std::move(moved);
        return platform::FsStatus::Ok;
    }

    platform::FsStatus deleteFile(const std::string& path) override {
        log.push_back("delete " + path);
        note("delete " + path);
        if (locked_.count(fold(path)) != 0 || readOnly_.count(fold(path)) != 0) {
            return platform::FsStatus::AccessDenied;
        }
        return files_.erase(fold(path)) != 0 ? platform::FsStatus::Ok
                                             : platform::FsStatus::NotFound;
    }

    // A folder is removed only when nothing is in it; a locked folder is in use.
    platform::FsStatus removeDirectory(const std::string& path) override {
        log.push_back("rmdir " + path);
        if (!hasDirectory(path)) {
            return platform::FsStatus::NotFound;
        }
        if (locked_.count(fold(path)) != 0) {
            return platform::FsStatus::AccessDenied;
        }
        if (!entries(path).empty()) {
            return platform::FsStatus::Failed;
        }
        dirs_.erase(fold(path));
        return platform::FsStatus::Ok;
    }

    std::vector<std::string> entries(const std::string& path) override {
        std::vector<std::string> names = filesIn(path);
        for (const std::string& folder : subdirectories(path)) {
            names.push_back(folder);
        }
        std::sort(names.begin(), names.end(),
                  [](const std::string& a, const std::string& b) { return fold(a) < fold(b); });
        return names;
    }

    // A locked file is held open without sharing: it cannot be read either.
    platform::FsStatus readFile(const std::string& path, std::string& content) override {
        auto it = files_.find(fold(path));
        if (it == files_.end()) {
            return platform::FsStatus::NotFound;
        }
        if (locked_.count(fold(path)) != 0) {
            return platform::FsStatus::AccessDenied;
        }
        content = it->second.content;
        return platform::FsStatus::Ok;
    }

    bool isReadOnly(const std::string& path) override { return readOnly_.count(fold(path)) != 0; }

    platform::FsStatus setReadOnly(const std::string& path, bool readOnly) override {
        log.push_back(std::string(readOnly ? "readonly " : "writable ") + path);
        if (files_.count(fold(path)) == 0) {
            return platform::FsStatus::NotFound;
        }
        if (readOnly) {
            readOnly_.insert(fold(path));
        } else {
            readOnly_.erase(fold(path));
        }
        return platform::FsStatus::Ok;
    }

    bool fileExists(const std::string& path) override { return files_.count(fold(path)) != 0; }

    bool directoryExists(const std::string& path) override {
        if (path.size() >= 2 && path[1] == ':' && !driveReady(path[0])) {
            return false;
        }
        return hasDirectory(path);
    }

    std::vector<std::string> subdirectories(const std::string& path) override {
        std::vector<std::string> names;
        for (const auto& [key, actual] : dirs_) {
            if (actual.size() > 3 && fold(parentOf(actual)) == fold(trimmed(path))) {
                names.push_back(actual.substr(actual.rfind('\\') + 1));
            }
        }
        std::sort(names.begin(), names.end(),
                  [](const std::string& a, const std::string& b) { return fold(a) < fold(b); });
        return names;
    }

    std::vector<char> drives() override {
        std::vector<char> letters;
        for (const auto& [letter, ready] : drives_) {
            letters.push_back(letter);
        }
        return letters;
    }
    bool driveReady(char letter) override {
        auto it = drives_.find(lower(letter));
        return it != drives_.end() && it->second;
    }
    std::string currentDirectoryOfDrive(char letter) override {
        auto it = currentDirs_.find(lower(letter));
        return it != currentDirs_.end() ? it->second : std::string{upper(letter), ':', '\\'};
    }
    std::string getEnvironment(const std::string& name) override {
        auto it = environment_.find(name);
        return it == environment_.end() ? std::string() : it->second;
    }
    std::string programFolder() override { return programFolder_; }
    std::string knownProgramFilesFolder() override { return knownProgramFiles_; }
    // Plays a Western code page: Latin-1 characters (UTF-8 lead bytes 0xC2,
    // 0xC3) fit, anything further on (Cyrillic, CJK) does not.
    bool fitsSystemCodePage(const std::string& text) override {
        return std::none_of(text.begin(), text.end(),
                            [](char c) { return static_cast<unsigned char>(c) >= 0xC4; });
    }
    void setKnownProgramFilesFolder(std::string path) { knownProgramFiles_ = std::move(path); }

    static std::string fold(std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return trimmed(text);
    }

private:
    static char lower(char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    static char upper(char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    static std::string trimmed(std::string path) {
        while (path.size() > 3 && path.back() == '\\') {
            path.pop_back();
        }
        return path;
    }
    static std::string parentOf(const std::string& path) {
        const std::string clean = trimmed(path);
        const auto at = clean.rfind('\\');
        if (at == std::string::npos) {
            return std::string();
        }
        return at <= 2 ? clean.substr(0, 3) : clean.substr(0, at);
    }

    std::map<char, bool> drives_;
    std::map<char, std::string> currentDirs_;
    std::map<std::string, std::string> dirs_;
    std::map<std::string, File> files_;
    std::map<std::string, std::string> environment_;
    std::set<std::string> locked_;
    std::set<std::string> readOnly_;
    std::set<std::string> failingFolders_;
    std::string programFolder_;
    std::string knownProgramFiles_;
};

} // namespace doubles
