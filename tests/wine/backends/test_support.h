#pragma once

#include <string>

namespace backend_tests {

// The running test's "Suite.Name", for folders and keys of its own.
std::string currentTestName();

// A new, empty folder on C: for the running test, its path without a trailing backslash.
std::string freshFolder();

void writeFile(const std::string& path, const std::string& content);
// The file's whole content; empty when it cannot be opened.
std::string readFile(const std::string& path);

// A Unix path as Wine sees it through drive Z:.
std::string dosPathOf(const std::string& unixPath);

} // namespace backend_tests
