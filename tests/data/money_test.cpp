#include "data/money.h"
#include "support/test_env.h"

#include <QLocale>

#include <cstdio>
#include <tuple>

using namespace mervalis;
using mervalis::test::ensureApplication;

TEST(Money, RoundsToTwoDecimalsTiesToEvenAndShowsAndReadsPlainNumbers)
{
    // 2.675 is a tie as written, though stored just below.
    const std::pair<double, double> rounded[] = {{0.125, 0.12},  {0.135, 0.14},   {2.675, 2.68},       {1.005, 1.0},
                                                 {1.0051, 1.01}, {-0.125, -0.12}, {19.99 * 3, 59.97}, {70.4588, 70.46}};
    for (const auto& [value, expected] : rounded) EXPECT_EQ(roundMoney(value), expected) << value;
    // Numbers show as plain text without noise; only plain decimals read as numbers.
    const std::pair<double, const char*> shown[] = {{roundMoney(19.99 * 3), "59.97"}, {30, "30"}, {1234567.5, "1234567.5"},
                                                    {-0.0, "0"}, {1000000, "1000000"}, {12345678.9, "12345678.9"}};
    for (const auto& [value, text] : shown) EXPECT_EQ(numberText(value), text);
    const std::pair<const char*, double> read[] = {{" 19.99 ", 19.99}, {".5", 0.5}, {"12abc", -1}, {"", -1}, {"1e3", -1}};
    for (const auto& [text, expected] : read) {
        double v = -1;
        EXPECT_TRUE(readNumber(text, &v) ? v == expected : expected == -1) << text;
    }
}

TEST(Money, CurrencyReadsDatabaseNumbersToFourDecimalsAddsExactlyAndRoundsToTheCentTiesToEven)
{
    // A tie rounds to even; "1e3" as a database may write it; "" where no number.
    const std::pair<const char*, const char*> read[] = {
        {"20.5", "20.5"}, {"-3", "-3"}, {"0.00005", "0"}, {"0.00015", "0.0002"}, {"0.000149", "0.0001"},
        {"1e3", "1000"}, {"10.50000", "10.5"}, {"", ""}, {" ", ""}, {"abc", ""}, {"12abc", ""}, {"1e+20", ""},
        {"inf", ""}, {"nan", ""}, {".", ""}};
    for (const auto& [text, shown] : read) {
        CurrencyUnits units = 0;
        EXPECT_EQ(readCurrency(text, &units) ? currencyText(units) : QString(), shown) << text;
    }
    // Sums show no noise and no exponent.
    Currency a, sum;
    ASSERT_TRUE(Currency::read("0.1", &a));
    for (int i = 0; i < 3; ++i) sum += a;
    EXPECT_EQ(sum.text(), "0.3");
    const std::pair<CurrencyUnits, const char*> texts[] = {
        {355000, "35.5"}, {400000, "40"}, {0, "0"}, {-1, "-0.0001"}, {123456789000, "12345678.9"},
        {10000000000000, "1000000000"}};
    for (const auto& [units, text] : texts) EXPECT_EQ(currencyText(units), text);
    // 0.0125 is past the half; 0.025 is a tie, to even.
    EXPECT_EQ(Currency::fromDouble(100.0 / 3).roundedToCents().text(), "33.33");
    for (const auto& [units, cents] : {std::pair{125, "0.01"}, {250, "0.02"}, {350, "0.04"}}) {
        EXPECT_EQ(Currency::fromUnits(units).roundedToCents().text(), cents) << units;
    }
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
