#include "install/record_installation.h"

#include <algorithm>

namespace install {

namespace {

// The run's own name for the step (run_install.cpp).
constexpr const char* kConduitStep = "conduit registration";

bool listed(const InstallReport& report, const std::string& what) {
    return std::find(report.failed.begin(), report.failed.end(), what) != report.failed.end();
}

void addFolder(InstallRecord& record, const std::string& path, FolderRole role) {
    if (isUsableFolder(path)) {
        record.folders.push_back({path, role});
    }
}

void addFile(InstallRecord& record, platform::FileSystem& files, const std::string& path) {
    if (const auto mark = MarkOf(files, path)) {
        record.files.push_back({path, *mark});
    }
}

// The tool library adds the link file's extension: ".url" for a web address,
// ".lnk" otherwise; a library that adds none leaves the path as given.
void addShortcut(InstallRecord& record, platform::FileSystem& files, const std::string& link) {
    for (const char* extension : {".lnk", ".url", ""}) {
        if (files.fileExists(link + extension)) {
            addFile(record, files, link + extension);
            return;
        }
    }
}

void addHandheld(InstallRecord& record, const Folders& folders, const std::string& userName,
                 const InstallReport& report) {
    HandedOver given{userName, {}};
    for (const HandheldEntry& entry : manifest().handheldFiles) {
        if (!listed(report, entry.fallbackDestination.formed(folders))) {
            given.names.push_back(entry.queued.literal.substr(1)); // without its backslash
        }
    }
    if (!given.names.empty()) {
        record.handheld.push_back(std::move(given));
    }
}

} // namespace

InstallRecord RecordOfRun(platform::FileSystem& files, const Folders& folders,
                          const std::string& userName, const InstallReport& report) {
    InstallRecord record;
    record.installDir = folders.installDir;
    addFolder(record, folders.installDir, FolderRole::Install);
    // The spreadsheet folder carries its trailing backslash; the record does not.
    const std::string& excel = folders.excelDir;
    addFolder(record, excel.empty() ? excel : excel.substr(0, excel.size() - 1), FolderRole::Excel);
    addFolder(record, folders.startupPath, FolderRole::Startup);
    addFolder(record, manifest().folder("F1").folder.formed(folders), FolderRole::Menu);

    for (const CopyEntry& entry : manifest().copies) {
        const auto path = entry.destination.resolve(folders);
        if (!entry.temporary && path && !listed(report, entry.destination.formed(folders))) {
            addFile(record, files, *path);
        }
    }
    for (const ShortcutEntry& entry : manifest().shortcuts) {
        const auto link = entry.link.resolve(folders);
        if (link && !listed(report, "shortcut " + entry.link.formed(folders))) {
            addShortcut(record, files, *link);
        }
    }
    addHandheld(record, folders, userName, report);
    if (isUsableFolder(folders.installDir) && !listed(report, kConduitStep)) {
        record.conduitFolders.push_back(folders.installDir);
    }
    return record;
}

void RecordInstallation(platform::Machine& machine, const Folders& folders,
                        const std::string& userName, InstallReport& report) {
    const CopyEntry& uninstaller = manifest().copy("C13");
    const auto placed = uninstaller.destination.resolve(folders);
    if (!placed || listed(report, uninstaller.destination.formed(folders)) ||
        !machine.files.fileExists(*placed)) {
        return;
    }
    const InstallRecord fresh = RecordOfRun(machine.files, folders, userName, report);
    const std::optional<InstallRecord> earlier = ReadInstallRecord(machine.registry);
    const InstallRecord merged = earlier ? MergeRecords(*earlier, fresh) : fresh;
    if (!WriteInstallRecord(machine.registry, merged)) {
        report.failed.push_back(kRecordStep);
    }
}

} // namespace install
