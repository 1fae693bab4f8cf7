#include "install/manifest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using install::manifest;

install::Folders sampleFolders() {
    install::Folders folders;
    folders.setupDir = "D:\\SETUP";
    folders.installDir = "C:\\Program Files\\Quintara4Palm";
    folders.excelDir = "C:\\Office\\";
    folders.startupPath = "C:\\Office\\XLSTART";
    folders.programsDir = "C:\\Start Menu\\Programs";
    folders.userDir = "C:\\Palm\\AnnS";
    return folders;
}

std::string fileNameOf(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
}

TEST(ManifestTest, EveryCopyTakesItsFileFromTheSetupFolderUnderTheDestinationsName) {
    const auto folders = sampleFolders();
    for (const auto& entry : manifest().copies) {
        const std::string destination = *entry.destination.resolve(folders);
        EXPECT_EQ(*entry.source.resolve(folders), "D:\\SETUP\\" + fileNameOf(destination))
            << entry.label;
        EXPECT_EQ(destination.find("\\\\"), std::string::npos) << entry.label;
    }
    for (const auto& entry : manifest().handheldFiles) {
        const std::string name = fileNameOf(*entry.queued.resolve(folders));
        EXPECT_EQ(*entry.fallbackSource.resolve(folders), "D:\\SETUP\\" + name);
        EXPECT_EQ(*entry.fallbackDestination.resolve(folders), "C:\\Palm\\AnnS\\Install\\" + name);
    }
}

TEST(ManifestTest, OneSourceFeedsSeveralEntries) {
    const auto folders = sampleFolders();
    const auto& m = manifest();
    const auto source = [&](const char* label) { return *m.copy(label).source.resolve(folders); };
    const auto destination = [&](const char* label) {
        return *m.copy(label).destination.resolve(folders);
    };

    EXPECT_EQ(source("C9"), source("C10"));
    EXPECT_EQ(destination("C10"), "C:\\Office\\QuinConv.dll");
    EXPECT_EQ(source("C1"), source("C11"));
    EXPECT_EQ(destination("C11"), "C:\\Office\\instaide.dll");
    EXPECT_EQ(source("C14"), source("C19"));
    EXPECT_EQ(destination("C19"), "C:\\Office\\XLSTART\\Quin4P.xla");
    EXPECT_EQ(*m.handheldFile("H1").fallbackSource.resolve(folders), source("C3"));
    EXPECT_EQ(*m.handheldFile("H2").fallbackSource.resolve(folders), source("C4"));
    // The applications are queued from their installed copies, the databases
    // from the setup folder.
    EXPECT_EQ(*m.handheldFile("H1").queued.resolve(folders), destination("C3"));
    EXPECT_EQ(*m.handheldFile("H2").queued.resolve(folders), destination("C4"));
    EXPECT_EQ(*m.handheldFile("H3").queued.resolve(folders), "D:\\SETUP\\CarLoan.pdb");
}

TEST(ManifestTest, PathsAreNotFormedOnEmptyOrRelativeFolders) {
    for (const char* usable : {"C:\\", "c:\\Palm\\AnnS", "C:/Palm", "\\\\server\\share"}) {
        EXPECT_TRUE(install::isUsableFolder(usable)) << usable;
    }
    for (const char* unusable : {"", "C:", "C:Palm", "Palm\\AnnS", "\\Palm", "\\\\", "\\\\\\x"}) {
        EXPECT_FALSE(install::isUsableFolder(unusable)) << unusable;
    }

    auto folders = sampleFolders();
    folders.userDir.clear();
    const auto& fallback = manifest().handheldFile("H4").fallbackDestination;
    EXPECT_FALSE(fallback.resolve(folders));
    EXPECT_EQ(fallback.formed(folders), "\\Install\\Conversion.pdb");
    // The web site is a path of its own, formed on no folder.
    folders = install::Folders{};
    EXPECT_EQ(*manifest().shortcut("S1").target.resolve(folders), install::kProductSite);
}

} // namespace
