#pragma once

#include "install/record/install_record.h"
#include "platform/registry.h"

#include <optional>
#include <string>

namespace install {

// The record kept while the run places things: each file is named before it
// is placed and marked after, one whole value at a time, so that a cut at any
// moment leaves a record from which everything placed can be removed. It
// writes nothing until started, and nothing once abandoned.
class InstallJournal {
public:
    InstallJournal(platform::RegistryService& registry, std::optional<InstallRecord> earlier);

    // The record stored before the run, if any.
    const std::optional<InstallRecord>& earlier() const { return earlier_; }
    // The stored entry for the path, if the earlier record names it.
    const PlacedFile* earlierFile(const std::string& path) const;

    // Starts the journal, or writes again, with the folders known so far.
    void start(const std::vector<RecordedFolder>& folders);
    // The uninstaller could not be placed: this run records nothing, and a
    // record only this run began is taken back.
    void abandon();
    bool active() const { return active_; }
    // False once any write failed.
    bool whole() const { return whole_; }

    void folder(const RecordedFolder& folder);
    // The entry the system's list of programs reads, for this install folder.
    void entry(const std::string& installDir);
    void placing(const std::string& path, bool overOther);
    void placed(const std::string& path, const FileMark& mark);
    // The placing did not happen: the earlier state of the path is written
    // back, or the path is struck out.
    void notPlaced(const std::string& path);
    void removed(const std::string& path);
    void handedOver(const HandedOver& given);
    void conduit(const std::string& folder);

private:
    void write(const char* subkey, const std::string& name, const std::string& data);

    platform::RegistryService& registry_;
    std::optional<InstallRecord> earlier_;
    bool active_ = false;
    bool whole_ = true;
};

} // namespace install
