#include "uninstall/removal_plan.h"

#include "install/record/product.h"
#include "uninstall/record_paths.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace uninstall {

namespace {

using install::FolderRole;

// The one library of the product that registers itself.
constexpr const char* kSelfRegisteringLibrary = "QuinFrm.dll";

// The one name the product's Start-menu folder has.
constexpr const char* kMenuFolderName = "Quintara4Palm";

struct Folder {
    std::string path;
    FolderRole role;
    bool made;
};

bool shared(FolderRole role) {
    return role == FolderRole::Excel || role == FolderRole::Startup;
}

// The names the setup places in the spreadsheet's folders.
bool placedThere(FolderRole role, const std::string& name) {
    const char* const names[] = {"QuinConv.dll", "instaide.dll", "Quin4P.xla"};
    for (int i = role == FolderRole::Startup ? 2 : 0; i < (role == FolderRole::Excel ? 2 : 3);
         ++i) {
        if (samePath(name, names[i])) {
            return true;
        }
    }
    return false;
}

// The path is the folder or lies in it.
bool inside(std::string path, const std::string& folder) {
    for (; !path.empty(); path = parentOf(path)) {
        if (samePath(path, folder)) {
            return true;
        }
    }
    return false;
}

class Planner {
public:
    explicit Planner(const std::vector<std::string>& systemFolders)
        : systemFolders_(systemFolders) {}

    RemovalPlan plan(const install::InstallRecord& record) {
        for (const install::RecordedFolder& folder : record.folders) {
            admitFolder(folder);
        }
        for (const install::PlacedFile& file : record.files) {
            admitFile(file);
        }
        order();
        planManualSteps(record);
        return std::move(plan_);
    }

private:
    void refuse(std::string entry, std::string reason) {
        plan_.refused.push_back({std::move(entry), std::move(reason)});
    }

    void admitFolder(const install::RecordedFolder& folder) {
        const bool system =
            std::any_of(systemFolders_.begin(), systemFolders_.end(),
                        [&](const std::string& s) { return inside(folder.path, s); });
        if (!folder.role) {
            refuse(folder.path, "a folder of a kind this uninstaller does not know");
        } else if (const auto why = whyRefused(folder.path)) {
            refuse(folder.path, "a recorded folder that is " + *why);
        } else if (system) {
            refuse(folder.path, "the Windows folder, or a folder in it");
        } else if (*folder.role == FolderRole::Menu &&
                   !samePath(nameOf(folder.path), kMenuFolderName)) {
            refuse(folder.path, "not the product's Start-menu folder");
        } else {
            folders_.push_back({normalised(folder.path), *folder.role, folder.made});
        }
    }

    // Shared wins where a folder is recorded in both kinds of role (the
    // install folder chosen inside the spreadsheet's folder, say); there any
    // name of the product's may lie.
    std::optional<FolderRole> roleOfParent(const std::string& path, bool& ownToo) const {
        std::optional<FolderRole> found;
        for (const Folder& folder : folders_) {
            if (samePath(folder.path, parentOf(path))) {
                ownToo = ownToo || !shared(folder.role);
                if (!found || shared(folder.role)) {
                    found = folder.role;
                }
            }
        }
        return found;
    }

    void admitFile(const install::PlacedFile& file) {
        if (const auto why = whyRefused(file.path)) {
            return refuse(file.path, "a recorded file that is " + *why);
        }
        bool ownToo = false;
        const auto role = roleOfParent(file.path, ownToo);
        if (!role) {
            return refuse(file.path, "outside the recorded folders");
        }
        if (!ownToo && !placedThere(*role, nameOf(file.path))) {
            return refuse(file.path, "not a file the setup places in that folder");
        }
        if (!file.mark && file.pending == install::Pending::No) {
            return refuse(file.path, "its recorded size and hash are damaged");
        }
        const Action action{ActionKind::RemoveFile, file.path, file.mark, file.pending};
        if (shared(*role)) {
            sharedFiles_.push_back(action);
            sharedFiles_.back().kind = ActionKind::RemoveSharedFile;
            return;
        }
        if (*role == FolderRole::Install &&
            samePath(nameOf(file.path), install::kUninstallerName)) {
            programs_.push_back(action);
            programs_.back().kind = ActionKind::RemoveOwnProgram;
            return;
        }
        (*role == FolderRole::Menu ? shortcuts_ : ownFiles_).push_back(action);
        if (*role == FolderRole::Install && file.mark &&
            samePath(nameOf(file.path), kSelfRegisteringLibrary)) {
            unregisters_.push_back({ActionKind::Unregister, file.path, file.mark});
        }
    }

    void order() {
        auto& actions = plan_.actions;
        for (const auto* list : {&unregisters_, &shortcuts_, &ownFiles_, &sharedFiles_}) {
            actions.insert(actions.end(), list->begin(), list->end());
        }
        const std::string product = install::kProductKey;
        actions.push_back({ActionKind::RemoveKey, product});
        actions.push_back({ActionKind::RemoveKeyWhenEmpty, parentOf(product)});
        actions.insert(actions.end(), programs_.begin(), programs_.end());
        addFolders();
        const std::string entry = install::kUninstallKey;
        for (const char* subkey : {install::kFoldersSubkey, install::kFilesSubkey,
                                   install::kHandheldSubkey, install::kConduitSubkey}) {
            actions.push_back({ActionKind::RemoveKey, entry + "\\" + subkey});
        }
        actions.push_back({ActionKind::RemoveKey, entry});
    }

    // The folders the setup made, deepest first, so that a folder inside
    // another is emptied before it; folders of one depth keep the record's
    // order.
    void addFolders() {
        const auto depthOf = [](const Folder& f) {
            return std::count(f.path.begin(), f.path.end(), '\\');
        };
        std::ptrdiff_t deepest = 0;
        for (const Folder& folder : folders_) {
            deepest = std::max(deepest, depthOf(folder));
        }
        auto& actions = plan_.actions;
        for (std::ptrdiff_t depth = deepest; depth >= 0; --depth) {
            for (const Folder& folder : folders_) {
                const bool planned =
                    std::any_of(actions.begin(), actions.end(), [&](const Action& a) {
                        return a.kind == ActionKind::RemoveFolder && samePath(a.path, folder.path);
                    });
                if (!shared(folder.role) && folder.made && depthOf(folder) == depth && !planned) {
                    actions.push_back({ActionKind::RemoveFolder, folder.path});
                }
            }
        }
    }

    void planManualSteps(const install::InstallRecord& record) {
        for (const install::HandedOver& given : record.handheld) {
            std::string names;
            for (const std::string& name : given.names) {
                names += (names.empty() ? "" : ", ") + name;
            }
            plan_.manual.push_back(
                {"The handheld files " + names +
                     " handed to the install queue of the handheld "
                     "user \"" +
                     given.user + "\"",
                 "They stay for the handheld. Delete them on the handheld; before its next "
                 "synchronization, remove them from the user's install queue in the handheld "
                 "desktop software instead."});
        }
        for (const std::string& folder : record.conduitFolders) {
            plan_.manual.push_back(
                {"The synchronization conduit registered for " + folder,
                 "Its installer offers no removal. Remove the Quintara4Palm conduit in the "
                 "handheld desktop software's conduit settings."});
        }
    }

    const std::vector<std::string>& systemFolders_;
    RemovalPlan plan_;
    std::vector<Folder> folders_;
    std::vector<Action> unregisters_, shortcuts_, ownFiles_, sharedFiles_, programs_;
};

} // namespace

RemovalPlan planRemoval(const install::InstallRecord& record,
                        const std::vector<std::string>& systemFolders) {
    return Planner(systemFolders).plan(record);
}

} // namespace uninstall
