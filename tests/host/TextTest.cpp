#include <gtest/gtest.h>

#include "app/Text.h"

TEST(ConcatTexts, JoinsPiecesInOrderIntoAFreshTerminatedText) {
    Text joined = ConcatTexts({"ab", "", "c", std::string_view("d\0e", 3)});
    ASSERT_EQ(joined.size(), 6u);
    EXPECT_EQ(joined.view(), std::string_view("abcd\0e", 6));
    EXPECT_EQ(joined.c_str()[6], '\0');
}

TEST(ConcatTexts, NoPiecesGiveAnEmptyBufferNotAMissingOne) {
    Text joined = ConcatTexts({});
    EXPECT_NE(joined.data(), nullptr);
    EXPECT_STREQ(joined.c_str(), "");
}
