#include "uninstall/removal.h"

#include "common/error.h"
#include "install/copy_temporary.h"
#include "probes/registry_key.h"
#include "uninstall/record_paths.h"

#include <algorithm>

namespace uninstall {

namespace {

using platform::FsStatus;
using platform::RegStatus;

class Removal {
public:
    explicit Removal(RemovalServices services) : services_(services) {}

    RemovalResult carryOut(const RemovalPlan& plan) {
        result_.refused = plan.refused;
        result_.manual = plan.manual;
        for (const Action& action : plan.actions) {
            try {
                perform(action);
            } catch (const common::SetupError&) {
                stay(action.path, "it could not be removed");
            }
        }
        return std::move(result_);
    }

private:
    void perform(const Action& action) {
        switch (action.kind) {
        case ActionKind::Unregister:
            return unregister(action);
        case ActionKind::RemoveFile:
        case ActionKind::RemoveSharedFile:
        case ActionKind::RemoveOwnProgram:
            return removeRecorded(action);
        case ActionKind::RemoveFolder:
            return removeFolder(action.path);
        case ActionKind::RemoveKey:
            return removeKey(action.path);
        case ActionKind::RemoveKeyWhenEmpty:
            return removeKeyWhenEmpty(action.path);
        }
    }

    void stay(std::string what, std::string why) {
        result_.stays.push_back({std::move(what), std::move(why)});
    }

    // A library whose registration cannot be removed is kept, so that the
    // registration never points at a file that is gone and can be retried.
    void unregister(const Action& action) {
        // A removal stopped earlier unregisters before it deletes, so a missing
        // library is no sign that its registration stays: said, not counted.
        if (!services_.files.fileExists(action.path)) {
            return result_.manual.push_back({"The registration of " + action.path,
                                             "The library is missing: it may be unregistered."});
        }
        const auto now = install::markOf(services_.files, action.path);
        std::string why;
        if (!now || !action.mark || *now != *action.mark) {
            why = "it is no longer the file the setup placed, so it was not run";
        } else if (unregisterFrom(action.path) < 0) {
            why = "its registration could not be removed";
        }
        if (!why.empty()) {
            keep_.push_back(action.path);
            stay(action.path, why + "; the file is kept");
        }
    }

    std::int32_t unregisterFrom(const std::string& path) {
        try {
            return services_.formLibrary.DllUnregisterServerFrom(path);
        } catch (const common::SetupError&) {
            return -1;
        }
    }

    bool kept(const std::string& path) const {
        return std::any_of(keep_.begin(), keep_.end(),
                           [&](const std::string& k) { return samePath(k, path); });
    }

    // A file already gone counts as removed: the user may have deleted it.
    void removeFile(const std::string& path) {
        if (kept(path) || !services_.files.fileExists(path)) {
            return;
        }
        platform::FileSystem& files = services_.files;
        FsStatus status = files.deleteFile(path);
        if (status == FsStatus::AccessDenied && files.isReadOnly(path) &&
            files.setReadOnly(path, false) == FsStatus::Ok) {
            status = files.deleteFile(path);
            if (status != FsStatus::Ok) {
                files.setReadOnly(path, true); // as the user had it
            }
        }
        if (status == FsStatus::Ok || status == FsStatus::NotFound) {
            result_.removed.push_back(path);
        } else {
            stay(path, "it is in use by another program, or may not be deleted");
        }
    }

    // Only while it is still the file the setup placed. Where the setup was
    // cut while placing it, the file is taken for the setup's when no file
    // of another's had the name, and the copy's temporary goes with it.
    void removeRecorded(const Action& action) {
        platform::FileSystem& files = services_.files;
        if (action.pending != install::Pending::No) {
            for (int attempt = 0; attempt < Geral::kCopyTemporaryAttempts; ++attempt) {
                const std::string stale = Geral::copyTemporaryName(action.path, attempt);
                if (files.fileExists(stale)) {
                    removeFile(stale);
                }
            }
        }
        if (kept(action.path) || !files.fileExists(action.path)) {
            return;
        }
        if (action.pending == install::Pending::OverOther) {
            return stay(action.path, "the setup stopped while replacing it: it may be another's");
        }
        if (action.pending == install::Pending::No) {
            const auto now = install::markOf(files, action.path);
            if (!now) {
                return stay(action.path, "it cannot be read to tell whether it is still the "
                                         "setup's copy (another program may hold it open)");
            }
            if (*now != *action.mark) {
                return stay(action.path, "it is no longer the file the setup placed (another "
                                         "program may have replaced it)");
            }
        }
        if (action.kind == ActionKind::RemoveOwnProgram && services_.setAside &&
            services_.setAside(action.path)) {
            result_.removed.push_back(action.path);
            return;
        }
        removeFile(action.path);
    }

    void removeFolder(const std::string& path) {
        platform::FileSystem& files = services_.files;
        if (!files.directoryExists(path)) {
            return;
        }
        if (files.removeDirectory(path) == FsStatus::Ok) {
            result_.removed.push_back(path);
            return;
        }
        const std::vector<std::string> left = files.entries(path);
        std::string names;
        for (const std::string& name : left) {
            names += (names.empty() ? "" : ", ") + name;
        }
        stay(path, left.empty() ? "it could not be removed"
                                : "it still holds files the setup did not place or could not "
                                  "remove: " +
                                      names);
    }

    void removeKey(const std::string& path) {
        const RegStatus status = services_.registry.deleteKey(platform::kHkeyCurrentUser, path);
        if (status == RegStatus::Ok) {
            result_.removed.push_back("HKEY_CURRENT_USER\\" + path);
        } else if (status != RegStatus::NotFound) {
            stay("HKEY_CURRENT_USER\\" + path, "the registry key could not be removed");
        }
    }

    // The maker's key may hold other products' keys: it goes only when empty.
    void removeKeyWhenEmpty(const std::string& path) {
        bool empty = false;
        {
            HandleRegistry::RegistryKey key = HandleRegistry::RegistryKey::openExisting(
                services_.registry, platform::kHkeyCurrentUser, path);
            empty = key && key.empty();
        }
        if (empty) {
            removeKey(path);
        }
    }

    RemovalServices services_;
    RemovalResult result_;
    std::vector<std::string> keep_;
};

} // namespace

RemovalResult carryOut(RemovalServices services, const RemovalPlan& plan) {
    return Removal(services).carryOut(plan);
}

std::vector<std::string> SystemFolders(platform::FileSystem& files) {
    std::vector<std::string> folders;
    for (const char* name : {"WINDIR", "SystemRoot"}) {
        const std::string folder = files.getEnvironment(name);
        if (!folder.empty()) {
            folders.push_back(folder);
        }
    }
    return folders;
}

std::optional<RemovalResult> Uninstall(RemovalServices services) {
    const auto record = install::readInstallRecord(services.registry);
    if (!record) {
        return std::nullopt;
    }
    return carryOut(services, planRemoval(*record, SystemFolders(services.files)));
}

int exitCodeOf(const std::optional<RemovalResult>& result) {
    if (!result) {
        return kExitNothingInstalled;
    }
    return result->complete() ? kExitRemoved : kExitSomethingStays;
}

} // namespace uninstall
