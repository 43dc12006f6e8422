#include <gtest/gtest.h>

#include "app/FatalErrorText.h"

TEST(FatalErrorText, ShowsTheCodeAndTheMessageOnlyWhenGiven) {
    EXPECT_EQ(FatalErrorText("调用DLL命令后发现堆栈错误", 6).view(),
              "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
    EXPECT_EQ(FatalErrorText("载入启动窗口失败", 0).view(),
              "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
    EXPECT_EQ(FatalErrorText("", -12).view(), "运行时出错!\r\n\r\n错误代码：-12\r\n\r\n");
    EXPECT_EQ(FatalErrorText("", 0).view(), "运行时出错!\r\n\r\n");
    EXPECT_EQ(FatalErrorText("", INT32_MIN).view(),
              "运行时出错!\r\n\r\n错误代码：-2147483648\r\n\r\n");
    EXPECT_EQ(AllocationFailureMessage(20283).view(), "分配 20283 字节内存失败!");
}
