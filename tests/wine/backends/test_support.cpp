#include "tests/wine/backends/test_support.h"

#include "platform/win32/win32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace backend_tests {

std::string currentTestName() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return std::string(test->test_suite_name()) + "." + test->name();
}

std::string freshFolder() {
    CreateDirectoryA("C:\\q4p-tests", nullptr);
    const std::string folder = "C:\\q4p-tests\\" + currentTestName();
    // Each CTest run has a prefix of its own, so a folder left from an earlier
    // run of the same test cannot exist.
    EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    return folder;
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string dosPathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

} // namespace backend_tests
