#include "install/record/install_record.h"

#include "common/text_rules.h"
#include "install/record/product.h"
#include "probes/registry_key.h"

#include <algorithm>

#ifndef Q4P_PRODUCT_VERSION
#error "The build defines Q4P_PRODUCT_VERSION from the project's version"
#endif

namespace install {

using HandleRegistry::RegistryKey;

namespace {

constexpr const char* kDisplayName = "Quintara4Palm";
constexpr const char* kPublisher = "Quintara";

// Adds or replaces, by a name that compares without regard to case.
template <typename Entry, typename NameOf>
void mergeInto(std::vector<Entry>& into, const std::vector<Entry>& from, NameOf nameOf) {
    for (const Entry& entry : from) {
        auto same = std::find_if(into.begin(), into.end(), [&](const Entry& existing) {
            return common::equalsIgnoringAsciiCase(nameOf(existing), nameOf(entry));
        });
        if (same == into.end()) {
            into.push_back(entry);
        } else {
            *same = entry;
        }
    }
}

std::string joinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        joined += (joined.empty() ? "" : std::string(1, kHandheldNameSeparator)) + name;
    }
    return joined;
}

bool setEntryValues(RegistryKey& key, const InstallRecord& record) {
    const std::string uninstaller = record.installDir + "\\" + kUninstallerName;
    const std::string quoted = "\"" + uninstaller + "\"";
    bool ok = key.setString("DisplayName", kDisplayName);
    ok = key.setString("DisplayVersion", Q4P_PRODUCT_VERSION) && ok;
    ok = key.setString("Publisher", kPublisher) && ok;
    ok = key.setString("URLInfoAbout", kProductSite) && ok;
    ok = key.setString("InstallLocation", record.installDir) && ok;
    ok = key.setString("UninstallString", quoted) && ok;
    ok = key.setString("QuietUninstallString", quoted + " /S") && ok;
    ok = key.setString("DisplayIcon", uninstaller + ",0") && ok;
    ok = key.setDword("EstimatedSize", EstimatedSizeKiB(record)) && ok;
    ok = key.setDword("NoModify", 1) && ok;
    ok = key.setDword("NoRepair", 1) && ok;
    return ok;
}

// One subkey of the record: each pair written as a string value.
template <typename Entry, typename Write>
bool writeList(platform::RegistryService& registry, const char* subkey,
               const std::vector<Entry>& entries, Write write) {
    RegistryKey key = RegistryKey::create(registry, platform::kHkeyCurrentUser,
                                          std::string(kUninstallKey) + "\\" + subkey);
    bool ok = static_cast<bool>(key);
    for (const Entry& entry : entries) {
        ok = write(key, entry) && ok;
    }
    return ok;
}

} // namespace

InstallRecord mergeRecords(const InstallRecord& earlier, const InstallRecord& later) {
    InstallRecord merged = earlier;
    merged.installDir = later.installDir.empty() ? earlier.installDir : later.installDir;
    for (RecordedFolder folder : later.folders) {
        // A folder the first run made stays the setup's when a rerun finds it there.
        for (const RecordedFolder& before : earlier.folders) {
            folder.made =
                folder.made ||
                (common::equalsIgnoringAsciiCase(before.path, folder.path) && before.made);
        }
        mergeInto(merged.folders, {folder}, [](const RecordedFolder& f) { return f.path; });
    }
    mergeInto(merged.files, later.files, [](const PlacedFile& f) { return f.path; });
    for (const HandedOver& given : later.handheld) {
        auto same = std::find_if(merged.handheld.begin(), merged.handheld.end(),
                                 [&](const HandedOver& h) { return h.user == given.user; });
        if (same == merged.handheld.end()) {
            merged.handheld.push_back(given);
            continue;
        }
        for (const std::string& name : given.names) {
            if (std::none_of(same->names.begin(), same->names.end(), [&](const std::string& n) {
                    return common::equalsIgnoringAsciiCase(n, name);
                })) {
                same->names.push_back(name);
            }
        }
    }
    mergeInto(merged.conduitFolders, later.conduitFolders, [](const std::string& f) { return f; });
    return merged;
}

std::uint32_t EstimatedSizeKiB(const InstallRecord& record) {
    std::uint64_t bytes = 0;
    for (const PlacedFile& file : record.files) {
        bytes += file.mark && file.pending == Pending::No ? file.mark->size : 0;
    }
    const std::uint64_t kib = (bytes + 1023) / 1024;
    return kib > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(kib);
}

bool writeInstallRecord(platform::RegistryService& registry, const InstallRecord& record) {
    RegistryKey key = RegistryKey::create(registry, platform::kHkeyCurrentUser, kUninstallKey);
    bool ok = key && setEntryValues(key, record);
    ok = writeList(registry, kFoldersSubkey, record.folders,
                   [](RegistryKey& k, const RecordedFolder& f) {
                       // A role or mark read back damaged is left as it is stored.
                       return !f.role || k.setString(f.path, folderData(f));
                   }) &&
         ok;
    ok = writeList(registry, kFilesSubkey, record.files,
                   [](RegistryKey& k, const PlacedFile& f) {
                       const std::string data = fileData(f);
                       return data.empty() || k.setString(f.path, data);
                   }) &&
         ok;
    ok = writeList(registry, kHandheldSubkey, record.handheld,
                   [](RegistryKey& k, const HandedOver& h) {
                       return k.setString(h.user, joinNames(h.names));
                   }) &&
         ok;
    ok = writeList(
             registry, kConduitSubkey, record.conduitFolders,
             [](RegistryKey& k, const std::string& folder) { return k.setString(folder, ""); }) &&
         ok;
    return ok;
}

bool writeEntryValues(platform::RegistryService& registry, const InstallRecord& record) {
    RegistryKey key = RegistryKey::create(registry, platform::kHkeyCurrentUser, kUninstallKey);
    return key && setEntryValues(key, record);
}

bool writeRecordValue(platform::RegistryService& registry, const char* subkey,
                      const std::string& name, const std::string& data) {
    RegistryKey key = RegistryKey::create(registry, platform::kHkeyCurrentUser,
                                          std::string(kUninstallKey) + "\\" + subkey);
    return key && key.setString(name, data);
}

} // namespace install
