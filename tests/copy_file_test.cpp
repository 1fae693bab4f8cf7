#include "common/error.h"
#include "probes/probes.h"
#include "tests/doubles/fake_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

class CopyOneFile : public ::testing::Test {
protected:
    CopyOneFile() {
        files.addFile("C:\\SETUP\\Quintara.dll", "new contents");
        files.addFile("C:\\Q4P\\Quintara.dll", "old contents");
    }
    doubles::FakeFileSystem files;
};

TEST_F(CopyOneFile, CopiesAndReplacesThroughATemporary) {
    Geral::CopyOneFile(files, "C:\\SETUP\\Quintara.dll", "C:\\Q4P\\Quintara.dll");
    Geral::CopyOneFile(files, "C:\\SETUP\\Quintara.dll", "C:\\Q4P\\Fresh.dll");
    EXPECT_EQ(files.file("C:\\Q4P\\Quintara.dll")->content, "new contents");
    EXPECT_EQ(files.file("C:\\Q4P\\Fresh.dll")->content, "new contents");
    EXPECT_EQ(files.filesIn("C:\\Q4P"), (Names{"Fresh.dll", "Quintara.dll"}));
    EXPECT_EQ(files.file("C:\\SETUP\\Quintara.dll")->content, "new contents");
}

TEST_F(CopyOneFile, CopyFailingMidwayLeavesTheOldFileWholeAndNoTemporary) {
    files.failCopiesInto("C:\\Q4P");
    EXPECT_THROW(Geral::CopyOneFile(files, "C:\\SETUP\\Quintara.dll", "C:\\Q4P\\Quintara.dll"),
                 common::SetupError);
    EXPECT_EQ(files.file("C:\\Q4P\\Quintara.dll")->content, "old contents");
    EXPECT_EQ(files.filesIn("C:\\Q4P"), (Names{"Quintara.dll"}));
}

TEST_F(CopyOneFile, LockedDestinationKeepsTheOldFile) {
    files.lock("C:\\Q4P\\Quintara.dll");
    EXPECT_THROW(Geral::CopyOneFile(files, "C:\\SETUP\\Quintara.dll", "C:\\Q4P\\Quintara.dll"),
                 common::SetupError);
    EXPECT_EQ(files.file("C:\\Q4P\\Quintara.dll")->content, "old contents");
    EXPECT_EQ(files.filesIn("C:\\Q4P"), (Names{"Quintara.dll"}));
}

TEST_F(CopyOneFile, MissingSourceOrFolderFails) {
    EXPECT_THROW(Geral::CopyOneFile(files, "C:\\SETUP\\None.dll", "C:\\Q4P\\Quintara.dll"),
                 common::SetupError);
    EXPECT_THROW(Geral::CopyOneFile(files, "C:\\SETUP\\Quintara.dll", "C:\\Nowhere\\Quintara.dll"),
                 common::SetupError);
    EXPECT_EQ(files.file("C:\\Q4P\\Quintara.dll")->content, "old contents");
    EXPECT_FALSE(files.hasDirectory("C:\\Nowhere"));
}

} // namespace
