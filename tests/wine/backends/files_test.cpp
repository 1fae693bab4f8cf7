#include "common/error.h"
#include "install/copy_one_file.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"
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

// Every entry of a folder, through the long-path form so that none is missed.
std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const std::wstring pattern = L"\\\\?\\" + std::wstring(folder.begin(), folder.end()) + L"\\*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(platform::win32::utf8Of(name.c_str()));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool readOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(platform::win32::widePathOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Media on a CD or a write-protected share: every file read-only. The copies
// must not be (a later installation, and the removal of the temporaries, could
// not touch them), while a destination the user made read-only stays refused,
// and a refused replace leaves no temporary behind.
TEST_F(WinFiles, CopiesFromReadOnlyMediaAreWritableAndLeaveNoTemporary) {
    const std::string media = folder_ + "\\media";
    const std::string target = folder_ + "\\target";
    ASSERT_EQ(files_.makeDirectory(media), FsStatus::Ok);
    ASSERT_EQ(files_.makeDirectory(target), FsStatus::Ok);
    const std::string source = media + "\\condmgr.dll";
    writeFile(source, "from the CD");
    ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));

    Geral::CopyOneFile(files_, source, target + "\\condmgr.dll");
    EXPECT_FALSE(readOnly(target + "\\condmgr.dll"));
    EXPECT_EQ(files_.deleteFile(target + "\\condmgr.dll"), FsStatus::Ok);
    EXPECT_EQ(files_.copyFile(source, target + "\\plain.dll"), FsStatus::Ok);
    EXPECT_FALSE(readOnly(target + "\\plain.dll"));

    const std::string kept = target + "\\license.txt";
    writeFile(kept, "protected by the user");
    ASSERT_TRUE(SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(Geral::CopyOneFile(files_, source, kept), common::SetupError);
    EXPECT_EQ(readFile(kept), "protected by the user");
    EXPECT_EQ(entriesOf(target), (std::vector<std::string>{"license.txt", "plain.dll"}));
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Destinations from just under the old 260-character limit to well past it:
// the temporary's name is no longer than the destination's, and long paths
// take the system's long form, so every copy succeeds and leaves one file.
TEST_F(WinFiles, LongDestinationPathsAreCopiedWhole) {
    const std::string source = folder_ + "\\source.txt";
    writeFile(source, "content");
    std::string deep = folder_; // ends between 225 and 230 characters
    while (deep.size() < 225) {
        deep += "\\" + std::string(std::min<std::size_t>(229 - deep.size(), 60), 'd');
        ASSERT_EQ(files_.makeDirectory(deep), FsStatus::Ok) << deep.size();
    }
    for (std::size_t length : {243u, 255u, 259u, 300u}) {
        const std::size_t nameLength = length - deep.size() - 1;
        const std::string destination = deep + "\\" + std::string(nameLength - 4, 'n') + ".txt";
        ASSERT_EQ(destination.size(), length);
        Geral::CopyOneFile(files_, source, destination);
        EXPECT_TRUE(files_.fileExists(destination)) << length;
        Geral::CopyOneFile(files_, source, destination); // over the first copy
        EXPECT_EQ(files_.deleteFile(destination), FsStatus::Ok) << length;
    }
    EXPECT_TRUE(entriesOf(deep).empty());
}

// Names outside the system code page (Cyrillic, CJK on a Western one) are
// made, found and listed exactly.
TEST_F(WinFiles, NamesOutsideTheCodePageAreExact) {
    const std::string folder = folder_ +
                               "\\\xD0\x9A\xD0\xB2\xD0\xB0\xD1\x80\xD1\x82\xD0\xB8\xD1\x80"
                               "\xD0\xB0 \xE6\x95\xB0\xE6\x8D\xAE";
    ASSERT_EQ(files_.makeDirectory(folder), FsStatus::Ok);
    EXPECT_TRUE(files_.directoryExists(folder));
    const std::string source = folder_ + "\\source.txt";
    writeFile(source, "content");
    const std::string copy = folder + "\\\xE6\x95\xB0.txt";
    Geral::CopyOneFile(files_, source, copy);
    EXPECT_TRUE(files_.fileExists(copy));
    EXPECT_EQ(files_.subdirectories(folder_),
              std::vector<std::string>{folder.substr(folder_.size() + 1)});
    EXPECT_EQ(files_.deleteFile(copy), FsStatus::Ok);
    EXPECT_FALSE(files_.fitsSystemCodePage(folder));
    EXPECT_TRUE(files_.fitsSystemCodePage("C:\\Program Files\\Quintara4Palm"));
    EXPECT_FALSE(files_.knownProgramFilesFolder().empty());
}

} // namespace
