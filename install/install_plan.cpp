#include "install/install_plan.h"

#include "common/text_rules.h"

#include <algorithm>

namespace install {

namespace {

// The uninstaller is placed first of all files (see planInstall); the rest
// keep the manifest's order.
constexpr const char* kUninstallerCopy = "C13";

class Planner {
public:
    Planner(platform::FileSystem& files, const Folders& folders,
            const std::optional<InstallRecord>& earlier)
        : files_(files), folders_(folders), earlier_(earlier) {}

    std::vector<Step> plan() {
        const Manifest& m = manifest();
        for (const FolderEntry& entry : m.folders) {
            Step step{StepKind::MakeFolder};
            step.folder = &entry;
            add(step);
        }
        copy(m.copy(kUninstallerCopy));
        copies("C1", "C4");
        for (const HandheldEntry& entry : m.handheldFiles) {
            Step step{StepKind::Handheld};
            step.handheld = &entry;
            add(step);
        }
        copies("C5", "C18");
        add(Step{StepKind::ReadStartupPath});
        copies("C19", "C19");
        add(Step{StepKind::RegisterConduit});
        shortcut(m.shortcut("S1"));
        copies("C20", "C20");
        for (const char* label : {"S2", "S3", "S4"}) {
            shortcut(m.shortcut(label));
        }
        for (const CopyEntry& entry : m.copies) {
            if (entry.temporary) {
                Step step{StepKind::RemoveTemporary};
                step.copy = &entry;
                add(step);
            }
        }
        for (std::size_t value = 0; value < kProductValueCount; ++value) {
            Step step{StepKind::WriteProductValue};
            step.productValue = value;
            add(step);
        }
        return std::move(steps_);
    }

private:
    void add(const Step& step) { steps_.push_back(step); }

    // Every copy from `first` to `last` in manifest order, but the uninstaller's.
    void copies(const char* first, const char* last) {
        const auto& all = manifest().copies;
        bool inside = false;
        for (const CopyEntry& entry : all) {
            inside = inside || entry.label == first;
            if (inside && entry.label != kUninstallerCopy) {
                copy(entry);
            }
            if (entry.label == last) {
                return;
            }
        }
    }

    void copy(const CopyEntry& entry) {
        Step step{StepKind::Copy};
        step.copy = &entry;
        if (entry.destination.base != Base::Startup) {
            step.foreign = foreign(entry.destination.resolve(folders_));
        }
        add(step);
    }

    void shortcut(const ShortcutEntry& entry) {
        Step step{StepKind::Shortcut};
        step.shortcut = &entry;
        add(step);
    }

    bool foreign(const std::optional<std::string>& path) const {
        if (!path || !files_.fileExists(*path)) {
            return false;
        }
        return !earlier_ || std::none_of(earlier_->files.begin(), earlier_->files.end(),
                                         [&](const PlacedFile& f) {
                                             return common::equalsIgnoringAsciiCase(f.path, *path);
                                         });
    }

    platform::FileSystem& files_;
    const Folders& folders_;
    const std::optional<InstallRecord>& earlier_;
    std::vector<Step> steps_;
};

void addFolder(InstallRecord& record, const std::string& path, FolderRole role, bool made) {
    if (role == FolderRole::Install ? isInstallableFolder(path) : isUsableFolder(path)) {
        record.folders.push_back({path, role, made});
    }
}

} // namespace

std::vector<Step> planInstall(platform::FileSystem& files, const Folders& folders,
                              const std::optional<InstallRecord>& earlier) {
    return Planner(files, folders, earlier).plan();
}

std::vector<RecordedFolder> KnownFolders(const Folders& folders, bool madeMenu, bool madeInstall) {
    InstallRecord record;
    addFolder(record, folders.installDir, FolderRole::Install, madeInstall);
    // The spreadsheet folder carries its trailing backslash; the record does not.
    const std::string& excel = folders.excelDir;
    addFolder(record, excel.empty() ? excel : excel.substr(0, excel.size() - 1), FolderRole::Excel,
              false);
    addFolder(record, folders.startupPath, FolderRole::Startup, false);
    addFolder(record, manifest().folder("F1").folder.formed(folders), FolderRole::Menu, madeMenu);
    return record.folders;
}

InstallRecord recordOf(const std::vector<Step>& plan, const std::vector<StepResult>& results,
                       const Folders& folders, const std::string& userName) {
    InstallRecord record;
    record.installDir = folders.installDir;
    bool made[2] = {false, false};
    HandedOver given{userName, {}};
    for (std::size_t i = 0; i < plan.size() && i < results.size(); ++i) {
        const Step& step = plan[i];
        const StepResult& result = results[i];
        if (result.outcome != Outcome::Done) {
            continue;
        }
        switch (step.kind) {
        case StepKind::MakeFolder:
            made[step.folder == &manifest().folders[0] ? 0 : 1] = result.madeFolder;
            break;
        case StepKind::Copy:
        case StepKind::Shortcut:
            if (!result.placed.empty()) {
                record.files.push_back(
                    {result.placed, result.mark, result.mark ? Pending::No : Pending::New});
            }
            break;
        case StepKind::Handheld:
            given.names.push_back(step.handheld->queued.literal.substr(1)); // without its backslash
            break;
        case StepKind::RegisterConduit:
            record.conduitFolders.push_back(folders.installDir);
            break;
        case StepKind::RemoveTemporary:
            for (PlacedFile& file : record.files) {
                if (common::equalsIgnoringAsciiCase(file.path, result.placed)) {
                    file = {file.path, std::nullopt, Pending::Removed};
                }
            }
            break;
        case StepKind::ReadStartupPath:
        case StepKind::WriteProductValue:
            break;
        }
    }
    record.folders = KnownFolders(folders, made[0], made[1]);
    if (!given.names.empty()) {
        record.handheld.push_back(std::move(given));
    }
    return record;
}

} // namespace install
