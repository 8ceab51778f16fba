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

}  // namespace mervalis
