#include "data/money.h"

#include <gtest/gtest.h>

using namespace mervalis;

TEST(Money, RoundsToTwoDecimalsTiesToEvenAndShowsAndReadsPlainNumbers)
{
    EXPECT_EQ(roundMoney(0.125), 0.12);
    EXPECT_EQ(roundMoney(0.135), 0.14);
    EXPECT_EQ(roundMoney(2.675), 2.68);  // a tie as written, though stored just below
    EXPECT_EQ(roundMoney(1.005), 1.0);
    EXPECT_EQ(roundMoney(1.0051), 1.01);
    EXPECT_EQ(roundMoney(-0.125), -0.12);
    EXPECT_EQ(roundMoney(19.99 * 3), 59.97);
    EXPECT_EQ(roundMoney(70.4588), 70.46);
    // Numbers show as plain text without noise; only plain decimals read as numbers.
    EXPECT_EQ(numberText(roundMoney(19.99 * 3)), "59.97");
    EXPECT_EQ(numberText(30), "30");
    EXPECT_EQ(numberText(1234567.5), "1234567.5");
    EXPECT_EQ(numberText(-0.0), "0");
    double v = 0;
    EXPECT_TRUE(readNumber(" 19.99 ", &v));
    EXPECT_EQ(v, 19.99);
    EXPECT_FALSE(readNumber("12abc", &v));
    EXPECT_FALSE(readNumber("", &v));
    EXPECT_FALSE(readNumber("1e3", &v));
}
