#include "install/copy_temporary.h"
#include "install/record/install_record.h"
#include "tests/doubles/fake_installation.h"
#include "uninstall/removal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>

// The power goes at every change of the machine in turn, during the setup and
// during the removal; what is left must always be removable, and be removed
// exactly, through the record.
namespace {

using doubles::FakeInstallation;
using doubles::PowerLost;

constexpr int kUnlimited = 1 << 30;

void cutAfter(FakeInstallation& m, int* left) {
    for (doubles::Journaled* service : std::initializer_list<doubles::Journaled*>{
             &m.registry, &m.files, &m.installAide, &m.toolLibrary, &m.conduit}) {
        service->powerLeft = left;
    }
}

// A machine with files of others in the places the setup writes to.
void addOthersFiles(FakeInstallation& m) {
    m.files.addFile(FakeInstallation::kExcel + "EXCEL.EXE", "the spreadsheet");
    m.files.addFile(FakeInstallation::kStartup + "\\Budget.xls", "the user's");
    m.files.addFile(FakeInstallation::kPrograms + "\\Other.lnk", "another program's");
}

template <typename Run> int changesOf(Run run) {
    FakeInstallation m;
    addOthersFiles(m);
    int left = kUnlimited;
    run(m, &left);
    return kUnlimited - left;
}

int changesOfAnInstall() {
    return changesOf([](FakeInstallation& m, int* left) {
        cutAfter(m, left);
        m.install();
    });
}

int changesOfARemoval() {
    return changesOf([](FakeInstallation& m, int* left) {
        m.install();
        cutAfter(m, left);
        uninstall::Uninstall(m.machine);
    });
}

// The record's entry for the path, or for the file whose copy it is the temporary of.
const install::PlacedFile* namedBy(const install::InstallRecord& record, const std::string& path) {
    for (const install::PlacedFile& file : record.files) {
        if (doubles::FakeFileSystem::fold(file.path) == path) {
            return &file;
        }
        for (int attempt = 0; file.pending != install::Pending::No && attempt < 3; ++attempt) {
            if (doubles::FakeFileSystem::fold(Geral::copyTemporaryName(file.path, attempt)) ==
                path) {
                return &file;
            }
        }
    }
    return nullptr;
}

class InstallCut : public testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(InstallCut, RecordNamesWhatWasPlacedAndTheRemovalTakesExactlyThat) {
    const auto [change, rerun] = GetParam();
    FakeInstallation m;
    addOthersFiles(m);
    const auto files = m.files.snapshot();
    const auto folders = m.files.directories();
    int left = change;
    cutAfter(m, &left);
    EXPECT_THROW(m.install(), PowerLost);
    cutAfter(m, nullptr);

    const auto record = install::readInstallRecord(m.registry);
    for (const auto& [path, content] : m.files.snapshot()) {
        const auto earlier = files.find(path);
        if (earlier != files.end()) {
            EXPECT_EQ(earlier->second, content) << path << " is another's";
            continue;
        }
        const install::PlacedFile* named = record ? namedBy(*record, path) : nullptr;
        ASSERT_TRUE(named) << path << " was placed and is not in the record";
        if (named->mark) {
            EXPECT_EQ(*named->mark, (install::FileMark{content.size(), install::Fnv1a64(content)}))
                << path;
        }
        EXPECT_NE(named->pending, install::Pending::OverOther) << path;
    }

    if (rerun) {
        EXPECT_TRUE(m.install().complete()) << "the setup run again after the cut";
    }
    const auto result = uninstall::Uninstall(m.machine);
    if (result) {
        EXPECT_TRUE(result->complete()) << uninstall::exitCodeOf(result);
    }
    EXPECT_EQ(m.files.snapshot(), files);
    EXPECT_EQ(m.files.directories(), folders);
    EXPECT_FALSE(m.registry.hasKey(platform::kHkeyCurrentUser, install::kUninstallKey));
    EXPECT_FALSE(m.registry.hasKey(platform::kHkeyCurrentUser, install::kProductKey));
}

INSTANTIATE_TEST_SUITE_P(AtEveryChange, InstallCut,
                         testing::Combine(testing::Range(0, changesOfAnInstall()),
                                          testing::Bool()));

// Until the uninstaller's own program goes, the entry names it and it runs;
// it goes last of all files, so a cut later leaves nothing but what the
// entry's run finishes.
class RemovalCut : public testing::TestWithParam<int> {};

TEST_P(RemovalCut, EntryStillRunsAndFinishesTheJob) {
    FakeInstallation m;
    addOthersFiles(m);
    const auto files = m.files.snapshot();
    const auto folders = m.files.directories();
    ASSERT_TRUE(m.install().complete());
    int left = GetParam();
    cutAfter(m, &left);
    EXPECT_THROW(uninstall::Uninstall(m.machine), PowerLost);
    cutAfter(m, nullptr);

    ASSERT_TRUE(install::readInstallRecord(m.registry));
    if (!m.files.fileExists(FakeInstallation::kInstall + "\\uninst.exe")) {
        EXPECT_EQ(m.files.snapshot(), files);
    }
    const auto result = uninstall::Uninstall(m.machine);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->complete());
    EXPECT_EQ(m.files.snapshot(), files);
    EXPECT_EQ(m.files.directories(), folders);
    EXPECT_FALSE(m.registry.hasKey(platform::kHkeyCurrentUser, install::kUninstallKey));
}

INSTANTIATE_TEST_SUITE_P(AtEveryChange, RemovalCut, testing::Range(0, changesOfARemoval()));

} // namespace
