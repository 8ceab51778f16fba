#include "data/money.h"
#include "support/test_env.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

using namespace mervalis;
using mervalis::test::ensureApplication;

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

TEST(Money, CurrencyReadsDatabaseNumbersToFourDecimalsAndWritesThemWithoutTrailingZeros)
{
    CurrencyUnits units = 0;
    EXPECT_TRUE(readCurrency("20.5", &units));
    EXPECT_EQ(units, 205000);
    EXPECT_TRUE(readCurrency("-3", &units));
    EXPECT_EQ(units, -30000);
    EXPECT_TRUE(readCurrency("0.00005", &units));  // a tie rounds to even
    EXPECT_EQ(units, 0);
    EXPECT_TRUE(readCurrency("0.00015", &units));
    EXPECT_EQ(units, 2);
    EXPECT_TRUE(readCurrency("1e3", &units));  // as a database may write it
    EXPECT_EQ(units, 10000000);
    for (const char* bad : {"", " ", "abc", "12abc", "1e+20", "inf", "nan"}) {
        EXPECT_FALSE(readCurrency(bad, &units)) << bad;
    }
    // 0.1 + 0.2 add up exactly; sums show no noise and no exponent.
    CurrencyUnits a = 0, b = 0;
    ASSERT_TRUE(readCurrency("0.1", &a) && readCurrency("0.2", &b));
    EXPECT_EQ(currencyText(a + b), "0.3");
    EXPECT_EQ(currencyText(355000), "35.5");
    EXPECT_EQ(currencyText(400000), "40");
    EXPECT_EQ(currencyText(0), "0");
    EXPECT_EQ(currencyText(-1), "-0.0001");
    EXPECT_EQ(currencyText(123456789000), "12345678.9");
    EXPECT_EQ(currencyText(10000000000000), "1000000000");
}

// Under an English and a German desktop (tests/CMakeLists.txt): what a typed
// text stores ("" where refused), and the C library keeping its point.
TEST(RegionalNumbers, TypedByTheRegionStoredWithAPoint)
{
    ensureApplication();
    const bool comma = QLocale::system().name() == "de_DE";
    const std::tuple<const char*, const char*, const char*> cases[] = {  // typed, English, German
        {"19,99", "", "19.99"}, {" 19.99 ", "19.99", "19.99"}, {"-7,5", "", "-7.5"}, {"1.500", "1.500", ""},
        {"1,500", "", "1.500"}, {"1.234,5", "", ""},           {"1e3", "", ""},      {"12x", "", ""}};
    for (const auto& [typed, english, german] : cases) {
        QString stored;
        EXPECT_EQ(storedNumberOf(typed, &stored) ? stored : QString(), comma ? german : english) << typed;
    }
    char printed[8];
    std::snprintf(printed, sizeof printed, "%.1f", 2.5);
    EXPECT_STREQ(printed, "2.5");
}
