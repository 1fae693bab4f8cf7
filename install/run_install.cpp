#include "install/run_install.h"

#include "handheld/pilot.h"
#include "install/manifest.h"
#include "install/record_installation.h"
#include "platform/registry.h"
#include "probes/probes.h"
#include "probes/registry.h"

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <utility>

namespace install {

namespace {

struct RegistryValue {
    const char* name;
    const char* data; // null: the install folder
};

// The form values are twips, the same in every run; the chosen handheld user is
// deliberately not remembered.
constexpr RegistryValue kRegistryValues[] = {
    {kInstallDirValue, nullptr}, {"formHeight", "3405"},  {"formWidth", "2355"},
    {"formXScreen", "6120"},     {"formYScreen", "4185"}, {"LastUserName", ""},
};

// One installation run: the steps, and what failed so far.
class Run {
public:
    Run(platform::Machine& machine, const InstallInputs& inputs)
        : machine_(machine), userName_(inputs.userName) {
        folders_.setupDir = inputs.setupDir;
        folders_.installDir = inputs.installDir;
        folders_.excelDir = inputs.excelDir;
        folders_.programsDir = inputs.programsDir;
        folders_.userDir = inputs.userDir;
    }

    InstallReport perform() {
        makeFolders({"F1", "F2"});
        copy({"C1", "C2", "C3", "C4"});
        queue({"H1", "H2", "H3", "H4", "H5"});
        copy({"C5", "C6", "C7", "C8", "C9"});
        copy({"C10", "C11"});
        copy({"C12", "C13", "C14", "C15", "C16", "C17", "C18"});
        readStartupPath();
        copy({"C19"});
        registerConduit();
        makeShortcuts({"S1"});
        copy({"C20"});
        makeShortcuts({"S2", "S3", "S4"});
        removeTemporaries();
        writeRegistryValues();
        RecordInstallation(machine_, folders_, userName_, report_);
        return std::move(report_);
    }

private:
    using Labels = std::initializer_list<const char*>;

    // Runs one step; anything it raises abandons that step alone.
    template <typename Step> bool attempt(Step step) {
        try {
            return step();
        } catch (const std::exception&) {
            return false;
        }
    }

    void fail(std::string what) { report_.failed.push_back(std::move(what)); }

    void makeFolders(Labels labels) {
        for (const char* label : labels) {
            const ManifestPath& entryPath = manifest().folder(label).folder;
            const auto path = entryPath.resolve(folders_);
            const bool made = path && attempt([&] {
                                  switch (machine_.files.makeDirectory(*path)) {
                                  case platform::FsStatus::Ok:
                                      return true;
                                  case platform::FsStatus::AlreadyExists:
                                      // Also the answer when a file of that name is in the way.
                                      return machine_.files.directoryExists(*path);
                                  default:
                                      return false;
                                  }
                              });
            if (!made) {
                const std::string formed = entryPath.formed(folders_);
                fail(formed.empty() ? "the install folder (none was given)" : formed);
            }
        }
    }

    bool copyFile(const ManifestPath& source, const ManifestPath& destination) {
        const auto from = source.resolve(folders_);
        const auto to = destination.resolve(folders_);
        return from && to && attempt([&] {
                   Geral::CopyOneFile(machine_.files, *from, *to);
                   return true;
               });
    }

    void copy(Labels labels) {
        for (const char* label : labels) {
            const CopyEntry& entry = manifest().copy(label);
            if (entry.conditional && folders_.of(entry.destination.base).empty()) {
                continue;
            }
            if (entry.temporary && alreadyThere(entry.destination)) {
                continue;
            }
            if (!copyFile(entry.source, entry.destination)) {
                fail(entry.destination.formed(folders_));
            } else if (entry.temporary) {
                madeTemporaries_.push_back(&entry);
            }
        }
    }

    // A conduit library already in the install folder (the handheld desktop's
    // own folder, or the setup's media folder, chosen as the install folder)
    // is used as it is: it is neither replaced nor removed at the end.
    bool alreadyThere(const ManifestPath& destination) {
        const auto path = destination.resolve(folders_);
        return path && attempt([&] { return machine_.files.fileExists(*path); });
    }

    // A queue that cannot be reached counts as a refusal: the fallback copy is made.
    void queue(Labels labels) {
        for (const char* label : labels) {
            const HandheldEntry& entry = manifest().handheldFile(label);
            const auto file = entry.queued.resolve(folders_);
            const bool queued =
                file && attempt([&] {
                    return Pilot::InstallToHandheld(machine_.installAide, userName_, *file);
                });
            if (!queued && !copyFile(entry.fallbackSource, entry.fallbackDestination)) {
                fail(entry.fallbackDestination.formed(folders_));
            }
        }
    }

    // No automation object (or no spreadsheet program at all) leaves the path
    // empty, which only skips the add-in's copy into it.
    void readStartupPath() {
        try {
            folders_.startupPath = machine_.spreadsheet.readStartupPath();
        } catch (const std::exception&) {
            folders_.startupPath.clear();
        }
    }

    // The conduit installer's answer is not looked at: only a call that cannot
    // be made at all is a failure.
    void registerConduit() {
        const std::string& installDir = folders_.installDir;
        const bool made = isUsableFolder(installDir) && attempt([&] {
                              machine_.conduit.InstallShieldInstallConduit(
                                  0, installDir, installDir, installDir, "0");
                              return true;
                          });
        if (!made) {
            fail("conduit registration");
        }
    }

    void makeShortcuts(Labels labels) {
        for (const char* label : labels) {
            const ShortcutEntry& entry = manifest().shortcut(label);
            const auto link = entry.link.resolve(folders_);
            const auto target = entry.target.resolve(folders_);
            const bool made = link && target && attempt([&] {
                                  std::int16_t flag = entry.flag;
                                  machine_.toolLibrary.CreateShortcut(*link, *target, "", flag);
                                  return true;
                              });
            if (!made) {
                fail("shortcut " + entry.link.formed(folders_));
            }
        }
    }

    // Only the temporaries this run placed are removed. One that cannot be
    // deleted is not reported: it is no part of the product, and it stays
    // beside files the user is not asked to look at.
    void removeTemporaries() {
        for (const CopyEntry* entry : madeTemporaries_) {
            const auto path = entry->destination.resolve(folders_);
            attempt([&] {
                if (path && machine_.files.fileExists(*path)) {
                    machine_.files.deleteFile(*path);
                }
                return true;
            });
        }
    }

    // The registry write reports nothing, so each value is looked for once all
    // are written. A value left by an earlier installation counts as present:
    // what is checked is what a later start of the wizard will see.
    void writeRegistryValues() {
        // The uninstaller and the outside libraries read the recorded folder
        // through the system code page: a folder it cannot hold would be
        // recorded as another one ("C:\????").
        const bool recordable =
            attempt([&] { return machine_.files.fitsSystemCodePage(folders_.installDir); });
        for (const RegistryValue& value : kRegistryValues) {
            if (!value.data && !recordable) {
                continue;
            }
            const std::string data = value.data ? value.data : folders_.installDir;
            attempt([&] {
                HandleRegistry::WriteRegString(machine_.registry, kProductKey, value.name, data,
                                               platform::kHkeyCurrentUser);
                return true;
            });
        }
        for (const RegistryValue& value : kRegistryValues) {
            const bool present =
                (value.data || recordable) && attempt([&] {
                    return HandleRegistry::RegValueExists(machine_.registry, kProductKey,
                                                          value.name, platform::kHkeyCurrentUser);
                });
            if (!present) {
                fail(std::string("registry value ") + value.name);
            }
        }
    }

    platform::Machine& machine_;
    std::string userName_;
    Folders folders_;
    std::vector<const CopyEntry*> madeTemporaries_;
    InstallReport report_;
};

} // namespace

InstallReport RunInstall(platform::Machine& machine, const InstallInputs& inputs) {
    return Run(machine, inputs).perform();
}

} // namespace install
