#include "common/text_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace common;

TEST(TextRules, CaseFoldingTouchesAsciiLettersOnly) {
    EXPECT_EQ(asciiUpper("Microsoft Excel - book1.xls"), "MICROSOFT EXCEL - BOOK1.XLS");
    EXPECT_EQ(asciiLower("Marta COSTA"), "marta costa");
    // Characters above 127 stay as they are, whatever the code page makes of them.
    EXPECT_EQ(asciiLower("\xC9LIA \xE9"), "\xC9lia \xE9");
    EXPECT_EQ(asciiUpper(std::string("a\0b", 3)), std::string("A\0B", 3));
    EXPECT_TRUE(equalsIgnoringAsciiCase("excel.application.9", "Excel.Application.9"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("Excel.Application.1", "Excel.Application.10"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("\xE9", "\xC9"));
}

TEST(TextRules, DriveLettersAndRoots) {
    EXPECT_EQ(driveLetterOf("C:\\Program Files"), 'c');
    EXPECT_EQ(driveLetterOf("d:"), 'd');
    EXPECT_EQ(driveLetterOf("\\\\server\\share"), 0);
    EXPECT_EQ(driveLetterOf("1:\\"), 0);
    EXPECT_EQ(driveLetterOf("C"), 0);
    EXPECT_TRUE(isDriveRoot("C:\\"));
    EXPECT_FALSE(isDriveRoot("C:"));
    EXPECT_FALSE(isDriveRoot("C:\\x"));

    EXPECT_TRUE(isFullPath("C:\\Program Files"));
    EXPECT_TRUE(isFullPath("\\\\server\\share"));
    for (const char* notFull :
         {"", "C:", "C:Programs", "\\Programs", "\\\\", "Programs", "\xe4\x85\x81\xe4\x85\x81"}) {
        EXPECT_FALSE(isFullPath(notFull)) << notFull;
    }
}

TEST(TextRules, TrailingSeparators) {
    EXPECT_EQ(withoutTrailingSeparators("C:\\Apps\\\\"), "C:\\Apps");
    EXPECT_EQ(withoutTrailingSeparators("C:\\"), "C:\\"); // a root keeps its own
    EXPECT_EQ(withoutTrailingSeparators("C:\\\\"), "C:\\");
    EXPECT_EQ(withTrailingSeparator("C:\\Office"), "C:\\Office\\");
    EXPECT_EQ(withTrailingSeparator("C:\\Office\\"), "C:\\Office\\");
    EXPECT_EQ(withTrailingSeparator(""), ""); // no folder is not the root
}

TEST(TextRules, HexDigitsAsPrintfWritesThem) {
    EXPECT_EQ(hexDigits(0, 0), "0"); // zero still has its digit
    EXPECT_EQ(hexDigits(0, 16), "0000000000000000");
    EXPECT_EQ(hexDigits(0xABCDEF, 8), "00abcdef");
    EXPECT_EQ(hexDigits(0x80004005, 8, true), "80004005");
    EXPECT_EQ(hexDigits(0xCAFE, 8, true), "0000CAFE");
    // Wider than asked is not cut: the width is a minimum.
    EXPECT_EQ(hexDigits(0xFFFFFFFFFFFFFFFFull, 4), "ffffffffffffffff");
}

} // namespace
