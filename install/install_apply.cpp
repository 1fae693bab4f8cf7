#include "common/error.h"
#include "handheld/pilot.h"
#include "install/copy_one_file.h"
#include "install/copy_temporary.h"
#include "install/install_journal.h"
#include "install/install_plan.h"
#include "install/run_install.h"
#include "probes/registry.h"

#include <map>

namespace install {

namespace {

struct ProductValue {
    const char* name;
    const char* data; // null: the install folder
};

// The form values are twips, the same in every run; the chosen handheld user is
// deliberately not remembered.
constexpr ProductValue kProductValues[kProductValueCount] = {
    {kInstallDirValue, nullptr}, {"formHeight", "3405"},  {"formWidth", "2355"},
    {"formXScreen", "6120"},     {"formYScreen", "4185"}, {"LastUserName", ""},
};

// Runs one call and gives its answer; a failure the call raises answers no,
// so that its step fails alone.
template <typename Call> bool attempt(Call call) {
    try {
        return call();
    } catch (const common::SetupError&) {
        return false;
    }
}

StepResult failed(std::string what) {
    StepResult result;
    result.outcome = Outcome::Failed;
    result.failure = std::move(what);
    return result;
}

StepResult done(std::string placed = {}) {
    StepResult result;
    result.outcome = Outcome::Done;
    result.placed = std::move(placed);
    return result;
}

class Applier {
public:
    Applier(platform::Machine& machine, Folders& folders, const std::string& userName,
            InstallJournal& journal)
        : machine_(machine), folders_(folders), userName_(userName), journal_(journal) {}

    // Before the first folder is made the record names the folders, as made
    // where none is there yet; a folder step that finds otherwise corrects it.
    void start() {
        const auto absent = [&](const ManifestPath& path) {
            const auto folder = path.resolve(folders_);
            return folder && !attempt([&] { return machine_.files.directoryExists(*folder); });
        };
        madeMenu_ = absent(manifest().folder("F1").folder);
        madeInstall_ = absent(manifest().folder("F2").folder);
        journal_.start(KnownFolders(folders_, madeMenu_, madeInstall_));
    }

    StepResult perform(const Step& step) {
        switch (step.kind) {
        case StepKind::MakeFolder:
            return makeFolder(*step.folder);
        case StepKind::Copy:
            return copyStep(step);
        case StepKind::Handheld:
            return queue(*step.handheld);
        case StepKind::ReadStartupPath:
            return readStartupPath();
        case StepKind::RegisterConduit:
            return registerConduit();
        case StepKind::Shortcut:
            return makeShortcut(*step.shortcut);
        case StepKind::RemoveTemporary:
            return removeTemporary(*step.copy);
        case StepKind::WriteProductValue:
            return writeProductValue(kProductValues[step.productValue]);
        }
        return {};
    }

private:
    StepResult makeFolder(const FolderEntry& entry) {
        const auto path = entry.folder.resolve(folders_);
        bool made = false;
        const bool there = path && attempt([&] {
                               switch (machine_.files.makeDirectory(*path)) {
                               case platform::FsStatus::Ok:
                                   return made = true;
                               case platform::FsStatus::AlreadyExists:
                                   // Also the answer when a file of that name is in the way.
                                   return machine_.files.directoryExists(*path);
                               default:
                                   return false;
                               }
                           });
        if (!there) {
            (entry.folder.base == Base::Install ? madeInstall_ : madeMenu_) = false;
            journal_.start(KnownFolders(folders_, madeMenu_, madeInstall_));
            const std::string formed = entry.folder.formed(folders_);
            return failed(formed.empty() ? "the install folder (none was given)" : formed);
        }
        bool& expected = entry.folder.base == Base::Install ? madeInstall_ : madeMenu_;
        if (made != expected) {
            expected = made;
            journal_.start(KnownFolders(folders_, madeMenu_, madeInstall_));
        }
        StepResult result = done();
        result.madeFolder = made;
        return result;
    }

    bool foreignNow(const std::string& path) {
        return attempt([&] { return machine_.files.fileExists(path); }) &&
               journal_.earlierFile(path) == nullptr;
    }

    // A copy the earlier run was cut in left its temporary beside the
    // destination: it is that run's, so this one removes it.
    void removeStaleTemporaries(const std::string& path) {
        const PlacedFile* before = journal_.earlierFile(path);
        if (!before || (before->pending != Pending::New && before->pending != Pending::OverOther)) {
            return;
        }
        for (int attempt = 0; attempt < Geral::kCopyTemporaryAttempts; ++attempt) {
            const std::string stale = Geral::copyTemporaryName(path, attempt);
            if (machine_.files.fileExists(stale)) {
                machine_.files.deleteFile(stale);
            }
        }
    }

    // Named in the journal before it is placed, marked once it is.
    StepResult place(const ManifestPath& source, const ManifestPath& destination, bool overOther) {
        const auto from = source.resolve(folders_);
        const auto to = destination.resolve(folders_);
        if (!from || !to) {
            return failed(destination.formed(folders_));
        }
        common::ignoreFailure("a stale temporary left is no hindrance: the copy takes a free name",
                              [&] { removeStaleTemporaries(*to); });
        journal_.placing(*to, overOther);
        if (!attempt([&] {
                Geral::CopyOneFile(machine_.files, *from, *to);
                return true;
            })) {
            journal_.notPlaced(*to);
            return failed(destination.formed(folders_));
        }
        StepResult result = done(*to);
        result.mark = markOf(machine_.files, *to);
        if (result.mark) {
            journal_.placed(*to, *result.mark);
        }
        return result;
    }

    StepResult copyStep(const Step& step) {
        const CopyEntry& entry = *step.copy;
        if (entry.conditional && folders_.of(entry.destination.base).empty()) {
            return {};
        }
        const auto to = entry.destination.resolve(folders_);
        const bool foreign = step.foreign ? *step.foreign : to && foreignNow(*to);
        // A conduit library of another's in the install folder (the handheld
        // desktop's own folder, or the setup's media folder, chosen as the
        // install folder) is used as it is: neither replaced nor removed.
        if (entry.temporary && foreign) {
            keptTemporaries_[&entry] = true;
            return {};
        }
        const bool uninstaller = entry.label == "C13";
        StepResult result = place(entry.source, entry.destination, foreign);
        if (uninstaller) {
            if (result.outcome == Outcome::Done) {
                journal_.entry(folders_.installDir);
            } else {
                journal_.abandon();
            }
        }
        return result;
    }

    // A queue that cannot be reached counts as a refusal: the fallback copy is
    // made. The fallback copies are the handheld's, which no uninstaller takes.
    StepResult queue(const HandheldEntry& entry) {
        journal_.handedOver({userName_, {entry.queued.literal.substr(1)}});
        const auto file = entry.queued.resolve(folders_);
        const bool queued =
            file && attempt([&] {
                return Pilot::InstallToHandheld(machine_.installAide, userName_, *file);
            });
        if (queued) {
            StepResult result = done();
            result.queued = true;
            return result;
        }
        const auto from = entry.fallbackSource.resolve(folders_);
        const auto to = entry.fallbackDestination.resolve(folders_);
        const bool copied = from && to && attempt([&] {
                                Geral::CopyOneFile(machine_.files, *from, *to);
                                return true;
                            });
        return copied ? done() : failed(entry.fallbackDestination.formed(folders_));
    }

    // No automation object (or no spreadsheet program at all) leaves the path
    // empty, which only skips the add-in's copy into it.
    StepResult readStartupPath() {
        try {
            folders_.startupPath = machine_.spreadsheet.readStartupPath();
        } catch (const common::SetupError&) {
            folders_.startupPath.clear();
        }
        if (isUsableFolder(folders_.startupPath)) {
            journal_.folder({folders_.startupPath, FolderRole::Startup, false});
        }
        return done();
    }

    // The conduit installer's answer is not looked at: only a call that cannot
    // be made at all is a failure.
    StepResult registerConduit() {
        const std::string& installDir = folders_.installDir;
        if (!isInstallableFolder(installDir)) {
            return failed("conduit registration");
        }
        journal_.conduit(installDir);
        const bool made = attempt([&] {
            machine_.conduit.InstallShieldInstallConduit(0, installDir, installDir, installDir,
                                                         "0");
            return true;
        });
        return made ? done() : failed("conduit registration");
    }

    // The tool library adds the link file's extension: ".url" for a web
    // address, ".lnk" otherwise; a library that adds none leaves the path as given.
    StepResult makeShortcut(const ShortcutEntry& entry) {
        const auto link = entry.link.resolve(folders_);
        const auto target = entry.target.resolve(folders_);
        if (!link || !target) {
            return failed("shortcut " + entry.link.formed(folders_));
        }
        const std::string expected = *link + (target->rfind("http", 0) == 0 ? ".url" : ".lnk");
        journal_.placing(expected, foreignNow(expected));
        const bool made = attempt([&] {
            std::int16_t flag = entry.flag;
            machine_.toolLibrary.CreateShortcut(*link, *target, "", flag);
            return true;
        });
        if (!made) {
            journal_.notPlaced(expected);
            return failed("shortcut " + entry.link.formed(folders_));
        }
        StepResult result = done();
        for (const char* extension : {".lnk", ".url", ""}) {
            if (attempt([&] { return machine_.files.fileExists(*link + extension); })) {
                result.placed = *link + extension;
                break;
            }
        }
        if (result.placed != expected) {
            journal_.notPlaced(expected);
        }
        result.mark = result.placed.empty() ? std::nullopt : markOf(machine_.files, result.placed);
        if (result.mark) {
            journal_.placed(result.placed, *result.mark);
        }
        return result;
    }

    // One that cannot be deleted is not reported: it is no part of the
    // product, and the record keeps it for the uninstaller.
    StepResult removeTemporary(const CopyEntry& entry) {
        const auto path = entry.destination.resolve(folders_);
        if (keptTemporaries_.count(&entry) != 0 || !path) {
            return {};
        }
        const bool gone = attempt([&] {
            return machine_.files.fileExists(*path) &&
                   machine_.files.deleteFile(*path) == platform::FsStatus::Ok;
        });
        if (!gone) {
            return {};
        }
        journal_.removed(*path);
        return done(*path);
    }

    // The registry write reports nothing, so the value is looked for after.
    // A value left by an earlier installation counts as present: what is
    // checked is what a later start of the wizard will see. The uninstaller
    // and the outside libraries read the recorded folder through the system
    // code page: a folder it cannot hold would be recorded as another one
    // ("C:\????"), so it is not written.
    StepResult writeProductValue(const ProductValue& value) {
        const bool recordable = value.data || attempt([&] {
                                    return machine_.files.fitsSystemCodePage(folders_.installDir);
                                });
        const bool present =
            recordable && attempt([&] {
                HandleRegistry::WriteRegString(machine_.registry, kProductKey, value.name,
                                               value.data ? value.data : folders_.installDir,
                                               platform::kHkeyCurrentUser);
                return HandleRegistry::RegValueExists(machine_.registry, kProductKey, value.name,
                                                      platform::kHkeyCurrentUser);
            });
        return present ? done() : failed(std::string("registry value ") + value.name);
    }

    platform::Machine& machine_;
    Folders& folders_;
    const std::string& userName_;
    InstallJournal& journal_;
    bool madeMenu_ = false;
    bool madeInstall_ = false;
    std::map<const CopyEntry*, bool> keptTemporaries_;
};

} // namespace

std::vector<StepResult> apply(platform::Machine& machine, Folders& folders,
                              const std::string& userName, const std::vector<Step>& plan,
                              InstallJournal& journal) {
    Applier applier(machine, folders, userName, journal);
    applier.start();
    std::vector<StepResult> results;
    for (const Step& step : plan) {
        results.push_back(applier.perform(step));
    }
    return results;
}

} // namespace install
