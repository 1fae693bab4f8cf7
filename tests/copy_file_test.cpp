#include "common/error.h"
#include "install/copy_one_file.h"
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

// The temporary lies beside the destination under a name of the same length,
// so a destination path near the system's limit does not fail for want of
// room for the temporary's; a user's file of that name is never touched.
TEST_F(CopyOneFile, TemporaryIsAFreeNameBesideTheDestinationNoLongerThanIt) {
    files.addFile("C:\\Q4P\\~q4p0ara.dll", "the user's own");
    for (const std::string name : {"Quintara.dll", "a"}) {
        files.log.clear();
        const std::string destination = "C:\\Q4P\\" + name;
        Geral::CopyOneFile(files, "C:\\SETUP\\Quintara.dll", destination);
        ASSERT_EQ(files.log.size(), 2u);
        const std::string copy = "copy C:\\SETUP\\Quintara.dll -> ";
        ASSERT_EQ(files.log[0].rfind(copy, 0), 0u) << files.log[0];
        const std::string temporary = files.log[0].substr(copy.size());
        EXPECT_EQ(temporary.size(), destination.size());
        EXPECT_EQ(temporary.rfind("C:\\Q4P\\", 0), 0u);
        EXPECT_NE(temporary, destination);
        EXPECT_NE(temporary, "C:\\Q4P\\~q4p0ara.dll");
        EXPECT_EQ(files.log[1], "move " + temporary + " -> " + destination);
    }
    EXPECT_EQ(files.file("C:\\Q4P\\~q4p0ara.dll")->content, "the user's own");
    EXPECT_EQ(files.filesIn("C:\\Q4P"), (Names{"Quintara.dll", "a", "~q4p0ara.dll"}));
}

} // namespace
