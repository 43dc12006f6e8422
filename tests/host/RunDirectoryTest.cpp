#include <gtest/gtest.h>

#include "app/RunDirectory.h"

TEST(RunDirectoryOf, NeverTakesATrailByteForABackslash) {
    struct Case {
        const char* path;
        const char* directory;
    } const cases[] = {
        {"C:\\Tools\\QuorvelTimer.exe", "C:\\Tools"},
        {"C:\\QuorvelTimer.exe", "C:"},
        {"QuorvelTimer.exe", ""},
        {"", ""},
        {"C:\\软件\\表\\QuorvelTimer.exe", "C:\\软件\\表"},
        {"C:\\\x8C\x5C\\a.exe", "C:\\\x8C\x5C"},  // a directory named with trail byte 0x5C
        {"C:\\Tools\\\x8C\x5C.exe", "C:\\Tools"}, // and a file name
        {"C:\\\xB1\xED\\\x8C\x5C\x8C\x5C", "C:\\\xB1\xED"},
        {"C:\\Tools\\\x8C", "C:\\Tools"}, // a lead byte cut off at the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunDirectoryOf(c.path, IsCp936LeadByte), c.directory) << c.path;
}

TEST(IsCp936LeadByte, CoversTheDoubleByteRange) {
    EXPECT_FALSE(IsCp936LeadByte(0x5C));
    EXPECT_FALSE(IsCp936LeadByte(0x80));
    EXPECT_TRUE(IsCp936LeadByte(0x81));
    EXPECT_TRUE(IsCp936LeadByte(0xFE));
    EXPECT_FALSE(IsCp936LeadByte(0xFF));
}
