#include "uninstall/removal_plan.h"

#include "install/run_install.h"
#include "uninstall/record_paths.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace uninstall {

namespace {

using install::FolderRole;

// The one library of the product that registers itself.
constexpr const char* kSelfRegisteringLibrary = "QuinFrm.dll";

struct Folder {
    std::string path;
    FolderRole role;
};

bool shared(FolderRole role) {
    return role == FolderRole::Excel || role == FolderRole::Startup;
}

class Planner {
public:
    RemovalPlan plan(const install::InstallRecord& record) {
        for (const install::RecordedFolder& folder : record.folders) {
            admitFolder(folder);
        }
        for (const install::PlacedFile& file : record.files) {
            admitFile(file);
        }
        order();
        planRegistry();
        planManualSteps(record);
        return std::move(plan_);
    }

private:
    void refuse(std::string entry, std::string reason) {
        plan_.refused.push_back({std::move(entry), std::move(reason)});
    }

    void admitFolder(const install::RecordedFolder& folder) {
        if (!folder.role) {
            refuse(folder.path, "a folder of a kind this uninstaller does not know");
        } else if (const auto why = WhyRefused(folder.path)) {
            refuse(folder.path, "a recorded folder that is " + *why);
        } else {
            folders_.push_back({Normalised(folder.path), *folder.role});
        }
    }

    // Shared wins where a folder is recorded in both kinds of role (the
    // install folder chosen inside the spreadsheet's folder, say).
    std::optional<FolderRole> roleOfParent(const std::string& path) const {
        std::optional<FolderRole> found;
        for (const Folder& folder : folders_) {
            if (SamePath(folder.path, ParentOf(path)) && (!found || shared(folder.role))) {
                found = folder.role;
            }
        }
        return found;
    }

    void admitFile(const install::PlacedFile& file) {
        if (const auto why = WhyRefused(file.path)) {
            return refuse(file.path, "a recorded file that is " + *why);
        }
        const auto role = roleOfParent(file.path);
        if (!role) {
            return refuse(file.path, "outside the recorded folders");
        }
        if (shared(*role)) {
            if (!file.mark) {
                return refuse(file.path, "its recorded size and hash are damaged");
            }
            return sharedFiles_.push_back({ActionKind::RemoveSharedFile, file.path, file.mark});
        }
        auto& list = *role == FolderRole::Menu ? shortcuts_ : ownFiles_;
        list.push_back({ActionKind::RemoveFile, file.path, file.mark});
        if (*role == FolderRole::Install && SamePath(NameOf(file.path), kSelfRegisteringLibrary)) {
            unregisters_.push_back({ActionKind::Unregister, file.path, file.mark});
        }
    }

    void order() {
        // Deepest first, so that a folder inside another is emptied before
        // it; folders of one depth keep the record's order.
        const auto depthOf = [](const Folder& f) {
            return std::count(f.path.begin(), f.path.end(), '\\');
        };
        std::vector<Folder> own;
        std::ptrdiff_t deepest = 0;
        for (const Folder& folder : folders_) {
            deepest = std::max(deepest, depthOf(folder));
        }
        for (std::ptrdiff_t depth = deepest; depth >= 0; --depth) {
            for (const Folder& folder : folders_) {
                if (!shared(folder.role) && depthOf(folder) == depth) {
                    own.push_back(folder);
                }
            }
        }
        auto& actions = plan_.actions;
        for (const auto* list : {&unregisters_, &shortcuts_, &ownFiles_, &sharedFiles_}) {
            actions.insert(actions.end(), list->begin(), list->end());
        }
        for (const Folder& folder : own) {
            const bool planned = std::any_of(actions.begin(), actions.end(), [&](const Action& a) {
                return a.kind == ActionKind::RemoveFolder && SamePath(a.path, folder.path);
            });
            if (!planned) {
                actions.push_back({ActionKind::RemoveFolder, folder.path});
            }
        }
    }

    void planRegistry() {
        const std::string product = install::kProductKey;
        plan_.actions.push_back({ActionKind::RemoveKey, product});
        plan_.actions.push_back({ActionKind::RemoveKeyWhenEmpty, ParentOf(product)});
        const std::string entry = install::kUninstallKey;
        for (const char* subkey : {install::kFoldersSubkey, install::kFilesSubkey,
                                   install::kHandheldSubkey, install::kConduitSubkey}) {
            plan_.actions.push_back({ActionKind::RemoveKey, entry + "\\" + subkey});
        }
        plan_.actions.push_back({ActionKind::RemoveKey, entry});
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

    RemovalPlan plan_;
    std::vector<Folder> folders_;
    std::vector<Action> unregisters_, shortcuts_, ownFiles_, sharedFiles_;
};

} // namespace

RemovalPlan PlanRemoval(const install::InstallRecord& record) {
    return Planner().plan(record);
}

} // namespace uninstall
