#pragma once

#include "platform/registry.h"
#include "tests/doubles/fake_machine.h"
#include "wizard/pages.h"
#include "wizard/setup_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace wizard {
// Failure messages name the page.
inline void PrintTo(FrameId id, std::ostream* out) {
    *out << page(id).frameName;
}
} // namespace wizard

namespace wizardtest {

using wizard::FrameId;

inline constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr const char* kAppPaths =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
inline constexpr const char* kProductKey = "Software\\Quintara\\Quintara4Palm";
inline constexpr platform::WindowHandle kOwnWindow = 0x1010;

// What the machine answers at start-up; an empty text leaves the source out.
struct MachineAnswers {
    std::string programFiles = "C:\\Program Files";
    std::string excelPath = "C:\\Office";
    std::string excelCurVer = "Excel.Application.9";
    std::string palmPath = "C:\\Palm";
    std::string acrobatPath = "C:\\Acrobat";
    std::string programs = "C:\\Menu\\Programs";
};

// A wizard on an in-memory machine, driven through its buttons and controls
// as the window layer forwards what the user does.
class WizardTest : public ::testing::Test {
protected:
    doubles::FakeMachine fake;
    std::unique_ptr<wizard::Setup> form;

    void seed(const MachineAnswers& answers) {
        auto& reg = fake.registry;
        const auto hklm = platform::kHkeyLocalMachine;
        if (!answers.programFiles.empty()) {
            reg.putString(hklm, kCurrentVersion, "ProgramFilesDir", answers.programFiles);
        }
        if (!answers.excelPath.empty()) {
            reg.putString(hklm, std::string(kAppPaths) + "EXCEL.EXE", "Path", answers.excelPath);
        }
        if (!answers.excelCurVer.empty()) {
            reg.putString(hklm, "SOFTWARE\\Classes\\Excel.Application\\CurVer", "",
                          answers.excelCurVer);
        }
        if (!answers.palmPath.empty()) {
            reg.putString(hklm, std::string(kAppPaths) + "palm.exe", "Path", answers.palmPath);
        }
        if (!answers.acrobatPath.empty()) {
            reg.putString(hklm, std::string(kAppPaths) + "AcroRd32.exe", "Path",
                          answers.acrobatPath);
        }
        if (!answers.programs.empty()) {
            reg.putString(platform::kHkeyCurrentUser,
                          std::string(kCurrentVersion) + "\\Explorer\\Shell Folders", "Programs",
                          answers.programs);
        }
    }

    void addUser(const std::string& name, const std::string& directory) {
        fake.installAide.users.push_back({name, directory});
        fake.files.addDirectory(directory + "\\Install");
    }

    // Seeds the machine, creates the form and runs its start-up.
    void start(const MachineAnswers& answers = {}) {
        seed(answers);
        fake.windows.windows.push_back({kOwnWindow, "Quintara4Palm Setup"});
        form = std::make_unique<wizard::Setup>(fake.machine);
        form->window.setHandle(kOwnWindow);
        form->Form_Load();
    }

    void openSpreadsheetWindow(const std::string& title = "Microsoft Excel - Book1") {
        fake.windows.windows.push_back({0x2020, title});
    }

    // The page the user sees; fails the test unless exactly one page is shown
    // and it is the current one.
    std::optional<FrameId> shown() const {
        std::optional<FrameId> visible;
        for (std::size_t index = 0; index < wizard::kPageCount; ++index) {
            const auto id = static_cast<FrameId>(index);
            if (form->frame(id).visible) {
                EXPECT_FALSE(visible) << "two pages shown";
                visible = id;
            }
        }
        EXPECT_EQ(visible, form->currentFrame());
        return visible;
    }

    void next() { form->bNext.press(); }
    void back() { form->back.press(); }

    // From the welcome page with every prerequisite found.
    void toFolderPage() {
        next();
        ASSERT_EQ(shown(), FrameId::FrameChooseDir);
    }
    void toUserPage() {
        toFolderPage();
        next();
        ASSERT_EQ(shown(), FrameId::FrameChooseUser);
    }
    void toSummaryPage(int userPosition = 0) {
        toUserPage();
        form->ListUsers.select(userPosition);
        next();
        ASSERT_EQ(shown(), FrameId::FrameListFiles);
    }

    std::vector<std::string> summaryLines() const {
        std::vector<std::string> lines;
        const std::string& text = form->listaFicheiros.text();
        std::size_t from = 0;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos;
             at = text.find("\r\n", from)) {
            lines.push_back(text.substr(from, at - from));
            from = at + 2;
        }
        lines.push_back(text.substr(from));
        return lines;
    }
};

// Back / Next caption / Cancel as the user sees them.
struct Buttons {
    bool back;
    std::string next;
    bool cancel;
    bool operator==(const Buttons& other) const {
        return back == other.back && next == other.next && cancel == other.cancel;
    }
};
inline std::ostream& operator<<(std::ostream& out, const Buttons& b) {
    return out << "{back " << b.back << ", next \"" << b.next << "\", cancel " << b.cancel << "}";
}
inline Buttons buttonsOf(const wizard::Setup& form) {
    return {form.back.visible(), form.bNext.visible() ? form.bNext.caption() : "<hidden>",
            form.Cancel.visible()};
}

inline const Buttons kFirstPage{false, "Next", true};
inline const Buttons kMiddlePage{true, "Next", true};
inline const Buttons kSummaryPage{true, "Install", true};
inline const Buttons kTerminalPage{false, "Exit", false};

} // namespace wizardtest
