#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "countdown/CountdownArithmetic.h"
#include "countdown/TextToNumber.h"

TEST(TextToNumber, ReadsTheNumberAtTheStartOfTheText) {
    struct Case {
        std::string text;
        double value;
    } const cases[] = {
        {"0", 0},
        {"24", 24},
        {"\xA3\xB1\xA3\xB2", 12},          // full-width one, two
        {"\xA3\xB1\xA3\xAE\xA3\xB5", 1.5}, // full-width one, full stop, five
        {"1.5", 1.5},
        {"2abc", 2},
        {"abc", 0},
        {"", 0},
        {"\xA1\xA1\xA1\xA1", 0},                     // ideographic spaces and nothing else
        {std::string("\xA1\xA1\xA3\xAD") + "7", -7}, // ideographic space, full-width minus, 7
        {" \t\r\n\v\f+8", 8},
        {"-0.25", -0.25},
        {"+-3", 0},
        {"1.2.3", 1.2},
        {".5", 0.5},
        {".", 0},
        {"1e3", 1000},
        {"1E+2", 100},
        {"25d-1", 2.5},
        {"4D1", 40},
        {"2e", 2},
        {"2e+", 2},
        {"0x1A", 0},
        {"inf", 0},
        {"3\xA3", 3},                           // a lead byte at the very end is dropped
        {std::string("5\xB1") + '\0' + "9", 5}, // and one before a zero ends the text
        {std::string("\xB6\xFE") + "6", 0},     // another double-byte character is not a digit
        {"1e-400", 0},                          // too small for a double
        {"-1e-400", 0},
        {"1e-99999999999999999999", 0},
        {"0." + std::string(400, '0') + "1", 0},
        {"0." + std::string(400, '0') + "1e10", 0}, // leading zeros of the fraction count
        {"1e-310", 1e-310},                         // a subnormal double is still a double
        {"1" + std::string(400, '0') + "e-100", 1e300},
        {"0." + std::string(400, '0') + "1e400", 0.1},
        {"0.1e2", 10},
        {"1.7976931348623157e308", 1.7976931348623157e308},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToNumber(c.text), c.value) << c.text;
}

TEST(TextToNumber, TooLargeForADoubleIsInfiniteAndArmsZeroSeconds) {
    double huge = TextToNumber("1e400");
    EXPECT_TRUE(std::isinf(huge) && huge > 0);
    double negative = TextToNumber("-9d999");
    EXPECT_TRUE(std::isinf(negative) && negative < 0);
    for (const std::string& text :
         {"1" + std::string(400, '0'), "1" + std::string(400, '0') + "e-10",
          std::string("1e99999999999999999999"), std::string("0.001e312"),
          std::string("1.7976931348623159e308")})
        EXPECT_EQ(TextToNumber(text), HUGE_VAL) << text;
    EXPECT_EQ(TotalSeconds(huge, 0, 0), 0);
    EXPECT_EQ(TotalSeconds(0, negative, 0), 0);
}
