#include "install/manifest.h"
#include "install/run_install.h"
#include "tests/doubles/fake_machine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using doubles::Events;
using platform::FsStatus;
using testing::ElementsAre;
using testing::HasSubstr;

const std::string kSetup = "C:\\SETUP";
const std::string kInstall = "C:\\Program Files\\Quintara4Palm";
const std::string kExcel = "C:\\Program Files\\Office\\";
const std::string kStartup = "C:\\Program Files\\Office\\XLSTART";
const std::string kPrograms = "C:\\Documents and Settings\\Ann\\Start Menu\\Programs";
const std::string kMenu = kPrograms + "\\Quintara4Palm";
const std::string kUserDir = "C:\\Palm\\AnnS";
const std::string kUserInstall = kUserDir + "\\Install";

const std::vector<std::string> kInstalledNames = {
    "instaide.dll", "quinTool.dll", "Quintara.prc", "MathLib.prc",      "Quintara.dll",
    "QuinFrm.dll",  "QuinConv.dll", "uninst.exe",   "Quin4P.xla",       "Quintara.jpg",
    "Sleep.exe",    "license.txt",  "MathLib.txt",  "Documentation.pdf"};
const std::vector<std::string> kOtherSources = {"condinst.dll", "condmgr.dll",    "hsapi.dll",
                                                "CarLoan.pdb",  "Conversion.pdb", "Planets.pdb"};

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// A string value's bytes as REG_SZ holds them.
std::string sz(std::string text) {
    text.push_back('\0');
    return text;
}

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

using doubles::RecordingMachine;

class RunInstallTest : public testing::Test {
protected:
    RunInstallTest() { reset(); }

    // A fresh machine with the setup folder, the spreadsheet, the Programs
    // folder and one handheld user; the parent of the install folder exists.
    void reset() {
        m = std::make_unique<RecordingMachine>();
        // Upper-case sources: the installed names take their case from the run.
        fillSetupFolder("v1 ");
        m->files.addDirectory("C:\\Program Files");
        m->files.addDirectory(kStartup);
        m->files.addDirectory(kPrograms);
        m->files.addDirectory(kUserInstall);
        m->installAide.users = {{"Ann S", kUserDir}};
        m->spreadsheet.startupPath = kStartup;
        inputs = {kSetup, kInstall, kExcel, kPrograms, "Ann S", kUserDir};
    }

    void fillSetupFolder(const std::string& version) {
        for (const auto* names : {&kInstalledNames, &kOtherSources}) {
            for (const std::string& name : *names) {
                m->files.addFile(kSetup + "\\" + upper(name), version + name);
            }
        }
    }
    std::string contentOf(const std::string& path) const {
        const auto* file = m->files.file(path);
        return file ? file->content : "(missing)";
    }
    std::string registryData(const std::string& name) const {
        const auto* value =
            m->registry.value(platform::kHkeyCurrentUser, install::kProductKey, name);
        if (value == nullptr || value->type != platform::kRegSz) {
            return "(missing)";
        }
        return std::string(value->bytes.begin(), value->bytes.end());
    }
    install::InstallReport run() { return install::RunInstall(m->machine, inputs); }

    std::unique_ptr<RecordingMachine> m;
    install::InstallInputs inputs;
};

TEST_F(RunInstallTest, FullRunLeavesTheInstalledState) {
    const auto report = run();

    EXPECT_TRUE(report.complete()) << testing::PrintToString(report.failed);
    EXPECT_EQ(m->files.filesIn(kInstall), sorted(kInstalledNames));
    for (const std::string& name : kInstalledNames) {
        EXPECT_EQ(contentOf(kInstall + "\\" + name), "v1 " + name);
    }
    EXPECT_THAT(m->files.filesIn(kExcel), ElementsAre("QuinConv.dll", "instaide.dll"));
    EXPECT_THAT(m->files.filesIn(kStartup), ElementsAre("Quin4P.xla"));
    EXPECT_THAT(m->installAide.queue["Ann S"],
                ElementsAre(kInstall + "\\Quintara.prc", kInstall + "\\MathLib.prc",
                            kSetup + "\\CarLoan.pdb", kSetup + "\\Conversion.pdb",
                            kSetup + "\\Planets.pdb"));
    EXPECT_TRUE(m->files.filesIn(kUserInstall).empty());
    EXPECT_TRUE(m->files.filesIn("C:\\WINDOWS").empty());
    EXPECT_TRUE(m->files.hasDirectory(kMenu));

    std::vector<std::string> shortcuts;
    for (const auto& s : m->toolLibrary.shortcuts) {
        shortcuts.push_back(s.path + "|" + s.target + "|" + s.third + "|" + std::to_string(s.flag));
    }
    EXPECT_THAT(shortcuts,
                ElementsAre(kMenu + "\\quintara4palm.example|" + install::kProductSite + "||0",
                            kMenu + "\\Documentation|" + kInstall + "\\Documentation.pdf||0",
                            kMenu + "\\Sheets|" + kUserDir + "\\Quintara4Palm\\||-1",
                            kMenu + "\\uninstall|" + kInstall + "\\uninst.exe||0"));
    ASSERT_EQ(m->conduit.calls.size(), 1u);
    const auto& call = m->conduit.calls[0];
    EXPECT_EQ(call.first, 0);
    EXPECT_EQ(std::set<std::string>({call.second, call.third, call.fourth}),
              std::set<std::string>{kInstall});
    EXPECT_EQ(call.fifth, "0");

    // Each stored with its terminating NUL, so that a later read gives back every character.
    EXPECT_EQ(m->registry.valueCount(platform::kHkeyCurrentUser, install::kProductKey), 6u);
    EXPECT_EQ(registryData("installdir"), sz(kInstall));
    EXPECT_EQ(registryData("formHeight"), sz("3405"));
    EXPECT_EQ(registryData("formWidth"), sz("2355"));
    EXPECT_EQ(registryData("formXScreen"), sz("6120"));
    EXPECT_EQ(registryData("formYScreen"), sz("4185"));
    EXPECT_EQ(registryData("LastUserName"), sz(""));
}

TEST_F(RunInstallTest, StepsRunOnceEachInTheirOrder) {
    m->installAide.refuseAll = true;
    ASSERT_TRUE(run().complete());

    const auto place = [](const std::string& folder, const std::vector<std::string>& names) {
        std::vector<std::string> events;
        for (const std::string& name : names) {
            events.push_back("place " + folder + name);
        }
        return events;
    };
    std::vector<Events> steps = {
        {"mkdir " + kMenu, "mkdir " + kInstall},
        // The uninstaller first, so that the entry can remove whatever follows.
        place(kInstall + "\\",
              {"uninst.exe", "instaide.dll", "quinTool.dll", "Quintara.prc", "MathLib.prc"}),
        {"queue " + kInstall + "\\Quintara.prc", "place " + kUserInstall + "\\Quintara.prc",
         "queue " + kInstall + "\\MathLib.prc", "place " + kUserInstall + "\\MathLib.prc",
         "queue " + kSetup + "\\CarLoan.pdb", "place " + kUserInstall + "\\CarLoan.pdb",
         "queue " + kSetup + "\\Conversion.pdb", "place " + kUserInstall + "\\Conversion.pdb",
         "queue " + kSetup + "\\Planets.pdb", "place " + kUserInstall + "\\Planets.pdb"},
        place(kInstall + "\\",
              {"Quintara.dll", "QuinFrm.dll", "condinst.dll", "condmgr.dll", "QuinConv.dll"}),
        place(kExcel, {"QuinConv.dll", "instaide.dll"}),
        place(kInstall + "\\", {"hsapi.dll", "Quin4P.xla", "Quintara.jpg", "Sleep.exe",
                                "license.txt", "MathLib.txt"}),
        {"place " + kStartup + "\\Quin4P.xla", "conduit",
         "shortcut " + kMenu + "\\quintara4palm.example",
         "place " + kInstall + "\\Documentation.pdf", "shortcut " + kMenu + "\\Documentation",
         "shortcut " + kMenu + "\\Sheets", "shortcut " + kMenu + "\\uninstall"},
        {"delete " + kInstall + "\\condinst.dll", "delete " + kInstall + "\\condmgr.dll",
         "delete " + kInstall + "\\hsapi.dll"},
        {"registry installdir", "registry formHeight", "registry formWidth", "registry formXScreen",
         "registry formYScreen", "registry LastUserName"},
    };
    Events expected;
    for (const Events& step : steps) {
        expected.insert(expected.end(), step.begin(), step.end());
    }
    // The copy's own workings (a temporary beside the destination) are not the run's.
    const std::set<std::string> known(expected.begin(), expected.end());
    Events seen;
    std::copy_if(m->events.begin(), m->events.end(), std::back_inserter(seen),
                 [&](const std::string& event) { return known.count(event) != 0; });
    EXPECT_EQ(seen, expected);
}

TEST_F(RunInstallTest, RefusedOrUnreachableQueueGetsTheFallbackCopies) {
    for (const bool unloadable : {false, true}) {
        SCOPED_TRACE(unloadable ? "install aide cannot be loaded" : "queue refuses");
        reset();
        m->installAide.refuseAll = !unloadable;
        m->installAide.loadable = !unloadable;

        EXPECT_TRUE(run().complete());
        EXPECT_THAT(m->files.filesIn(kUserInstall),
                    ElementsAre("CarLoan.pdb", "Conversion.pdb", "MathLib.prc", "Planets.pdb",
                                "Quintara.prc"));
        EXPECT_EQ(contentOf(kUserInstall + "\\Planets.pdb"), "v1 Planets.pdb");
        EXPECT_TRUE(m->installAide.queue.empty());
        EXPECT_EQ(m->files.filesIn(kInstall), sorted(kInstalledNames));
    }
}

TEST_F(RunInstallTest, MissingInstallParentFailsEveryInstalledCopyButTheRestFollows) {
    const std::string missing = "C:\\Nowhere\\Quintara4Palm";
    inputs.installDir = missing;

    const auto report = run();

    std::vector<std::string> expected = {missing};
    // The uninstaller is the first file placed.
    for (const char* name :
         {"uninst.exe", "instaide.dll", "quinTool.dll", "Quintara.prc", "MathLib.prc",
          "Quintara.dll", "QuinFrm.dll", "condinst.dll", "condmgr.dll", "QuinConv.dll", "hsapi.dll",
          "Quin4P.xla", "Quintara.jpg", "Sleep.exe", "license.txt", "MathLib.txt",
          "Documentation.pdf"}) {
        expected.push_back(missing + "\\" + name);
    }
    EXPECT_EQ(report.failed, expected);
    // The queue is handed the missing installed copies, refuses them, and the
    // fallback copies come from the setup folder.
    EXPECT_THAT(m->files.filesIn(kUserInstall), ElementsAre("MathLib.prc", "Quintara.prc"));
    EXPECT_THAT(m->files.filesIn(kExcel), ElementsAre("QuinConv.dll", "instaide.dll"));
    EXPECT_EQ(m->conduit.calls.size(), 1u);
    EXPECT_EQ(m->toolLibrary.shortcuts.size(), 4u);
    EXPECT_EQ(registryData("installdir"), sz(missing));
    EXPECT_EQ(registryData("formYScreen"), sz("4185"));
}

TEST_F(RunInstallTest, SecondRunReplacesEveryFileAndEndsComplete) {
    ASSERT_TRUE(run().complete());
    fillSetupFolder("v2 ");
    m->files.addFile(kInstall + "\\notes.txt", "mine");
    m->registry.putString(platform::kHkeyCurrentUser, install::kProductKey, "LastUserName",
                          "Ann S");
    m->registry.putString(platform::kHkeyCurrentUser, install::kProductKey, "installdir", "old");

    const auto report = run();

    EXPECT_TRUE(report.complete()) << testing::PrintToString(report.failed);
    for (const std::string& name : kInstalledNames) {
        EXPECT_EQ(contentOf(kInstall + "\\" + name), "v2 " + name);
    }
    EXPECT_EQ(contentOf(kExcel + "QuinConv.dll"), "v2 QuinConv.dll");
    EXPECT_EQ(contentOf(kStartup + "\\Quin4P.xla"), "v2 Quin4P.xla");
    EXPECT_EQ(contentOf(kInstall + "\\notes.txt"), "mine");
    EXPECT_EQ(m->files.filesIn(kInstall).size(), kInstalledNames.size() + 1);
    EXPECT_EQ(registryData("LastUserName"), sz(""));
    EXPECT_EQ(registryData("installdir"), sz(kInstall));
}

TEST_F(RunInstallTest, NoSpreadsheetSkipsItsCopiesWithoutFailing) {
    inputs.excelDir.clear();
    m->spreadsheet.startupPath.reset();

    EXPECT_TRUE(run().complete());
    EXPECT_TRUE(m->files.filesIn(kExcel).empty());
    EXPECT_TRUE(m->files.filesIn(kStartup).empty());
    EXPECT_EQ(contentOf(kInstall + "\\Quin4P.xla"), "v1 Quin4P.xla");
    for (const std::string& line : m->files.log) {
        EXPECT_THAT(line, testing::Not(HasSubstr("Office"))) << line;
    }
}

TEST_F(RunInstallTest, OutsideFailuresAreReportedInRunOrder) {
    m->files.addFile(kMenu, "a file where the Start menu folder goes");
    m->files.addFile(kInstall + "\\Sleep.exe", "in use");
    m->files.lock(kInstall + "\\Sleep.exe");
    m->files.addFile(kInstall + "\\hsapi.dll", "in use");
    m->files.lock(kInstall + "\\hsapi.dll");
    m->conduit.loadable = false;
    m->toolLibrary.loadable = false;
    m->registry.denyRoot(platform::kHkeyCurrentUser);

    const auto report = run();

    EXPECT_THAT(report.failed,
                ElementsAre(kMenu, kInstall + "\\Sleep.exe", "conduit registration",
                            "shortcut " + kMenu + "\\quintara4palm.example",
                            "shortcut " + kMenu + "\\Documentation",
                            "shortcut " + kMenu + "\\Sheets", "shortcut " + kMenu + "\\uninstall",
                            "registry value installdir", "registry value formHeight",
                            "registry value formWidth", "registry value formXScreen",
                            "registry value formYScreen", "registry value LastUserName",
                            "uninstall record"));
    EXPECT_EQ(contentOf(kInstall + "\\Sleep.exe"), "in use");
    // The temporaries go also when the conduit could not be registered; an
    // hsapi.dll that was there before is the conduit's to use, and stays.
    EXPECT_FALSE(m->files.fileExists(kInstall + "\\condinst.dll"));
    EXPECT_FALSE(m->files.fileExists(kInstall + "\\condmgr.dll"));
    EXPECT_EQ(contentOf(kInstall + "\\hsapi.dll"), "in use");
    EXPECT_THAT(m->files.log,
                testing::Not(testing::Contains("delete " + kInstall + "\\hsapi.dll")));
}

TEST_F(RunInstallTest, EmptyFoldersAreNeverUsedAsPaths) {
    // An accepting queue needs no user folder; the Sheets shortcut points into it.
    inputs.userDir.clear();
    EXPECT_THAT(run().failed, ElementsAre("shortcut " + kMenu + "\\Sheets"));

    reset();
    m->installAide.refuseAll = true;
    inputs.userDir.clear();
    EXPECT_THAT(run().failed,
                ElementsAre("\\Install\\Quintara.prc", "\\Install\\MathLib.prc",
                            "\\Install\\CarLoan.pdb", "\\Install\\Conversion.pdb",
                            "\\Install\\Planets.pdb", "shortcut " + kMenu + "\\Sheets"));

    reset();
    inputs.installDir.clear();
    const auto report = run();
    EXPECT_THAT(report.failed, testing::Contains("the install folder (none was given)"));
    EXPECT_THAT(report.failed, testing::Contains("\\instaide.dll"));
    EXPECT_THAT(report.failed, testing::Contains("conduit registration"));
    EXPECT_TRUE(m->conduit.calls.empty());
    EXPECT_THAT(m->files.filesIn(kUserInstall), ElementsAre("MathLib.prc", "Quintara.prc"));

    // Whatever the folders, nothing is made in the root of the current drive.
    for (const std::string& event : m->events) {
        EXPECT_THAT(event, testing::Not(HasSubstr(" \\"))) << event;
    }
}

// The install folder already holds conduit libraries (the handheld desktop's
// own folder, or the media folder): they are neither replaced nor removed; the
// conduit registers with them, and only what the run placed itself goes.
TEST_F(RunInstallTest, ConduitLibrariesAlreadyThereAreKept) {
    m->files.addFile(kInstall + "\\condmgr.dll", "the desktop's own");
    m->files.addFile(kInstall + "\\hsapi.dll", "the desktop's own");

    EXPECT_TRUE(run().complete());
    EXPECT_EQ(contentOf(kInstall + "\\condmgr.dll"), "the desktop's own");
    EXPECT_EQ(contentOf(kInstall + "\\hsapi.dll"), "the desktop's own");
    EXPECT_FALSE(m->files.fileExists(kInstall + "\\condinst.dll"));
    EXPECT_EQ(m->conduit.calls.size(), 1u);
    EXPECT_THAT(m->events, testing::Contains("delete " + kInstall + "\\condinst.dll"));
    for (const char* name : {"\\condmgr.dll", "\\hsapi.dll"}) {
        EXPECT_THAT(m->events, testing::Not(testing::Contains("place " + kInstall + name)));
        EXPECT_THAT(m->events, testing::Not(testing::Contains("delete " + kInstall + name)));
    }
}

// A folder the system code page cannot hold works for the program's own
// copies, but it is not recorded as the installation's: read back through the
// code page it would name another folder. The run says so.
TEST_F(RunInstallTest, FolderOutsideTheCodePageIsNotRecorded) {
    const std::string folder = "C:\\Program Files\\\xD0\x9A\xD0\xB2 \xE6\x95\xB0";
    inputs.installDir = folder;

    const auto report = run();
    EXPECT_EQ(m->files.filesIn(folder), sorted(kInstalledNames));
    EXPECT_THAT(report.failed, ElementsAre("registry value installdir"));
    EXPECT_EQ(registryData("installdir"), "(missing)");
    EXPECT_EQ(registryData("formHeight"), sz("3405"));
}

} // namespace
