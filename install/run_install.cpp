#include "install/run_install.h"

#include "common/error.h"
#include "install/install_journal.h"
#include "install/install_plan.h"

namespace install {

InstallReport reportOf(const std::vector<StepResult>& results) {
    InstallReport report;
    for (const StepResult& result : results) {
        if (result.outcome == Outcome::Failed) {
            report.failed.push_back(result.failure);
        }
    }
    return report;
}

InstallReport RunInstall(platform::Machine& machine, const InstallInputs& inputs) {
    Folders folders;
    folders.setupDir = inputs.setupDir;
    folders.installDir = inputs.installDir;
    folders.excelDir = inputs.excelDir;
    folders.programsDir = inputs.programsDir;
    folders.userDir = inputs.userDir;

    std::optional<InstallRecord> earlier;
    try {
        earlier = readInstallRecord(machine.registry);
    } catch (const common::SetupError&) {
        earlier.reset();
    }
    const std::vector<Step> plan = planInstall(machine.files, folders, earlier);
    InstallJournal journal(machine.registry, earlier);
    const std::vector<StepResult> results = apply(machine, folders, inputs.userName, plan, journal);
    InstallReport report = reportOf(results);
    if (!journal.active()) {
        return report;
    }
    // The journal named everything as it went; the whole record, written
    // over it at the end, adds the size the list of programs shows.
    const InstallRecord fresh = recordOf(plan, results, folders, inputs.userName);
    const InstallRecord merged = earlier ? mergeRecords(*earlier, fresh) : fresh;
    bool written = false;
    common::ignoreFailure("a record not written is reported as the record step's failure",
                          [&] { written = writeInstallRecord(machine.registry, merged); });
    if (!written || !journal.whole()) {
        report.failed.push_back(kRecordStep);
    }
    return report;
}

} // namespace install
