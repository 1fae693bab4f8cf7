#pragma once

#include "install/run_install.h"
#include "tests/doubles/fake_machine.h"

#include <string>
#include <vector>

namespace doubles {

// A tool library that also leaves the link file, as the real one does: ".url"
// for a web address, ".lnk" for anything else.
struct LinkWritingTools : FakeToolLibrary {
    explicit LinkWritingTools(FakeFileSystem& files) : files(files) {}
    std::int32_t CreateShortcut(const std::string& path, const std::string& target,
                                const std::string& third, std::int16_t& flag) override {
        const bool web = target.rfind("http", 0) == 0;
        files.addFile(path + (web ? ".url" : ".lnk"), "link to " + target);
        return FakeToolLibrary::CreateShortcut(path, target, third, flag);
    }
    FakeFileSystem& files;
};

// A machine ready for a typical installation: the setup folder with every
// source file, the spreadsheet and its start-up folder, the Start menu and one
// handheld user whose queue takes every file.
struct FakeInstallation {
    static inline const std::string kSetup = "C:\\SETUP";
    static inline const std::string kInstall = "C:\\Program Files\\Quintara4Palm";
    static inline const std::string kExcel = "C:\\Program Files\\Office\\";
    static inline const std::string kStartup = "C:\\Program Files\\Office\\XLSTART";
    static inline const std::string kPrograms = "C:\\Users\\Ann\\Start Menu\\Programs";
    static inline const std::string kMenu = kPrograms + "\\Quintara4Palm";
    static inline const std::string kUserDir = "C:\\Palm\\AnnS";

    FakeRegistry registry;
    FakeWindowList windows;
    FakeFileSystem files;
    FakeInstallAide installAide;
    LinkWritingTools toolLibrary{files};
    FakeFormLibrary formLibrary;
    FakeConduit conduit;
    FakeSpreadsheet spreadsheet;
    platform::Machine machine{registry,    windows,     files,   installAide,
                              toolLibrary, formLibrary, conduit, spreadsheet};
    install::InstallInputs inputs{kSetup, kInstall, kExcel, kPrograms, "Ann S", kUserDir};

    FakeInstallation() {
        for (const char* name :
             {"instaide.dll", "quinTool.dll", "Quintara.prc", "MathLib.prc",       "Quintara.dll",
              "QuinFrm.dll",  "QuinConv.dll", "uninst.exe",   "Quin4P.xla",        "Quintara.jpg",
              "Sleep.exe",    "license.txt",  "MathLib.txt",  "Documentation.pdf", "condinst.dll",
              "condmgr.dll",  "hsapi.dll",    "CarLoan.pdb",  "Conversion.pdb",    "Planets.pdb"}) {
            files.addFile(kSetup + "\\" + name, std::string("v1 ") + name);
        }
        files.addDirectory("C:\\Program Files");
        files.addDirectory(kStartup);
        files.addDirectory(kPrograms);
        files.addDirectory(kUserDir + "\\Install");
        installAide.users = {{"Ann S", kUserDir}};
        spreadsheet.startupPath = kStartup;
    }

    install::InstallReport install() { return install::RunInstall(machine, inputs); }
};

} // namespace doubles
