#include "install/record/file_mark.h"
#include "install/record/install_record.h"
#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"
#include "tests/wine/backends/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace {

using platform::FsStatus;
using platform::RegStatus;
using platform::win32::Win32FileSystem;
using platform::win32::Win32Registry;

TEST(WinFilesCleanup, FoldersGoOnlyWhenEmptyAndListTheirEntries) {
    Win32FileSystem files;
    const std::string folder = backend_tests::freshFolder();
    backend_tests::writeFile(folder + "\\b.txt", "b");
    ASSERT_TRUE(CreateDirectoryA((folder + "\\A sub").c_str(), nullptr));

    EXPECT_EQ(files.entries(folder), (std::vector<std::string>{"A sub", "b.txt"}));
    EXPECT_EQ(files.removeDirectory(folder), FsStatus::Failed);
    EXPECT_TRUE(files.entries(folder + "\\missing").empty());
    EXPECT_EQ(files.removeDirectory(folder + "\\missing"), FsStatus::NotFound);

    EXPECT_EQ(files.deleteFile(folder + "\\b.txt"), FsStatus::Ok);
    EXPECT_EQ(files.removeDirectory(folder + "\\A sub"), FsStatus::Ok);
    EXPECT_EQ(files.removeDirectory(folder), FsStatus::Ok);
    EXPECT_FALSE(files.directoryExists(folder));
}

TEST(WinFilesCleanup, ReadsBackWholeFilesAndTheirReadOnlyAttribute) {
    Win32FileSystem files;
    const std::string path = backend_tests::freshFolder() + "\\data.bin";
    std::string content(200000, '\0'); // more than one read, with NULs inside
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>(i * 7);
    }
    backend_tests::writeFile(path, content);

    std::string read;
    EXPECT_EQ(files.readFile(path, read), FsStatus::Ok);
    EXPECT_EQ(read, content);
    EXPECT_EQ(install::markOf(files, path), (install::FileMark{200000, install::Fnv1a64(content)}));
    EXPECT_EQ(files.readFile(path + ".missing", read), FsStatus::NotFound);

    EXPECT_FALSE(files.isReadOnly(path));
    EXPECT_EQ(files.setReadOnly(path, true), FsStatus::Ok);
    EXPECT_TRUE(files.isReadOnly(path));
    EXPECT_EQ(files.setReadOnly(path, false), FsStatus::Ok);
    EXPECT_FALSE(files.isReadOnly(path));
    EXPECT_EQ(files.deleteFile(path), FsStatus::Ok);
    EXPECT_EQ(files.setReadOnly(path, true), FsStatus::NotFound);
}

// The removal's own calls on a folder outside the system code page and past
// the old 260-character limit: a file is read back, made writable, listed and
// deleted, and the folders go, deepest first.
TEST(WinFilesCleanup, PathsOutsideTheCodePageAndPastMaxPath) {
    Win32FileSystem files;
    const std::string base = backend_tests::freshFolder();
    std::vector<std::string> made{base + "\\\xD0\x9A\xD0\xB2\xD0\xB0\xD1\x80\xD1\x82\xD0\xB8\xD1"
                                         "\x80\xD0\xB0 \xE6\x95\xB0\xE6\x8D\xAE"};
    ASSERT_EQ(files.makeDirectory(made.back()), FsStatus::Ok);
    while (made.back().size() < 260) {
        made.push_back(made.back() + "\\" + std::string(60, 'd'));
        ASSERT_EQ(files.makeDirectory(made.back()), FsStatus::Ok) << made.back().size();
    }
    const std::string source = base + "\\source.txt";
    backend_tests::writeFile(source, "content");
    const std::string file = made.back() + "\\\xE6\x95\xB0.txt";
    ASSERT_EQ(files.copyFile(source, file), FsStatus::Ok);

    std::string content;
    EXPECT_EQ(files.readFile(file, content), FsStatus::Ok);
    EXPECT_EQ(content, "content");
    EXPECT_EQ(files.setReadOnly(file, true), FsStatus::Ok);
    EXPECT_TRUE(files.isReadOnly(file));
    EXPECT_EQ(files.setReadOnly(file, false), FsStatus::Ok);
    EXPECT_EQ(files.entries(made.back()), std::vector<std::string>{"\xE6\x95\xB0.txt"});
    EXPECT_EQ(files.removeDirectory(made.back()), FsStatus::Failed); // not empty
    EXPECT_EQ(files.deleteFile(file), FsStatus::Ok);
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) {
        EXPECT_EQ(files.removeDirectory(*folder), FsStatus::Ok) << folder->size();
    }
    EXPECT_EQ(files.entries(base), std::vector<std::string>{"source.txt"});
}

TEST(WinRegistryKeys, NamesInTheirCaseAndKeysDeletedLeafFirst) {
    Win32Registry registry;
    const std::string base = "Software\\Q4P Tests\\" + backend_tests::currentTestName();
    platform::RegKey key = 0;
    platform::RegDisposition disposition{};
    ASSERT_EQ(registry.createKey(platform::kHkeyCurrentUser, base + "\\Sub", key, disposition),
              RegStatus::Ok);
    registry.closeKey(key);
    ASSERT_EQ(registry.createKey(platform::kHkeyCurrentUser, base, key, disposition),
              RegStatus::Ok);
    const std::string longName = "C:\\" + std::string(300, 'x') + "\\Quin4P.xla";
    for (const std::string& name : {std::string("DisplayName"), longName}) {
        ASSERT_EQ(registry.setValue(key, name, platform::kRegSz,
                                    reinterpret_cast<const unsigned char*>("v"), 2),
                  RegStatus::Ok);
    }
    std::vector<std::string> names;
    EXPECT_EQ(registry.valueNames(key, names), RegStatus::Ok);
    EXPECT_EQ(names.size(), 2u);
    EXPECT_NE(std::find(names.begin(), names.end(), longName), names.end());
    EXPECT_EQ(registry.subkeyNames(key, names), RegStatus::Ok);
    EXPECT_EQ(names, std::vector<std::string>{"Sub"});
    registry.closeKey(key);

    // Windows NT, and Wine, refuse a key that still has subkeys.
    EXPECT_NE(registry.deleteKey(platform::kHkeyCurrentUser, base), RegStatus::Ok);
    EXPECT_EQ(registry.deleteKey(platform::kHkeyCurrentUser, base + "\\Sub"), RegStatus::Ok);
    EXPECT_EQ(registry.deleteKey(platform::kHkeyCurrentUser, base), RegStatus::Ok);
    EXPECT_EQ(registry.deleteKey(platform::kHkeyCurrentUser, base), RegStatus::NotFound);
}

TEST(WinRegistryKeys, RecordRoundTripsThroughTheRealRegistry) {
    Win32Registry registry;
    install::InstallRecord record;
    record.installDir = "C:\\Program Files\\Quintara4Palm";
    record.folders = {{record.installDir, install::FolderRole::Install}};
    record.files = {{record.installDir + "\\uninst.exe", install::FileMark{3000, 0xabcdef}}};
    record.handheld = {{"Ann S", {"Quintara.prc", "Planets.pdb"}}};
    ASSERT_TRUE(install::writeInstallRecord(registry, record));

    const auto read = install::readInstallRecord(registry);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->installDir, record.installDir);
    ASSERT_EQ(read->files.size(), 1u);
    EXPECT_EQ(read->files[0].path, record.files[0].path);
    EXPECT_EQ(read->files[0].mark, record.files[0].mark);
    EXPECT_EQ(read->handheld[0].names, record.handheld[0].names);
    DWORD size = 0, bytes = sizeof size, type = 0;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, install::kUninstallKey, "EstimatedSize",
                           RRF_RT_REG_DWORD, &type, &size, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 3u);
    RegDeleteTreeA(HKEY_CURRENT_USER, install::kUninstallKey);
}

TEST(WinLibraryAtPath, UnregistersTheLibraryAtAFullPath) {
    const std::string folder = backend_tests::freshFolder();
    const std::string copy = folder + "\\QuinFrm.dll";
    ASSERT_TRUE(CopyFileA((platform::win32::setupFolder() + "\\q4precorder.dll").c_str(),
                          copy.c_str(), FALSE));
    platform::win32::Win32FormLibrary library;
    EXPECT_EQ(library.DllUnregisterServerFrom(copy), S_FALSE);
    char recorded[256] = {};
    GetEnvironmentVariableA("Q4P_RECORDED", recorded, sizeof recorded);
    EXPECT_STREQ(recorded, "DllUnregisterServer");
    EXPECT_THROW(library.DllUnregisterServerFrom(folder + "\\missing.dll"), std::exception);
    // Unloaded again: the file can be deleted.
    EXPECT_TRUE(DeleteFileA(copy.c_str()));
}

} // namespace
