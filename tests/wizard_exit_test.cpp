#include "tests/wizard_fixture.h"

#include <algorithm>

namespace wizardtest {
namespace {

using F = FrameId;

// Every file the setup media carries, so that a run on a prepared machine places everything.
const char* const kMedia[] = {
    "instaide.dll",   "quinTool.dll", "Quintara.prc", "MathLib.prc", "CarLoan.pdb",
    "Conversion.pdb", "Planets.pdb",  "Quintara.dll", "QuinFrm.dll", "condinst.dll",
    "condmgr.dll",    "QuinConv.dll", "hsapi.dll",    "uninst.exe",  "Quin4P.xla",
    "Quintara.jpg",   "Sleep.exe",    "license.txt",  "MathLib.txt", "Documentation.pdf",
};

class Finish : public WizardTest {
protected:
    void SetUp() override {
        for (const char* name : kMedia) {
            fake.files.addFile(std::string("C:\\SETUP\\") + name, name);
        }
        fake.files.addDirectory("C:\\Program Files");
        fake.files.addDirectory("C:\\Office");
        fake.files.addDirectory("C:\\Office\\XLStart");
        fake.files.addDirectory("C:\\Menu\\Programs");
        fake.spreadsheet.startupPath = "C:\\Office\\XLStart";
        fake.files.addFile("C:\\WINDOWS\\QuinFrm.dll");
        addUser("Alice", "C:\\Palm\\Alice");
    }

    bool deleted(const std::string& path) const {
        const auto& log = fake.files.log;
        return std::find(log.begin(), log.end(), "delete " + path) != log.end();
    }
    bool anyDeletion() const {
        return std::any_of(fake.files.log.begin(), fake.files.log.end(),
                           [](const std::string& entry) { return entry.rfind("delete ", 0) == 0; });
    }
    bool productKeyExists() const {
        return fake.registry.hasKey(platform::kHkeyCurrentUser, kProductKey);
    }

    void install() {
        start();
        toSummaryPage();
        next();
        ASSERT_EQ(shown(), F::FrameFinal);
        ASSERT_TRUE(form->installReport().has_value());
    }
};

TEST_F(Finish, CompleteInstallationShowsTheCompletionPageAndExitsInstalled) {
    install();
    EXPECT_EQ(buttonsOf(*form), kTerminalPage);
    EXPECT_TRUE(form->installReport()->complete());
    EXPECT_EQ(form->pageLines(F::FrameFinal), wizard::page(F::FrameFinal).lines);
    EXPECT_EQ(form->incompleteList.text(), "");
    // The run worked from the form state and the setup program's own folder.
    ASSERT_NE(fake.files.file("C:\\Program Files\\Quintara4Palm\\Quintara.dll"), nullptr);
    EXPECT_EQ(fake.files.file("C:\\Program Files\\Quintara4Palm\\Quintara.dll")->content,
              "Quintara.dll");
    EXPECT_EQ(fake.installAide.queue["Alice"].size(), 5u);

    next();
    EXPECT_TRUE(form->window.closed());
    EXPECT_EQ(form->outcome(), wizard::Outcome::Installed);
    EXPECT_EQ(fake.formLibrary.unregisterCalls, 0) << "the installation is recorded";
    EXPECT_FALSE(deleted("C:\\WINDOWS\\QuinFrm.dll"));
    EXPECT_NE(fake.files.file("C:\\WINDOWS\\QuinFrm.dll"), nullptr);
}

TEST_F(Finish, IncompleteInstallationSaysSoAndListsWhatIsMissing) {
    fake.files.deleteFile("C:\\SETUP\\Documentation.pdf");
    fake.files.lock("C:\\Program Files\\Quintara4Palm\\Quintara.dll");
    install();

    const auto& failed = form->installReport()->failed;
    ASSERT_FALSE(failed.empty());
    EXPECT_EQ(form->pageLines(F::FrameFinal), wizard::incompletePageLines());
    EXPECT_NE(form->pageLines(F::FrameFinal), wizard::page(F::FrameFinal).lines);

    // One entry a line, in the run's order, nothing before or after.
    std::string expected;
    for (const std::string& entry : failed) {
        expected += (expected.empty() ? "" : "\r\n") + entry;
    }
    EXPECT_EQ(form->incompleteList.text(), expected);
    EXPECT_NE(expected.find("Documentation.pdf"), std::string::npos);
    EXPECT_NE(expected.find("Quintara.dll"), std::string::npos);

    next();
    EXPECT_EQ(form->outcome(), wizard::Outcome::Incomplete);
    EXPECT_TRUE(form->window.closed());
}

TEST_F(Finish, CancelWithoutAnInstallationUndoesTheRegistration) {
    start();
    toSummaryPage();
    ASSERT_FALSE(productKeyExists());
    form->Cancel.press();

    EXPECT_EQ(fake.formLibrary.unregisterCalls, 1);
    EXPECT_TRUE(deleted("C:\\WINDOWS\\QuinFrm.dll"));
    EXPECT_EQ(fake.files.file("C:\\WINDOWS\\QuinFrm.dll"), nullptr);
    EXPECT_TRUE(productKeyExists()) << "the presence test leaves the key created";
    EXPECT_EQ(fake.registry.valueCount(platform::kHkeyCurrentUser, kProductKey), 0u);
    EXPECT_TRUE(form->window.closed());
    EXPECT_EQ(form->outcome(), wizard::Outcome::Cancelled);
}

TEST_F(Finish, CancelAfterAnEarlierInstallationLeavesEverything) {
    fake.registry.putString(platform::kHkeyCurrentUser, kProductKey, "installdir", "C:\\Q4P");
    start();
    form->Cancel.press();

    EXPECT_EQ(fake.formLibrary.unregisterCalls, 0);
    EXPECT_FALSE(anyDeletion());
    EXPECT_NE(fake.files.file("C:\\WINDOWS\\QuinFrm.dll"), nullptr);
    EXPECT_TRUE(form->window.closed());
}

TEST_F(Finish, UnloadableFormLibraryStillDeletesAndCloses) {
    fake.formLibrary.loadable = false;
    start();
    form->Cancel.press();

    EXPECT_TRUE(deleted("C:\\WINDOWS\\QuinFrm.dll"));
    EXPECT_TRUE(form->window.closed());
    EXPECT_EQ(form->outcome(), wizard::Outcome::Cancelled);
}

TEST_F(Finish, UnsetWindowsFolderDeletesNothing) {
    fake.files.unsetEnvironment("WINDIR");
    fake.files.addFile("C:\\QuinFrm.dll");
    start();
    form->Cancel.press();

    EXPECT_EQ(fake.formLibrary.unregisterCalls, 1);
    EXPECT_FALSE(anyDeletion());
    EXPECT_NE(fake.files.file("C:\\QuinFrm.dll"), nullptr);
    EXPECT_TRUE(form->window.closed());
}

} // namespace
} // namespace wizardtest
