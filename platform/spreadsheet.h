#pragma once

#include <string>

namespace platform {

// Spreadsheet automation: a new "Excel.Application" object, its StartupPath
// read once, the object released. Any failure (no such class, the server does
// not start, the property cannot be read) raises SetupError.
class SpreadsheetAutomation {
public:
    virtual ~SpreadsheetAutomation() = default;
    virtual std::string readStartupPath() = 0;
};

} // namespace platform
