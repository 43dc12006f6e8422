#include <gtest/gtest.h>

#include "tray/TrayEventCode.h"

TEST(TrayEventCode, MapsTheMouseMessagesThatRaiseTrayEvent) {
    struct Case {
        long lParam;
        int code;
    } const cases[] = {
        {0x202, 1},                           // left button up
        {0x203, 2},                           // left double-click
        {0x205, 3},                           // right button up
        {0x7B, 3},                            // context menu
        {0x200, 0},                           // mouse move
        {0x201, 0},                           // left button down
        {0x204, 0},                           // right button down
        {0x206, 0},                           // right double-click
        {0x207, 0}, {0x208, 0},   {0x209, 0}, // middle button
        {0, 0},     {0x10202, 0}, {-1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrayEventCode(c.lParam), c.code) << std::hex << c.lParam;
}
