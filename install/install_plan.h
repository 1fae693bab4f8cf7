#pragma once

#include "install/manifest.h"
#include "install/record/install_record.h"
#include "platform/machine.h"

#include <optional>
#include <string>
#include <vector>

// The installation as a plan of steps, carried out one by one. The plan is
// data: what each step places and where, and whether a file of that name was
// there before the run. Carrying it out gives one result per step; the
// completion page's list and the record are read from the results alone.
namespace install {

enum class StepKind {
    MakeFolder,
    Copy,
    Handheld,
    ReadStartupPath,
    RegisterConduit,
    Shortcut,
    RemoveTemporary,
    WriteProductValue,
};

struct Step {
    explicit Step(StepKind kind) : kind(kind) {}

    StepKind kind;
    // The manifest entry the step performs; null for the steps that have none.
    const FolderEntry* folder = nullptr;
    const CopyEntry* copy = nullptr; // also the temporary a RemoveTemporary step removes
    const HandheldEntry* handheld = nullptr;
    const ShortcutEntry* shortcut = nullptr;
    std::size_t productValue = 0; // of a WriteProductValue step: which of the six
    // A file of the destination's name is there, and the record does not name
    // it: another program's (the handheld desktop's conduit libraries, a file
    // of the user's). Nothing when the destination is not known before the
    // step (the add-in's start-up folder is read during the run).
    std::optional<bool> foreign;
};

enum class Outcome { Done, Skipped, Failed };

struct StepResult {
    Outcome outcome = Outcome::Skipped;
    // The file the step placed: a copy's destination, a fallback copy's, a
    // shortcut's link file. Empty when it placed none.
    std::string placed;
    std::optional<FileMark> mark; // of `placed`, read once it was placed
    bool madeFolder = false;      // a MakeFolder step that made it (not merely found it)
    bool queued = false;          // a Handheld step the install queue took
    std::string failure;          // what the completion page lists; empty when nothing failed
};

class InstallJournal;

// The values of the product's key, written one step each.
inline constexpr std::size_t kProductValueCount = 6;

// The steps in run order. The uninstaller's copy comes right after the two
// folders, before every other file, so that whatever a cut leaves behind the
// entry can remove; the calls into the outside libraries keep their order.
std::vector<Step> planInstall(platform::FileSystem& files, const Folders& folders,
                              const std::optional<InstallRecord>& earlier);

// Carries out the plan, one result per step. `folders` gains the start-up
// folder read on the way. Every step is attempted once; a step that fails is
// recorded and skipped. The journal is kept while the steps run.
std::vector<StepResult> apply(platform::Machine& machine, Folders& folders,
                              const std::string& userName, const std::vector<Step>& plan,
                              InstallJournal& journal);

// The record's folders for these folder values, with whether this run made
// the Start-menu folder and the install folder.
std::vector<RecordedFolder> KnownFolders(const Folders& folders, bool madeMenu, bool madeInstall);

// What the run placed, read from the plan and its results: the record this run
// adds to the one stored.
InstallRecord recordOf(const std::vector<Step>& plan, const std::vector<StepResult>& results,
                       const Folders& folders, const std::string& userName);

} // namespace install
