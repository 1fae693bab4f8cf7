#include "common/error.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"
#include "probes/probes.h"
#include "tests/wine/backends/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using backend_tests::readFile;
using backend_tests::writeFile;
using platform::FsStatus;
using platform::win32::Win32FileSystem;

class WinFiles : public testing::Test {
protected:
    Win32FileSystem files_;
    const std::string folder_ = backend_tests::freshFolder();
};

TEST_F(WinFiles, MakeDirectoryTellsExistingAndMissingParentApart) {
    const std::string made = folder_ + "\\made";
    EXPECT_EQ(files_.makeDirectory(made), FsStatus::Ok);
    EXPECT_EQ(files_.makeDirectory(made), FsStatus::AlreadyExists);
    EXPECT_EQ(files_.makeDirectory(folder_ + "\\missing\\child"), FsStatus::NotFound);
    EXPECT_TRUE(files_.directoryExists(made));
    EXPECT_FALSE(files_.fileExists(made));
}

TEST_F(WinFiles, CopyMoveAndDeleteReplaceWholeFiles) {
    const std::string source = folder_ + "\\source.txt";
    const std::string target = folder_ + "\\target.txt";
    writeFile(source, "new content");
    writeFile(target, "old");

    EXPECT_EQ(files_.copyFile(source, target), FsStatus::Ok);
    EXPECT_EQ(readFile(target), "new content");
    EXPECT_EQ(files_.copyFile(folder_ + "\\absent.txt", target), FsStatus::NotFound);

    const std::string renamed = folder_ + "\\renamed.txt";
    writeFile(renamed, "renamed content");
    EXPECT_EQ(files_.moveReplace(renamed, target), FsStatus::Ok);
    EXPECT_EQ(readFile(target), "renamed content");
    EXPECT_FALSE(files_.fileExists(renamed));

    EXPECT_EQ(files_.deleteFile(target), FsStatus::Ok);
    EXPECT_FALSE(files_.fileExists(target));
    EXPECT_EQ(files_.deleteFile(target), FsStatus::NotFound);
}

TEST_F(WinFiles, ReadOnlyDestinationIsKeptWhole) {
    const std::string source = folder_ + "\\source.txt";
    const std::string target = folder_ + "\\target.txt";
    writeFile(source, "new content");
    writeFile(target, "old");
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(files_.copyFile(source, target), FsStatus::AccessDenied);
    EXPECT_EQ(files_.moveReplace(source, target), FsStatus::AccessDenied);
    EXPECT_THROW(Geral::CopyOneFile(files_, source, target), common::SetupError);
    EXPECT_EQ(readFile(target), "old");
    EXPECT_TRUE(files_.fileExists(source));
    EXPECT_FALSE(files_.fileExists(target + ".q4ptmp"));

    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    Geral::CopyOneFile(files_, source, target);
    EXPECT_EQ(readFile(target), "new content");
    EXPECT_FALSE(files_.fileExists(target + ".q4ptmp"));
}

TEST_F(WinFiles, SubdirectoriesAreSortedFoldersOnly) {
    for (const char* name : {"beta", "Alpha", "gamma"}) {
        ASSERT_EQ(files_.makeDirectory(folder_ + "\\" + name), FsStatus::Ok);
    }
    writeFile(folder_ + "\\afile.txt", "not a folder");
    const std::vector<std::string> expected{"Alpha", "beta", "gamma"};
    EXPECT_EQ(files_.subdirectories(folder_), expected);
    EXPECT_EQ(files_.subdirectories(folder_ + "\\"), expected);
    EXPECT_TRUE(files_.subdirectories(folder_ + "\\absent").empty());
}

TEST_F(WinFiles, DrivesAndTheirCurrentFolders) {
    const std::vector<char> drives = files_.drives();
    ASSERT_NE(std::find(drives.begin(), drives.end(), 'c'), drives.end());
    EXPECT_TRUE(files_.driveReady('c'));
    EXPECT_TRUE(files_.driveReady('C'));
    char absent = 0;
    for (char letter = 'd'; letter <= 'y' && absent == 0; ++letter) {
        if (std::find(drives.begin(), drives.end(), letter) == drives.end()) {
            absent = letter;
        }
    }
    ASSERT_NE(absent, 0);
    EXPECT_FALSE(files_.driveReady(absent));
    EXPECT_FALSE(files_.driveReady('?'));

    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
    const std::string inFolder = files_.currentDirectoryOfDrive('c');
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    const std::string atRoot = files_.currentDirectoryOfDrive('C');
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, inFolder.c_str(), -1,
                             folder_.c_str(), -1),
              CSTR_EQUAL)
        << inFolder;
    EXPECT_EQ(atRoot, "C:\\");
}

TEST_F(WinFiles, EnvironmentAndProgramFolder) {
    const std::string longValue(1000, 'v');
    ASSERT_TRUE(SetEnvironmentVariableA("Q4P_LONG", longValue.c_str()));
    EXPECT_EQ(files_.getEnvironment("Q4P_LONG"), longValue);
    EXPECT_EQ(files_.getEnvironment("Q4P_NEVER_SET"), "");
    EXPECT_FALSE(files_.getEnvironment("WINDIR").empty());

    const std::string folder = files_.programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(files_.fileExists(folder + "\\backend_tests.exe")) << folder;
}

} // namespace
