#pragma once

#include <QString>

#include <string_view>

namespace mervalis {

// Rounds to two decimals, ties to even, reading the value as the decimal
// number it prints as (so 2.675 is a tie and 0.125 rounds to 0.12).
double roundMoney(double value);

// Numbers shown to the user and typed by the user follow the system's
// regional rules (QLocale::system()): its decimal separator and minus sign,
// no group separators. The database, CSV files and SQL hold them with "."
// (the stored form).

// A number as the user reads it: the regional decimal separator, no
// thousands separators, no trailing zeros, no floating-point noise (59.97 or
// 59,97, not 59.970000000000006).
QString numberText(double value);
// A number as the database holds it: "." before the decimals.
QString storedNumberText(double value);
// A stored number ("12.5", "-3") as the user reads it ("12,5" in German);
// a text that is no plain number is shown as it is.
QString shownNumber(const QString& stored);
// How to type a number here, for messages: "a number such as 19,99 (a comma
// before any decimals, no thousands separators)".
QString numberAdvice();

// Reads a number typed by the user: the regional decimal separator, and "."
// where it cannot be a group separator ("19.99" also in German, but not
// "1.500", which a German reads as fifteen hundred); no group separators, no
// exponent. Gives the number in the stored form with the digits as typed
// ("19,99" gives "19.99"). False when the text is not a plain decimal number.
bool storedNumberOf(const QString& typed, QString* stored);
// The same, as a number.
bool readNumber(const QString& typed, double* value);

// The C library's numbers (printf, strtod, the ODBC drivers) stay in the
// stored form whatever the region: Qt's application object takes LC_NUMERIC
// from the environment, so every program calls this right after making it.
void keepMachineNumbers();

// Currency: a fixed-point amount with four decimals, held as a whole number
// of ten-thousandths, so that sums add up exactly.
using CurrencyUnits = long long;

// Reads a number as the database writes it ("20.5", "-3", "1e+20") as a
// currency amount, rounded to four decimals, ties to even. False for an
// empty text, a text that is no number, or an amount out of range.
bool readCurrency(const QString& text, CurrencyUnits* units);
// The same for a cell's text as the database hands it over, read in place:
// for results of many amounts.
bool readCellCurrency(std::string_view text, CurrencyUnits* units);

// A currency amount as the user reads it: the regional decimal separator, no
// thousands separators, no trailing zeros ("35.5", "40", "-0.0001").
QString currencyText(CurrencyUnits units);
// The same as the database and machine-readable files hold it: "." before
// the decimals whatever the region ("35.5", "-0.0001").
QString storedCurrencyText(CurrencyUnits units);

// A currency amount as a value that adds up, compares and rounds to cents,
// as the analyses' sums, quarters and shares need.
class Currency {
public:
    static constexpr CurrencyUnits kScale = 10000;

    // Amounts stay below 900,000,000,000,000 either way: the range that
    // readCurrency reads and that sums and steps are checked against.
    static constexpr CurrencyUnits kLimit = 9'000'000'000'000'000'000LL;  // exclusive, in units

    constexpr Currency() = default;
    static constexpr Currency fromUnits(CurrencyUnits tenThousandths) { return Currency(tenThousandths); }
    static constexpr bool inRange(CurrencyUnits units) { return units > -kLimit && units < kLimit; }
    // A floating-point value rounded to four decimals, ties to even.
    static Currency fromDouble(double value);
    // An amount as the user reads and types it (as currencyText writes it).
    static bool read(const QString& shown, Currency* amount);
    // A typed figure rounded to two decimals, ties to even, reading it as the
    // decimal number it prints as (as roundMoney). False when it is out of
    // range.
    static bool fromDoubleCents(double value, Currency* amount);
    // Checked sums: false, leaving `sum` alone, when the result would leave
    // the range.
    static bool add(Currency a, Currency b, Currency* sum);
    static bool subtract(Currency a, Currency b, Currency* difference);

    constexpr CurrencyUnits units() const { return units_; }
    double toDouble() const { return static_cast<double>(units_) / kScale; }
    bool isZero() const { return units_ == 0; }
    // Rounded to two decimals, a half to the even neighbour.
    Currency roundedToCents() const;
    QString text() const { return currencyText(units_); }
    QString storedText() const { return storedCurrencyText(units_); }

    friend constexpr Currency operator+(Currency a, Currency b) { return Currency(a.units_ + b.units_); }
    friend constexpr Currency operator-(Currency a) { return Currency(-a.units_); }
    Currency& operator+=(Currency other)
    {
        units_ += other.units_;
        return *this;
    }
    friend constexpr bool operator==(Currency a, Currency b) = default;

private:
    constexpr explicit Currency(CurrencyUnits units) : units_(units) {}
    CurrencyUnits units_ = 0;
};

}  // namespace mervalis
