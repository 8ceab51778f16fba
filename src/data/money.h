#pragma once

#include <QString>

namespace mervalis {

// Rounds to two decimals, ties to even, reading the value as the decimal
// number it prints as (so 2.675 is a tie and 0.125 rounds to 0.12).
double roundMoney(double value);

// A number as plain text: no thousands separators, no trailing zeros, no
// floating-point noise (59.97, not 59.970000000000006).
QString numberText(double value);

// Reads a number typed by the user ("19.99", " 3 ", "-5", "1e3" is refused).
// Returns false when the text is not a plain decimal number.
bool readNumber(const QString& text, double* value);

// Currency: a fixed-point amount with four decimals, held as a whole number
// of ten-thousandths, so that sums add up exactly.
using CurrencyUnits = long long;

// Reads a number as the database writes it ("20.5", "-3", "1e+20") as a
// currency amount, rounded to four decimals, ties to even. False for an
// empty text, a text that is no number, or an amount out of range.
bool readCurrency(const QString& text, CurrencyUnits* units);

// A currency amount as plain text: no thousands separators, no trailing
// zeros ("35.5", "40", "-0.0001").
QString currencyText(CurrencyUnits units);

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
    // As readCurrency.
    static bool read(const QString& text, Currency* amount);
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

    friend constexpr Currency operator+(Currency a, Currency b) { return Currency(a.units_ + b.units_); }
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
