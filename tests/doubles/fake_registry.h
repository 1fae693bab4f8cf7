#pragma once

#include "platform/registry.h"
#include "tests/doubles/journal.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace doubles {

// An in-memory registry with the observable behaviour of the real one: keys
// and value names compare case-insensitively, a create makes missing keys (and
// their parents) and reports the disposition, a query reports the bytes a
// value occupies and refuses a buffer that is too small.
class FakeRegistry : public platform::RegistryService, public Journaled {
public:
    struct Value {
        std::uint32_t type = platform::kRegSz;
        std::vector<unsigned char> bytes;
        std::string name; // in the case it was stored with
    };

    // Test set-up: a string value stored with its terminating NUL, as most writers do.
    void putString(platform::RegRoot root, const std::string& path, const std::string& name,
                   const std::string& text) {
        std::vector<unsigned char> bytes(text.begin(), text.end());
        bytes.push_back(0);
        putRaw(root, path, name, platform::kRegSz, std::move(bytes));
    }
    void putRaw(platform::RegRoot root, const std::string& path, const std::string& name,
                std::uint32_t type, std::vector<unsigned char> bytes) {
        makeKey(root, path);
        keys_[keyId(root, path)][fold(name)] = Value{type, std::move(bytes), name};
    }
    void putKey(platform::RegRoot root, const std::string& path) { makeKey(root, path); }
    bool hasKey(platform::RegRoot root, const std::string& path) const {
        return keys_.count(keyId(root, path)) != 0;
    }
    const Value* value(platform::RegRoot root, const std::string& path,
                       const std::string& name) const {
        auto key = keys_.find(keyId(root, path));
        if (key == keys_.end()) {
            return nullptr;
        }
        auto it = key->second.find(fold(name));
        return it == key->second.end() ? nullptr : &it->second;
    }
    std::size_t valueCount(platform::RegRoot root, const std::string& path) const {
        auto key = keys_.find(keyId(root, path));
        return key == keys_.end() ? 0 : key->second.size();
    }
    // A key under which the user has read rights only (full access is refused),
    // or a root where nothing may be created or opened with full access.
    void denyFullAccess(platform::RegRoot root, const std::string& path) {
        readOnly_.insert(keyId(root, path));
    }
    void denyRoot(platform::RegRoot root) { deniedRoots_.insert(root); }

    std::size_t openKeys() const { return open_.size(); }
    int createCalls = 0;
    int readOnlyOpens = 0;
    int setCalls = 0;

    platform::RegStatus createKey(platform::RegRoot root, const std::string& subKey,
                                  platform::RegKey& key,
                                  platform::RegDisposition& disposition) override {
        ++createCalls;
        const std::string id = keyId(root, subKey);
        if (deniedRoots_.count(root) != 0 || readOnly_.count(id) != 0) {
            return platform::RegStatus::AccessDenied;
        }
        disposition = keys_.count(id) != 0 ? platform::RegDisposition::OpenedExistingKey
                                           : platform::RegDisposition::CreatedNewKey;
        makeKey(root, subKey);
        key = ++lastHandle_;
        open_[key] = id;
        return platform::RegStatus::Ok;
    }

    platform::RegStatus openKeyReadOnly(platform::RegRoot root, const std::string& subKey,
                                        platform::RegKey& key) override {
        ++readOnlyOpens;
        const std::string id = keyId(root, subKey);
        if (keys_.count(id) == 0) {
            return platform::RegStatus::NotFound;
        }
        key = ++lastHandle_;
        open_[key] = id;
        readOnlyHandles_.insert(key);
        return platform::RegStatus::Ok;
    }

    platform::RegStatus queryValue(platform::RegKey key, const std::string& valueName,
                                   std::uint32_t& type, unsigned char* data,
                                   std::uint32_t& byteCount) override {
        auto handle = open_.find(key);
        if (handle == open_.end()) {
            return platform::RegStatus::Failed;
        }
        auto& values = keys_[handle->second];
        auto it = values.find(fold(valueName));
        if (it == values.end()) {
            return platform::RegStatus::NotFound;
        }
        const auto size = static_cast<std::uint32_t>(it->second.bytes.size());
        type = it->second.type;
        if (data == nullptr) {
            byteCount = size;
            return platform::RegStatus::Ok;
        }
        if (size > byteCount) {
            byteCount = size;
            return platform::RegStatus::MoreData;
        }
        std::copy(it->second.bytes.begin(), it->second.bytes.end(), data);
        byteCount = size;
        return platform::RegStatus::Ok;
    }

    platform::RegStatus setValue(platform::RegKey key, const std::string& valueName,
                                 std::uint32_t type, const unsigned char* data,
                                 std::uint32_t byteCount) override {
        note("registry " + valueName);
        ++setCalls;
        auto handle = open_.find(key);
        if (handle == open_.end() || readOnlyHandles_.count(key) != 0) {
            return platform::RegStatus::AccessDenied;
        }
        keys_[handle->second][fold(valueName)] = Value{type, {data, data + byteCount}, valueName};
        return platform::RegStatus::Ok;
    }

    void closeKey(platform::RegKey key) override {
        open_.erase(key);
        readOnlyHandles_.erase(key);
    }

    // As Windows NT does: a key that still has subkeys is refused.
    platform::RegStatus deleteKey(platform::RegRoot root, const std::string& subKey) override {
        const std::string id = keyId(root, subKey);
        if (keys_.count(id) == 0) {
            return platform::RegStatus::NotFound;
        }
        if (deniedRoots_.count(root) != 0 || readOnly_.count(id) != 0 || !childrenOf(id).empty()) {
            return platform::RegStatus::AccessDenied;
        }
        keys_.erase(id);
        keyNames_.erase(id);
        return platform::RegStatus::Ok;
    }

    platform::RegStatus valueNames(platform::RegKey key, std::vector<std::string>& names) override {
        auto handle = open_.find(key);
        if (handle == open_.end()) {
            return platform::RegStatus::Failed;
        }
        names.clear();
        for (const auto& [folded, value] : keys_[handle->second]) {
            names.push_back(value.name.empty() ? folded : value.name);
        }
        return platform::RegStatus::Ok;
    }

    platform::RegStatus subkeyNames(platform::RegKey key,
                                    std::vector<std::string>& names) override {
        auto handle = open_.find(key);
        if (handle == open_.end()) {
            return platform::RegStatus::Failed;
        }
        names = childrenOf(handle->second);
        return platform::RegStatus::Ok;
    }

private:
    static std::string fold(std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    }
    static std::string keyId(platform::RegRoot root, const std::string& path) {
        return std::to_string(root) + "\\" + fold(path);
    }
    void makeKey(platform::RegRoot root, const std::string& path) {
        for (std::size_t at = path.find('\\'); at != std::string::npos;
             at = path.find('\\', at + 1)) {
            nameKey(keyId(root, path.substr(0, at)), path.substr(0, at));
        }
        nameKey(keyId(root, path), path);
    }
    void nameKey(const std::string& id, const std::string& path) {
        keys_[id];
        keyNames_.emplace(id, path.substr(path.rfind('\\') + 1));
    }
    // The names of the keys directly under `id`, in their stored case.
    std::vector<std::string> childrenOf(const std::string& id) const {
        std::vector<std::string> names;
        const std::string prefix = id + "\\";
        for (const auto& [child, name] : keyNames_) {
            if (child.compare(0, prefix.size(), prefix) == 0 &&
                child.find('\\', prefix.size()) == std::string::npos) {
                names.push_back(name);
            }
        }
        return names;
    }

    std::map<std::string, std::map<std::string, Value>> keys_;
    std::map<std::string, std::string> keyNames_; // key id -> its own name, stored case
    std::map<platform::RegKey, std::string> open_;
    std::set<platform::RegKey> readOnlyHandles_;
    std::set<std::string> readOnly_;
    std::set<platform::RegRoot> deniedRoots_;
    platform::RegKey lastHandle_ = 0x100;
};

} // namespace doubles
