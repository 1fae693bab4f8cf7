#pragma once

#include "platform/win32/win32.h"

#include <string>

// A small self-checking harness for the stand-ins' Windows-side checks: each
// failed expectation is printed and counted, and the program's exit code is
// the count.
namespace check {

void expect(bool condition, const std::string& what);
int failures();

// The folder this program lies in: testbin, with the media folder beside it.
std::string programFolder();
std::string mediaFolder();

// A fresh scratch folder under %TEMP%, removed with everything in it by
// removeTree.
std::string makeScratch(const std::string& name);
void removeTree(const std::string& folder);

bool makeFolder(const std::string& folder);
bool writeFile(const std::string& path, const std::string& content);
bool readFile(const std::string& path, std::string& content);
bool fileExists(const std::string& path);
bool folderExists(const std::string& path);

// HKEY_CURRENT_USER values, for seeding and reading back what a stand-in kept.
bool setValue(const std::string& key, const char* name, const std::string& value);
// The value's text, or "<missing>".
std::string valueOf(const std::string& key, const char* name, HKEY root = HKEY_CURRENT_USER);
void deleteKey(const std::string& key);

// An export of a DLL as a typed pointer, or nullptr (counted as a failure).
FARPROC loadExport(HMODULE module, const char* name);
template <class Function> Function entry(HMODULE module, const char* name) {
    // Through a void function pointer, so that GCC accepts the cast.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(loadExport(module, name)));
}

} // namespace check

void checkInstallAide(HMODULE library);
void checkToolLibrary(HMODULE library);
void checkConduitAndForm(HMODULE conduit, HMODULE form);
void checkSpreadsheet(HMODULE library, const std::string& libraryPath);
