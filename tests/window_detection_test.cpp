#include "probes/probes.h"
#include "tests/doubles/fake_outside.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr platform::WindowHandle kWizard = 7;

bool excelOpen(doubles::FakeWindowList& windows, const std::string& text = "Microsoft Excel") {
    return Geral::IsExcelWindowOpen(windows, kWizard, text);
}

// Records every walk step it is asked for.
class WalkedWindows : public doubles::FakeWindowList {
public:
    std::vector<std::string> steps;
    platform::WindowHandle getWindow(platform::WindowHandle window,
                                     platform::WindowCommand command) override {
        steps.push_back((command == platform::WindowCommand::First ? "first " : "next ") +
                        std::to_string(window));
        return FakeWindowList::getWindow(window, command);
    }
};

TEST(IsExcelWindowOpen, MatchesTheTextAnywhereInAnyCaseAndStopsThere) {
    WalkedWindows windows;
    windows.windows = {{3, "Untitled - Notepad"},
                       {kWizard, "Quintara4Palm Setup"},
                       {9, "microsoft excel - book1"},
                       {11, "Microsoft Excel - Book2"}};
    EXPECT_TRUE(excelOpen(windows));
    EXPECT_EQ(windows.examined, (std::vector<platform::WindowHandle>{3, kWizard, 9}));
    EXPECT_EQ(windows.steps, (std::vector<std::string>{"first 7", "next 3", "next 7"}));
}

TEST(IsExcelWindowOpen, NoMatch) {
    doubles::FakeWindowList windows;
    EXPECT_FALSE(excelOpen(windows)); // no window at all
    windows.windows = {{kWizard, "Quintara4Palm Setup"}, {4, "Excel"}};
    EXPECT_FALSE(excelOpen(windows));
    EXPECT_EQ(windows.examined.size(), 2u);
}

TEST(IsExcelWindowOpen, OnlyTheFirst198CharactersOfATitleAreSeen) {
    doubles::FakeWindowList windows;
    windows.windows = {{5, std::string(183, '.') + "Microsoft Excel"}};
    EXPECT_TRUE(excelOpen(windows));
    windows.windows = {{5, std::string(184, '.') + "Microsoft Excel"}};
    EXPECT_FALSE(excelOpen(windows));
}

TEST(IsExcelWindowOpen, EmptySearchTextMatchesTheFirstWindow) {
    doubles::FakeWindowList windows;
    windows.windows = {{kWizard, "Quintara4Palm Setup"}, {4, "Other"}};
    EXPECT_TRUE(excelOpen(windows, ""));
    EXPECT_EQ(windows.examined, (std::vector<platform::WindowHandle>{kWizard}));
}

} // namespace
