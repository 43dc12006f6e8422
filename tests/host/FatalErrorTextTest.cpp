#include <gtest/gtest.h>

#include "app/FatalErrorText.h"
#include "app/RunDirectory.h"

TEST(FatalErrorText, ShowsTheCodeAndTheMessageOnlyWhenGiven) {
    EXPECT_EQ(FatalErrorText("调用DLL命令后发现堆栈错误", 6).view(),
              "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
    EXPECT_EQ(FatalErrorText("载入启动窗口失败", 0).view(), "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
    EXPECT_EQ(FatalErrorText("", -12).view(), "运行时出错!\r\n\r\n错误代码：-12\r\n\r\n");
    EXPECT_EQ(FatalErrorText("", 0).view(), "运行时出错!\r\n\r\n");
    EXPECT_EQ(AllocationFailureMessage(20283).view(), "分配 20283 字节内存失败!");
}

TEST(RunDirectoryOf, NeverTakesATrailByteForABackslash) {
    struct Case {
        const char* path;
        const char* directory;
    } const cases[] = {
        {"C:\\Tools\\QuorvelTimer.exe", "C:\\Tools"},
        {"C:\\QuorvelTimer.exe", "C:"},
        {"QuorvelTimer.exe", ""},
        {"C:\\\x95\x5C\\a.exe", "C:\\\x95\x5C"},       // a directory named with trail byte 0x5C
        {"C:\\Tools\\\x95\x5C.exe", "C:\\Tools"},       // and a file name
        {"C:\\\xB1\xED\\\x95\x5C\x95\x5C", "C:\\\xB1\xED"},
    };
    for (const Case& c : cases) EXPECT_EQ(RunDirectoryOf(c.path, IsCp936LeadByte), c.directory) << c.path;
}
