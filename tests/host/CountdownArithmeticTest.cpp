#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "countdown/CountdownArithmetic.h"

TEST(TotalSeconds, AddsTheChosenTimeAndTruncatesTowardZero) {
    struct Case {
        double h, m, s;
        std::int32_t total;
    } const cases[] = {
        {0, 30, 0, 1800},
        {24, 59, 59, 89999},
        {0, 0, 0, 0},
        {0, 0, 1, 1},
        {1.5, 0, 0, 5400},
        {0, 0, 0.9, 0},
        {0, 0, -0.9, 0},
        {0, 0, -5, -5},
        {0, 0, 4294967297.0, 1},         // only the low 32 bits are kept
        {0, 0, 2147483648.0, INT32_MIN}, // read as a signed number
        {0, 0, 9.3e18, 0},               // 2^63 or more: the top bit alone
        {0, 0, std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(TotalSeconds(c.h, c.m, c.s), c.total) << c.h << " " << c.m << " " << c.s;
}

TEST(RemainingTimeText, SplitsTheCountWithTheSignOfTheDividend) {
    struct Case {
        std::int32_t remaining;
        const char* text;
    } const cases[] = {
        {1799, "距离关机还剩0小时29分59秒"},  {3661, "距离关机还剩1小时1分1秒"},
        {89998, "距离关机还剩24小时59分58秒"}, {2, "距离关机还剩0小时0分2秒"},
        {0, "距离关机还剩0小时0分0秒"},       {-1, "距离关机还剩0小时0分-1秒"},
        {-61, "距离关机还剩0小时-1分-1秒"},    {-3600, "距离关机还剩-1小时0分0秒"},
        {INT32_MIN, "距离关机还剩-596523小时-14分-8秒"},
    };
    for (const Case& c : cases) EXPECT_EQ(RemainingTimeText(c.remaining).view(), c.text) << c.remaining;
}
