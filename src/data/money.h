#pragma once

#include <QString>
#include <QtGlobal>

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

// A fixed-point currency amount with four decimals (ten-thousandths), as
// sums are read back from the database: adding amounts never gathers
// floating-point noise, and the text has no thousands separators and no
// trailing zeros (1234.5, 25, 33.33).
class Currency {
public:
    static constexpr qint64 kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(qint64 tenThousandths) { return Currency(tenThousandths); }
    // A floating-point value rounded to four decimals, a half to the even
    // neighbour.
    static Currency fromDouble(double value);
    // Reads a plain decimal number ("10.5", "0", "-3"); digits past the fourth
    // decimal round to the nearest, a half to even. False for anything else.
    static bool read(const QString& text, Currency* amount);

    constexpr qint64 units() const { return units_; }
    double toDouble() const { return static_cast<double>(units_) / kScale; }
    bool isZero() const { return units_ == 0; }
    // Rounded to two decimals, a half to the even neighbour.
    Currency roundedToCents() const;
    QString text() const;

    friend constexpr Currency operator+(Currency a, Currency b) { return Currency(a.units_ + b.units_); }
    Currency& operator+=(Currency other)
    {
        units_ += other.units_;
        return *this;
    }
    friend constexpr bool operator==(Currency a, Currency b) = default;

private:
    constexpr explicit Currency(qint64 units) : units_(units) {}
    qint64 units_ = 0;
};

}  // namespace mervalis
